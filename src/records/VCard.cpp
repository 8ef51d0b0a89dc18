#include "VCard.h"

#include "document/Windows1252.h"

#include <QStringDecoder>

namespace quillory::records {
namespace {

/** One property: "NAME;PARAM=VALUE:value" once unfolded, its value decoded. */
struct Property
{
    QString name; ///< upper case, without a "group." prefix
    QString value;
    int line = 0;
};

/** Splits at separator where it is outside double quotes. */
QList<QByteArrayView> splitOutsideQuotes(QByteArrayView text, char separator)
{
    QList<QByteArrayView> parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == separator && !quoted) {
            parts << text.sliced(start, i - start);
            start = i + 1;
        }
    }
    parts << text.sliced(start);
    return parts;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray decodeQuotedPrintable(QByteArrayView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int high = text[i] == '=' && i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            bytes += text[i]; // a stray "=" stays as written
        }
    }
    return bytes;
}

QString decodeText(const QByteArray& bytes, const QByteArray& charset)
{
    const QByteArray name = charset.toLower();
    if (name == "iso-8859-1" || name == "latin1" || name == "windows-1252" || name == "cp1252")
        return document::Windows1252::decode(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    // Older programs wrote their code page without saying so.
    if (utf8.hasError() && (name.isEmpty() || name == "utf-8"))
        return document::Windows1252::decode(bytes);
    if (!name.isEmpty() && name != "utf-8") {
        QStringDecoder other(name.constData());
        if (other.isValid())
            return other(bytes);
    }
    return text;
}

/** The components of a structured value (split at unescaped ';'), unescaped. */
QStringList components(const QString& value, QChar separator = u';')
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            parts.last() += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else if (c == separator) {
            parts << QString();
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

/** A text value unescaped, its ';' kept as the text holds them. */
QString unescaped(const QString& value)
{
    return components(value, QChar(QChar::Null)).join(QChar(QChar::Null));
}

QString component(const QStringList& parts, int index)
{
    return index < parts.size() ? parts.at(index).trimmed() : QString();
}

bool isFormOfAddress(const QString& word)
{
    static const QStringList forms{QStringLiteral("Herr"),  QStringLiteral("Herrn"),
                                   QStringLiteral("Frau"),  QStringLiteral("Familie"),
                                   QStringLiteral("Firma"), QStringLiteral("Mr."),
                                   QStringLiteral("Mrs."),  QStringLiteral("Ms.")};
    return forms.contains(word, Qt::CaseInsensitive);
}

/** The properties of one card, made into an entry. */
class CardBuilder
{
public:
    void take(const Property& property)
    {
        const QString& name = property.name;
        if (name == u"N")
            m_name = components(property.value);
        else if (name == u"FN")
            m_formattedName = unescaped(property.value);
        else if (name == u"ORG")
            m_entry.company = component(components(property.value), 0);
        else if (name == u"ADR" && m_address.isEmpty())
            m_address = components(property.value);
        else if (name == u"EMAIL" && m_entry.email.isEmpty())
            m_entry.email = component(components(property.value), 0);
        else if (name == u"TITLE")
            m_title = unescaped(property.value).trimmed();
        else if (name == u"NOTE")
            m_entry.note = unescaped(property.value);
        else if (name == u"CATEGORIES")
            m_entry.groups += components(property.value, u',');
        else if (name == u"X-QUILLORY-ANSCHRIFT")
            m_lines = components(property.value);
    }

    Entry finish()
    {
        m_entry.surname = component(m_name, 0);
        m_entry.firstName = QStringList{component(m_name, 1), component(m_name, 2)}
                                .join(QLatin1Char(' '))
                                .trimmed();
        QStringList title;
        for (const QString& word : component(m_name, 3).split(u' ', Qt::SkipEmptyParts)) {
            if (m_entry.salutation.isEmpty() && title.isEmpty() && isFormOfAddress(word))
                m_entry.salutation = word;
            else
                title << word;
        }
        m_entry.title = title.isEmpty() ? m_title : title.join(QLatin1Char(' '));
        // Without N the formatted name is the person's, its last word the surname.
        QStringList words = m_formattedName.split(u' ', Qt::SkipEmptyParts);
        if (m_name.isEmpty() && !words.isEmpty() && words.join(u' ') != m_entry.company) {
            m_entry.surname = words.takeLast();
            m_entry.firstName = words.join(u' ');
        }
        m_entry.groups = normalizedGroups(m_entry.groups);

        AddressParts parts;
        parts.extra = component(m_address, 1);
        parts.street = component(m_address, 2);
        if (parts.street.isEmpty())
            parts.street = component(m_address, 0); // the post-office box
        parts.city = component(m_address, 3);
        parts.postcode = component(m_address, 5);
        parts.country = component(m_address, 6);
        fillRecipientLines(m_entry, parts);
        if (!m_lines.isEmpty()) {
            for (int i = 0; i < 5; ++i)
                m_entry.lines[i] = component(m_lines, i);
        }
        return std::move(m_entry);
    }

private:
    Entry m_entry;
    QStringList m_name;
    QString m_formattedName;
    QStringList m_address;
    QString m_title;
    QStringList m_lines;
};

/** The physical lines, without line ends. */
QList<QByteArrayView> physicalLines(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == '\n') {
            QByteArrayView line = bytes.sliced(start, i - start);
            if (line.endsWith('\r'))
                line.chop(1);
            lines << line;
            start = i + 1;
        }
    }
    return lines;
}

