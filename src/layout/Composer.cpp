#include "Composer.h"

#include "document/DateFormat.h"
#include "GallopSearch.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>

namespace quillory::layout {
namespace {

using document::FontStyleBit;

const QString kBlankLine = QStringLiteral(" ");

// The inch as the page geometry has always counted it.
constexpr long double kMillimetresPerInch = 25.39995L;

// Sizes are whole points; keeping them far from the int limits lets the
// layouts add and subtract points without overflow.
constexpr int kMaxPoints = 32767;

/** The memo's lines: CR LF, CR or LF end a line; a last line break adds no empty line. */
QStringList bodyLines(const QString& body)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << body.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < body.size() && body[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < body.size())
        lines << body.mid(start);
    return lines;
}

} // namespace

Composer::Composer(const document::Letter& letter, const ViewOptions& view,
                   const PageGeometry& geometry, Canvas& canvas)
    : m_letter(letter), m_view(view), m_geometry(geometry), m_canvas(canvas), m_breaker(canvas)
{}

PageLayout Composer::compose(LayoutKind kind)
{
    m_kind = kind;
    m_layout = PageLayout();
    m_pen = Pen();
    if (isDin(kind)) {
        setUpDin();
        pageFrameDin();
        headDin();
        body();
        closingDin();
        enclosuresAndDistribution();
        paymentCode();
        pageLabelsDin();
        return std::move(m_layout);
    }
    setUp();
    if (kind == LayoutKind::Layout1)
        headLayout1();
    else
        headLayout2();
    pageFrame();
    body();
    closing();
    enclosuresAndDistribution();
    paymentCode();
    return std::move(m_layout);
}

void Composer::setUp()
{
    m_page = 1;
    m_pageFull = false;
    m_bodyLimit = 0;
    m_footerTop = 0;
    m_margin = int(std::trunc(static_cast<long double>(m_letter.marginMm) / kMillimetresPerInch *
                              m_geometry.dpi));
    applyFont(m_letter.letterFont);
    m_y = m_margin;
    m_textLeft = m_margin;
    m_textRight = m_geometry.pageWidth - m_margin;
    m_pageTop = m_margin;
}

void Composer::applyFont(const document::LetterFont& font)
{
    CanvasFont canvasFont = CanvasFont::fromLetterFont(font);
    const double scaled = std::trunc(double(canvasFont.points) * m_geometry.fontScale);
    canvasFont.points = int(std::clamp(scaled, double(-kMaxPoints), double(kMaxPoints)));
    if (canvasFont.points == 0)
        canvasFont.points = 1;
    m_canvas.setFont(canvasFont);
}

void Composer::setSize(int points)
{
    m_canvas.setFontSize(std::clamp(points, -kMaxPoints, kMaxPoints));
}

int Composer::millimetres(double mm) const
{
    return int(std::trunc(static_cast<long double>(m_geometry.dpi) * mm / kMillimetresPerInch));
}

void Composer::writeAt(int x, const QString& text, int width)
{
    const int height = m_canvas.textHeight(text);
    if (!text.isEmpty()) {
        startNextPageIfFull();
        const QRect cell(x, m_y, width >= 0 ? width : m_canvas.textWidth(text), height);
        m_layout.addText(m_page, cell, text, m_canvas.font(), m_role);
    }
    advance(height);
}

void Composer::advance(int height)
{
    m_y += height;
    if (m_bodyLimit != 0 && m_y > m_bodyLimit)
        m_pageFull = true;
}

void Composer::startNextPageIfFull()
{
    if (!m_pageFull)
        return;
    m_pageFull = false;
    ++m_page;
    m_y = m_pageTop;
    if (isDin(m_kind))
        pageFrameDin();
    else
        pageFrame();
}

void Composer::writeLeft(const QString& text)
{
    writeAt(m_textLeft, text);
}

void Composer::writeRight(const QString& text)
{
    const int width = m_canvas.textWidth(text);
    writeAt(text.isEmpty() ? 0 : m_geometry.pageWidth - m_margin - width, text, width);
}

