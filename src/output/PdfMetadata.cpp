#include "PdfMetadata.h"

#include "document/Letter.h"

#include <QPdfWriter>

#include <algorithm>
#include <vector>

namespace quillory::output {
namespace {

constexpr char kProducer[] = "Qt " QT_VERSION_STR; // what Qt writes as producer

/** A PDF text string: literal when plain ASCII, else UTF-16 with its byte order mark. */
QByteArray pdfString(const QString& text)
{
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7F;
    });
    if (ascii) {
        QByteArray literal = "(";
        for (const QChar c : text) {
            if (c == u'(' || c == u')' || c == u'\\')
                literal += '\\';
            literal += char(c.unicode());
        }
        return literal + ')';
    }
    QByteArray utf16 = "\xFE\xFF";
    for (const QChar c : text) {
        utf16 += char(c.unicode() >> 8);
        utf16 += char(c.unicode() & 0xFF);
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

/** The creation moment in PDF's form, D:YYYYMMDDHHmmSS+HH'mm', or XMP's. */
QByteArray dateText(const QDateTime& moment, bool xmp)
{
    const int offset = moment.offsetFromUtc() / 60;
    const QString time = moment.toString(xmp ? QStringLiteral("yyyy-MM-ddTHH:mm:ss")
                                             : QStringLiteral("yyyyMMddHHmmss"));
    QString zone = QStringLiteral("Z");
    if (offset != 0) {
        const QChar sign = offset < 0 ? u'-' : u'+';
        const int hours = std::abs(offset) / 60;
        const int minutes = std::abs(offset) % 60;
        zone = xmp ? QStringLiteral("%1%2:%3") : QStringLiteral("%1%2'%3'");
        zone = zone.arg(sign)
                   .arg(hours, 2, 10, QLatin1Char('0'))
                   .arg(minutes, 2, 10, QLatin1Char('0'));
    }
    return (xmp ? time : QStringLiteral("D:") + time).toLatin1() + zone.toLatin1();
}

QByteArray xmlText(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

/**
 * A title or author as both records can carry it: control characters (a
 * line break as much as a NUL from a CSV value), lone surrogates and the
 * non-characters U+FFFE and U+FFFF, which XML 1.0 does not allow and would
 * leave the XMP packet broken, become one space for each run between
 * other characters.
 */
QString metadataText(const QString& text)
{
    QString clean;
    clean.reserve(text.size());
    bool gap = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pair =
            c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const bool allowed = pair || (!c.isSurrogate() && c.category() != QChar::Other_Control &&
                                      c.unicode() < 0xFFFE);
        if (!allowed) {
            gap = true;
            continue;
        }
        if (gap && !clean.isEmpty())
            clean += QLatin1Char(' ');
        gap = false;
        clean += c;
        if (pair)
            clean += text[++i];
    }
    return clean;
}

/** Reads the decimal number at pos; -1 when there is none. */
qint64 numberAt(const QByteArray& bytes, qsizetype pos)
{
    qint64 value = 0;
    qsizetype end = pos;
    while (end < bytes.size() && bytes[end] >= '0' && bytes[end] <= '9' && end - pos < 12)
        value = value * 10 + (bytes[end++] - '0');
    return end > pos ? value : -1;
}

} // namespace

PdfMetadata::PdfMetadata(const QString& title, const QString& author, const QDateTime& created)
    : m_title(metadataText(title)), m_author(metadataText(author)),
      // Both records carry whole seconds; the time zone is kept for both.
      m_created(created.addMSecs(-created.time().msec()))
{}

PdfMetadata PdfMetadata::forLetter(const document::Letter& letter, const QDateTime& created)
{
    const QString subject = metadataText(letter.subject).trimmed();
    return PdfMetadata(subject.isEmpty() ? QStringLiteral("Brief") : subject,
                       metadataText(letter.senderName).trimmed(), created);
}

void PdfMetadata::applyTo(QPdfWriter& writer, PdfVersion version) const
{
    writer.setPdfVersion(version == PdfVersion::A1b ? QPagedPaintDevice::PdfVersion_A1b
                                                    : QPagedPaintDevice::PdfVersion_1_4);
    writer.setTitle(m_title);
    writer.setCreator(QString::fromLatin1(kCreator));
    if (version == PdfVersion::A1b)
        writer.setDocumentXmpMetadata(xmp());
}

QByteArray PdfMetadata::xmp() const
{
    QByteArray packet = "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                        "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                        "<rdf:Description rdf:about=\"\" "
                        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                        "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">";
    packet += xmlText(m_title) + "</rdf:li></rdf:Alt></dc:title>\n";
    if (!m_author.isEmpty())
        packet += "<dc:creator><rdf:Seq><rdf:li>" + xmlText(m_author) +
                  "</rdf:li></rdf:Seq></dc:creator>\n";
    packet += "</rdf:Description>\n"
              "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
              "<pdf:Producer>";
    packet += QByteArray(kProducer) + "</pdf:Producer>\n</rdf:Description>\n";
    packet += "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
              "<xmp:CreatorTool>";
    packet += QByteArray(kCreator) + "</xmp:CreatorTool>\n<xmp:CreateDate>" +
              dateText(m_created, true) + "</xmp:CreateDate>\n</rdf:Description>\n";
    packet += "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
              "<pdfaid:part>1</pdfaid:part>\n<pdfaid:conformance>B</pdfaid:conformance>\n"
              "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
    return packet;
}

QByteArray PdfMetadata::documentInformation() const
{
    QByteArray info = "<<\n/Title " + pdfString(m_title);
    if (!m_author.isEmpty())
        info += "\n/Author " + pdfString(m_author);
    info += "\n/Creator " + pdfString(QString::fromLatin1(kCreator));
    info += "\n/Producer " + pdfString(QString::fromLatin1(kProducer));
    info += "\n/CreationDate (" + dateText(m_created, false) + ")\n>>\nendobj\n";
    return info;
}

std::optional<QByteArray> PdfMetadata::complete(const QByteArray& pdf) const
{
    // Qt ends a PDF with one classic cross-reference table of fixed-width
    // entries and a trailer naming the information object; objects follow
    // one another, so the information object runs up to the next one.
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    if (startxref < 0)
        return std::nullopt;
    const qint64 xref = numberAt(pdf, startxref + 10);
    if (xref < 0 || xref >= startxref || !pdf.mid(xref).startsWith("xref\n0 "))
        return std::nullopt;
    const qint64 count = numberAt(pdf, xref + 7);
    const qsizetype entries = pdf.indexOf('\n', xref + 7) + 1;
    constexpr int kEntrySize = 20;
    if (count < 2 || entries <= 0 || entries + count * kEntrySize > startxref)
        return std::nullopt;
    const qsizetype infoRef = pdf.indexOf("/Info ", entries + count * kEntrySize);
    const qint64 infoObject = infoRef < 0 ? -1 : numberAt(pdf, infoRef + 6);
    if (infoObject < 1 || infoObject >= count)
        return std::nullopt;

    std::vector<qint64> offsets(size_t(count), 0);
    for (qint64 i = 1; i < count; ++i)
        offsets[size_t(i)] = numberAt(pdf, entries + i * kEntrySize);
    const qint64 infoStart = offsets[size_t(infoObject)];
    qint64 infoEnd = xref;
    for (const qint64 offset : offsets) {
        if (offset > infoStart)
            infoEnd = std::min(infoEnd, offset);
    }
    const QByteArray header = QByteArray::number(infoObject) + " 0 obj\n";
    if (infoStart <= 0 || pdf.mid(infoStart, header.size()) != header ||
        !pdf.mid(infoStart, infoEnd - infoStart).endsWith("endobj\n"))
        return std::nullopt;

    const QByteArray info = header + documentInformation();
    const qint64 shift = info.size() - (infoEnd - infoStart);
    QByteArray result = pdf.left(infoStart) + info + pdf.mid(infoEnd, entries - infoEnd);
    for (qint64 i = 0; i < count; ++i) {
        QByteArray entry = pdf.mid(entries + i * kEntrySize, kEntrySize);
        if (i > 0 && offsets[size_t(i)] > infoStart)
            entry.replace(0, 10,
                          QByteArray::number(offsets[size_t(i)] + shift).rightJustified(10, '0'));
        result += entry;
    }
    result += pdf.mid(entries + count * kEntrySize, startxref - entries - count * kEntrySize);
    result += "startxref\n" + QByteArray::number(xref + shift) + "\n%%EOF\n";
    return result;
}

} // namespace quillory::output