QByteArray escaped(const QString& text, bool structured)
{
    QString result;
    for (const QChar c : text) {
        if (c == u'\\' || c == u',' || (structured && c == u';'))
            result += u'\\';
        if (c == u'\n')
            result += QLatin1String("\\n");
        else if (c != u'\r')
            result += c;
    }
    return result.toUtf8();
}

/** "NAME:value" folded at 75 bytes, never inside a character, ended by CR LF. */
void appendFolded(QByteArray& out, const QByteArray& line)
{
    qsizetype start = 0;
    qsizetype room = 75;
    while (line.size() - start > room) {
        qsizetype end = start + room;
        while (end > start && (uchar(line[end]) & 0xC0) == 0x80)
            --end; // back to the start of a UTF-8 sequence
        out += line.mid(start, end - start) + "\r\n ";
        start = end;
        room = 74;
    }
    out += line.mid(start) + "\r\n";
}

void appendProperty(QByteArray& out, const char* name, const QStringList& values,
                    bool structured = true)
{
    QByteArray line(name);
    line += ':';
    for (qsizetype i = 0; i < values.size(); ++i)
        line += (i > 0 ? ";" : "") + escaped(values[i], structured);
    appendFolded(out, line);
}

} // namespace

VCardResult readVCards(QByteArrayView bytes)
{
    VCardResult result;
    const QList<QByteArrayView> lines = physicalLines(bytes);
    std::optional<CardBuilder> card;
    int cardLine = 0;
    const auto closeCard = [&](const QString& unfinished) {
        if (!unfinished.isEmpty())
            result.warnings << unfinished;
        Entry entry = card->finish();
        card.reset();
        if (entry.isEmpty())
            result.warnings
                << QStringLiteral("Zeile %1: eine leere vCard wurde ausgelassen.").arg(cardLine);
        else
            result.entries.push_back(std::move(entry));
    };
    for (qsizetype i = 0; i < lines.size();) {
        const int lineNumber = int(i + 1);
        QByteArray logical = lines[i++].toByteArray();
        while (i < lines.size() && (lines[i].startsWith(' ') || lines[i].startsWith('\t')))
            logical += lines[i++].sliced(1);
        const qsizetype colon = [&] {
            bool quoted = false;
            for (qsizetype at = 0; at < logical.size(); ++at) {
                if (logical[at] == '"')
                    quoted = !quoted;
                else if (logical[at] == ':' && !quoted)
                    return at;
            }
            return qsizetype(-1);
        }();
        if (colon < 0)
            continue; // a blank line or noise between cards
        const QList<QByteArrayView> head =
            splitOutsideQuotes(QByteArrayView(logical).first(colon), ';');
        QByteArray name = head.first().toByteArray().toUpper();
        name = name.mid(name.lastIndexOf('.') + 1);
        bool quotedPrintable = false;
        QByteArray charset;
        for (qsizetype p = 1; p < head.size(); ++p) {
            const QByteArray parameter = head[p].toByteArray().toUpper();
            if (parameter == "QUOTED-PRINTABLE" || parameter == "ENCODING=QUOTED-PRINTABLE")
                quotedPrintable = true;
            else if (parameter.startsWith("CHARSET="))
                charset = parameter.mid(8);
        }
        QByteArray raw = logical.mid(colon + 1);
        if (quotedPrintable) {
            // A soft line break: the value goes on in the next line, unindented.
            while (raw.endsWith('=') && i < lines.size()) {
                raw.chop(1);
                raw += lines[i++];
            }
            raw = decodeQuotedPrintable(raw);
        }
        // A quoted-printable line break is a line break, as an escaped one is.
        const QString value =
            decodeText(raw, charset).replace(QLatin1String("\r\n"), QLatin1String("\n"));

        if (name == "BEGIN" && value.trimmed().compare(u"VCARD", Qt::CaseInsensitive) == 0) {
            if (card)
                closeCard(QStringLiteral("Zeile %1: die vCard davor endet nicht mit END:VCARD.")
                              .arg(lineNumber));
            card.emplace();
            cardLine = lineNumber;
        } else if (name == "END" && card) {
            closeCard({});
        } else if (card) {
            card->take({QString::fromLatin1(name), value, lineNumber});
        }
    }
    if (card)
        closeCard(QStringLiteral("Zeile %1: die vCard endet nicht mit END:VCARD.").arg(cardLine));
    if (result.entries.empty())
        result.error = QStringLiteral("Die Datei enthält keine vCard.");
    return result;
}