void Composer::writeCentred(const QString& text)
{
    const int width = m_canvas.textWidth(text);
    writeAt(text.isEmpty() ? 0 : (m_geometry.pageWidth - width) / 2, text, width);
}

void Composer::writeRightColumn(const QString& text)
{
    if (text.isEmpty()) {
        writeAt(0, text);
        return;
    }
    const int width = m_canvas.textWidth(text);
    writeAt(m_geometry.pageWidth - 3 * m_margin + (2 * m_margin - width) / 2, text, width);
}

void Composer::blankLines(int count)
{
    const TextRole role = std::exchange(m_role, TextRole::Other);
    for (int i = 0; i < count; ++i)
        writeLeft(kBlankLine);
    m_role = role;
}

void Composer::drawLine(QPoint from, QPoint to)
{
    m_layout.addLine(m_page, from, to, m_pen);
}

QString Composer::dateLine() const
{
    return m_letter.senderCity + QStringLiteral(", ") + document::DateFormat::format(m_letter.date);
}

void Composer::sender()
{
    const document::Letter& l = m_letter;
    m_role = l.senderOneLine ? TextRole::ReturnLine : TextRole::Sender;
    if (!l.senderOneLine) {
        writeLeft(l.senderName);
        writeLeft(l.senderExtra);
        writeLeft(l.senderStreet);
        writeLeft(l.senderPostcode + QLatin1Char(' ') + l.senderCity);
        writeLeft(l.senderCountry);
        return;
    }
    const int reduction = l.senderSizeReduction;
    setSize(size() - reduction);
    const QString& s = l.senderSeparator;
    const QString line = l.senderName + s + l.senderExtra + s + l.senderStreet + s +
                         l.senderPostcode + QLatin1Char(' ') + l.senderCity + s + l.senderCountry;
    writeLeft(line);
    m_pen = Pen{kBlack, millimetres(0.25)};
    drawLine(QPoint(m_margin, m_y), QPoint(m_margin + m_canvas.textWidth(line), m_y));
    setSize(size() + reduction);
}

void Composer::senderAndContacts()
{
    sender();
    // Telephone, fax and e-mail not kept for the right-hand side follow at the left.
    m_role = TextRole::Sender;
    if (!m_letter.phoneRight) {
        writeLeft(m_letter.senderPhone);
        writeLeft(m_letter.senderFax);
        writeLeft(m_letter.senderEmail);
    }
}

void Composer::recipient()
{
    m_role = TextRole::Recipient;
    writeLeft(m_letter.recipientName);
    writeLeft(m_letter.recipientExtra);
    writeLeft(m_letter.recipientStreet);
    if (m_view.blankBeforeRecipientCity)
        writeLeft(kBlankLine);
    writeLeft(m_letter.recipientCity);
    writeLeft(m_letter.recipientCountry);
}

void Composer::pageFrame()
{
    m_layout.setPageCount(m_page);
    const QString& footer = m_letter.footer;
    if (!footer.isEmpty()) {
        applyFont(m_letter.footerFont);
        m_pen = Pen{kBlack, millimetres(0.25)};
        m_footerTop = m_geometry.pageHeight - m_margin;
        if (m_kind == LayoutKind::Layout1)
            m_footerTop -= m_canvas.textHeight(footer);
        const int width = m_canvas.textWidth(footer);
        const int x = m_letter.footerCentred ? (m_geometry.pageWidth - width) / 2 : m_margin;
        m_layout.addText(m_page, QRect(x, m_footerTop, width, m_canvas.textHeight(footer)), footer,
                         m_canvas.font(), TextRole::Footer);
        m_footerTop -= millimetres(1);
        drawLine(QPoint(m_margin, m_footerTop),
                 QPoint(m_geometry.pageWidth - m_margin, m_footerTop));
        applyFont(m_letter.letterFont);
    } else {
        m_footerTop = m_geometry.pageHeight - m_margin;
    }

    const QString label = QStringLiteral("- %1 -").arg(m_page);
    const int height = m_canvas.textHeight(label);
    const int labelTop = m_footerTop - int(std::trunc(1.5 * height));
    const int labelWidth = m_canvas.textWidth(label);
    m_layout.addText(m_page,
                     QRect((m_geometry.pageWidth - labelWidth) / 2, labelTop, labelWidth, height),
                     label, m_canvas.font(), TextRole::PageLabel);
    m_bodyLimit = labelTop - millimetres(10);

    const int markLength = millimetres(3);
    const int third = m_geometry.pageHeight / 3;
    const int twoThirds = int((2 * qint64(m_geometry.pageHeight)) / 3);
    m_layout.addEveryPageLine(QPoint(0, third), QPoint(markLength, third), m_pen);
    m_layout.addEveryPageLine(QPoint(0, twoThirds), QPoint(markLength, twoThirds), m_pen);
}