QByteArray writeVCards(const std::vector<Entry>& entries)
{
    QByteArray out;
    for (const Entry& entry : entries) {
        out += "BEGIN:VCARD\r\nVERSION:4.0\r\n";
        QString formatted =
            QStringList{entry.title, entry.firstName, entry.surname}.join(u' ').simplified();
        if (formatted.isEmpty())
            formatted = entry.company.isEmpty() ? entry.lines[0] : entry.company;
        appendProperty(out, "FN", {formatted}, false);
        const QString prefix = QStringList{entry.salutation, entry.title}.join(u' ').trimmed();
        appendProperty(out, "N", {entry.surname, entry.firstName, QString(), prefix, QString()});
        if (!entry.company.isEmpty())
            appendProperty(out, "ORG", {entry.company});
        const AddressParts parts = addressParts(entry);
        // The second line is the extra line when no company pushed the name there.
        const QString extra = entry.company.isEmpty() ? entry.lines[1] : QString();
        if (!parts.street.isEmpty() || !parts.city.isEmpty() || !parts.country.isEmpty())
            appendProperty(out, "ADR",
                           {QString(), extra, parts.street, parts.city, QString(), parts.postcode,
                            parts.country});
        if (!entry.email.isEmpty())
            appendProperty(out, "EMAIL", {entry.email}, false);
        if (!entry.note.isEmpty())
            appendProperty(out, "NOTE", {entry.note}, false);
        if (!entry.groups.isEmpty()) {
            QByteArray line("CATEGORIES:");
            for (qsizetype i = 0; i < entry.groups.size(); ++i)
                line += (i > 0 ? "," : "") + escaped(entry.groups[i], true);
            appendFolded(out, line);
        }
        appendProperty(out, "X-QUILLORY-ANSCHRIFT",
                       QStringList(entry.lines.cbegin(), entry.lines.cend()));
        out += "END:VCARD\r\n";
    }
    return out;
}

} // namespace quillory::records