void Composer::body()
{
    m_role = TextRole::Body;
    const int width = m_textRight - m_textLeft;
    for (QString line : bodyLines(m_letter.body)) {
        if (line.isEmpty())
            line = kBlankLine;
        m_breaker.setParagraph(line);
        for (qsizetype from = 0; from < line.size();) {
            const qsizetype length = m_breaker.nextPiece(from, width);
            writeLeft(line.mid(from, length));
            from += length;
        }
    }
}

void Composer::closing()
{
    m_role = TextRole::Closing;
    writeLeft(kBlankLine);
    markClosing();
    writeLeft(m_letter.closing);
    writeLeft(kBlankLine);
    writeLeft(kBlankLine);

    const QString& signature =
        m_view.signatureIsSenderName ? m_letter.senderName : m_letter.signature;
    const QString dots = dottedLine(signature);
    m_role = TextRole::Signature;
    const QImage& image = m_view.signatureImage;
    if (image.isNull() || image.height() <= 0) {
        writeLeft(dots);
    } else {
        // The image stands where the dotted line would, bottom-aligned with
        // it, and takes that line's room, so pages break as they would for
        // the dots; a tall image reaches up into the blank lines above.
        startNextPageIfFull();
        const int lineHeight = m_canvas.textHeight(dots);
        const int height = millimetres(m_view.signatureHeightMm);
        const int width = int(std::lround(double(height) * image.width() / image.height()));
        m_layout.addImage(m_page, QRect(m_margin, m_y + lineHeight - height, width, height), image,
                          m_role);
        advance(lineHeight);
    }
    writeLeft(signature);
}

void Composer::enclosuresAndDistribution()
{
    const auto block = [this](const QString& one, const QString& more, const QStringList& lines,
                              TextRole role) {
        QStringList items;
        for (const QString& line : lines) {
            if (!line.trimmed().isEmpty())
                items << line;
        }
        if (items.isEmpty())
            return;
        applyFont(m_letter.letterFont);
        skipLines(1);
        m_role = role;
        m_canvas.setFontStyle(m_canvas.fontStyle() | FontStyleBit::Bold);
        const QString& heading = items.size() == 1 ? one : more;
        // A heading never ends a page: it goes over with its first item.
        if (!m_pageFull && m_bodyLimit != 0 && m_y > m_pageTop &&
            m_y + m_canvas.textHeight(heading) > m_bodyLimit)
            m_pageFull = true;
        writeLeft(heading);
        applyFont(m_letter.letterFont);
        const int width = m_textRight - m_textLeft;
        for (const QString& item : items) {
            m_breaker.setParagraph(item);
            for (qsizetype from = 0; from < item.size();) {
                const qsizetype length = m_breaker.nextPiece(from, width);
                writeLeft(item.mid(from, length));
                from += length;
            }
        }
    };
    block(QStringLiteral("Anlage"), QStringLiteral("Anlagen"), m_letter.enclosures,
          TextRole::Enclosures);
    block(QStringLiteral("Verteiler"), QStringLiteral("Verteiler"), m_letter.distribution,
          TextRole::Distribution);
}

QString Composer::dottedLine(const QString& signature)
{
    const int width = m_canvas.textWidth(signature);
    // A full stop that measures nothing at a tiny size would never make the
    // row wide enough; no real font needs more than this many.
    const qsizetype maxDots = 16 * signature.size() + 16;
    std::vector<double> advance;
    m_canvas.estimateAdvances(QStringLiteral("."), advance);
    const double dot = advance.empty() ? 0 : advance.front();
    const qsizetype guess =
        dot > 0 ? qsizetype(std::min(std::ceil(width / dot), double(maxDots))) : maxDots;
    const qsizetype count = gallopSearch(0, maxDots, guess, [&](qsizetype dots) {
        return m_canvas.textWidth(QString(dots, QLatin1Char('.'))) >= width;
    });
    return QString(count, QLatin1Char('.'));
}

void Composer::headLayout1()
{
    const document::Letter& l = m_letter;
    if (!l.senderOneLine) {
        m_role = TextRole::Date;
        writeRight(dateLine());
    }
    if (l.phoneRight) {
        m_role = TextRole::Sender;
        const int blockTop = m_y;
        if (l.senderOneLine) {
            writeLeft(l.senderName);
            m_y = blockTop;
            const int base = size();
            const int smaller = l.layout1SmallerSender ? base - 2 : base;
            setSize(smaller);
            writeRight(l.senderExtra);
            writeRight(l.senderStreet);
            if (l.layout1BlankBeforeCity)
                writeRight(kBlankLine);
            if (l.layout1LargerCity)
                setSize(base + 1);
            writeRight(l.senderPostcode + QLatin1Char(' ') + l.senderCity);
            setSize(smaller);
            writeRight(l.senderCountry);
            setSize(base);
        }
        writeRight(l.senderPhone);
        writeRight(l.senderFax);
        writeRight(l.senderEmail);
        m_y = blockTop;
    }
    blankLines(l.linesToSender);
    senderAndContacts();
    blankLines(l.linesToRecipient);
    recipient();
    if (l.senderOneLine) {
        m_role = TextRole::Date;
        writeRight(dateLine());
    }
    blankLines(l.linesToSubject);
    m_role = TextRole::Subject;
    const quint8 style = m_canvas.fontStyle();
    m_canvas.setFontStyle(FontStyleBit::Bold);
    writeLeft(l.subject);
    m_canvas.setFontStyle(style);
    writeLeft(kBlankLine);
    m_role = TextRole::Salutation;
    writeLeft(l.salutation);
    writeLeft(kBlankLine);
}

void Composer::headLayout2()
{
    const document::Letter& l = m_letter;
    if (!l.senderOneLine) {
        m_role = TextRole::Date;
        writeRightColumn(dateLine());
    }
    const int letterSize = size();
    if (l.phoneRight) {
        m_role = TextRole::Sender;
        const int blockTop = m_y;
        if (l.senderOneLine) {
            const QChar space = QLatin1Char(' ');
            writeCentred(l.senderName + space + l.senderExtra + space + l.senderStreet + space +
                         l.senderPostcode + space + l.senderCity + QStringLiteral(" Tel. ") +
                         l.senderPhone);
            m_y = blockTop + m_canvas.textHeight(QStringLiteral("L"));
            setSize(size() - 2);
            writeCentred(QStringLiteral("Email: ") + l.senderEmail);
            m_y = blockTop;
        }
        for (int i = 0; i < 4; ++i)
            writeRightColumn(kBlankLine);
        if (l.senderOneLine) {
            m_role = TextRole::Date;
            writeRightColumn(QStringLiteral("Datum ") + document::DateFormat::format(l.date));
            m_role = TextRole::Sender;
        }
        writeRightColumn(QStringLiteral("Fax ") + l.senderFax);
        m_y = blockTop;
    }
    setSize(letterSize);
    blankLines(l.linesToSender);
    senderAndContacts();
    blankLines(l.linesToRecipient);
    recipient();
    blankLines(l.linesToSubject);
    m_role = TextRole::Subject;
    writeLeft(kBlankLine);
    writeLeft(l.subject);
    writeLeft(kBlankLine);
    m_role = TextRole::Salutation;
    writeLeft(l.salutation);
    writeLeft(kBlankLine);
}

} // namespace quillory::layout
