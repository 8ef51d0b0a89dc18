// The DIN 5008 letters, Form A and Form B: every place on page 1 is fixed on
// the sheet, so that the address shows through any window envelope made for
// them, whatever margin the letter or the printer has.
#include "Composer.h"
#include "GallopSearch.h"
#include "PrintedPage.h"

#include <QDate>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace quillory::layout {
namespace {

using document::FontStyleBit;

const QString kBlankLine = QStringLiteral(" ");
const QString kReturnLineSeparator = QStringLiteral(" \u00B7 ");

/** Where a form puts things, in millimetres from the sheet's top edge. */
struct DinForm
{
    double fieldTop;   ///< the address field; the letterhead zone ends here
    double subjectTop; ///< the subject starts here at the earliest
    double folds[2];

    double returnLineBottom() const { return fieldTop + 5; }
    double addressTop() const { return fieldTop + 17.7; } // below the postal notes
    double fieldBottom() const { return fieldTop + 45; }
    double infoBlockTop() const { return fieldTop + 5; }
};

constexpr DinForm kFormA{27, 80.46, {87, 192}};
constexpr DinForm kFormB{45, 98.46, {105, 210}};
constexpr double kHoleMark = 148.5;

constexpr double kLeftMm = 25;       // text, address and return line alike
constexpr double kRightMm = 20;      // the right margin
constexpr double kFieldTextMm = 75;  // the address field's 85 mm less 5 mm on either side
constexpr double kInfoBlockMm = 125; // the information block's left edge
constexpr double kInfoBlockRightMm = 10;
constexpr double kFooterBottomMm = 10;
constexpr double kMarkLeftMm = 4; // the marks' start, off the sheet's left edge
constexpr double kPageLabelTopMm = 13;
constexpr int kSmallPoints = 8; // return line, postal notes, labels, page label
constexpr int kLetterheadNamePoints = 14;
constexpr int kLetterheadPoints = 9;
constexpr int kMaxPostalNotes = 3;
constexpr int kMaxAddressLines = 6;
constexpr int kSignatureRoomLines = 3;

/** The date as the information block writes it, in the user's style. */
QString dinDate(const QDate& date, ViewOptions::DateStyle style)
{
    // Month names spelt out here rather than taken from the system's locale:
    // a German letter keeps German months on any machine.
    static const char* const kMonths[] = {"Januar",    "Februar", "M\u00E4rz", "April",
                                          "Mai",       "Juni",    "Juli",      "August",
                                          "September", "Oktober", "November",  "Dezember"};
    switch (style) {
    case ViewOptions::DateStyle::Iso:
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    case ViewOptions::DateStyle::Long:
        if (date.isValid())
            return QStringLiteral("%1. %2 %3")
                .arg(date.day())
                .arg(QString::fromUtf8(kMonths[date.month() - 1]))
                .arg(date.year());
        return QString();
    case ViewOptions::DateStyle::Numeric:
        break;
    }
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

const DinForm& formOf(LayoutKind kind)
{
    return kind == LayoutKind::DinA ? kFormA : kFormB;
}

/** The sheet in page pixels; without one, the page is taken to lie centred on it. */
QSize sheetOf(const PageGeometry& geometry)
{
    if (!geometry.sheet.isEmpty())
        return geometry.sheet;
    return QSize(geometry.pageWidth + 2 * geometry.sheetOrigin.x(),
                 geometry.pageHeight + 2 * geometry.sheetOrigin.y());
}

QStringList nonEmpty(const QStringList& lines)
{
    QStringList kept;
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty())
            kept << line;
    }
    return kept;
}

} // namespace

int Composer::scaledPoints(int points) const
{
    return std::max(1, int(std::trunc(points * m_geometry.fontScale)));
}

QString Composer::elided(const QString& text, int width)
{
    const int full = m_canvas.textWidth(text);
    if (full <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    const qsizetype guess = full > 0 ? qsizetype(double(text.size()) * width / full) : 0;
    const qsizetype tooWide = gallopSearch(0, text.size(), guess, [&](qsizetype n) {
        return m_canvas.textWidth(text.left(n) + ellipsis) > width;
    });
    return text.left(std::max<qsizetype>(0, tooWide - 1)).trimmed() + ellipsis;
}

void Composer::writeTextAt(int x, int y, const QString& text, TextRole role)
{
    const int width = m_canvas.textWidth(text);
    m_layout.addText(m_page, QRect(x, y, width, m_canvas.textHeight(text)), text, m_canvas.font(),
                     role);
}

void Composer::skipLines(int count)
{
    const int height = m_canvas.textHeight(kBlankLine);
    for (int i = 0; i < count && !m_pageFull; ++i)
        advance(height);
}

void Composer::setUpDin()
{
    m_page = 1;
    m_pageFull = false;
    m_bodyLimit = 0;
    m_footerTop = 0;
    const QPoint origin = m_geometry.sheetOrigin;
    const QSize sheet = sheetOf(m_geometry);
    m_textLeft = sheetX(kLeftMm);
    m_textRight = sheet.width() - origin.x() - millimetres(kRightMm);
    m_margin = m_textLeft;

    // Continued pages: the page label, then one blank line, then the text.
    applyFont(m_letter.letterFont);
    const int lineHeight = m_canvas.textHeight(kBlankLine);
    setSize(scaledPoints(kSmallPoints));
    const int labelHeight = m_canvas.textHeight(kBlankLine);
    applyFont(m_letter.letterFont);
    m_pageTop = std::max(0, sheetY(kPageLabelTopMm)) + labelHeight + lineHeight;
    m_y = m_pageTop;
}

void Composer::pageFrameDin()
{
    m_layout.setPageCount(m_page);
    const CanvasFont font = m_canvas.font();
    const QPoint origin = m_geometry.sheetOrigin;
    const QSize sheet = sheetOf(m_geometry);

    // A printer that cannot reach the footer's place gets it as low as it can.
    const int footerBottom =
        std::min(sheet.height() - origin.y() - millimetres(kFooterBottomMm), m_geometry.pageHeight);
    m_footerTop = footerBottom;
    const QString& footer = m_letter.footer;
    if (!footer.isEmpty()) {
        applyFont(m_letter.footerFont);
        m_footerTop = footerBottom - m_canvas.textHeight(footer);
        const int width = m_canvas.textWidth(footer);
        writeTextAt((sheet.width() - width) / 2 - origin.x(), m_footerTop, footer,
                    TextRole::Footer);
    }
    applyFont(m_letter.letterFont);
    // A line may end below the limit by its own height; the body keeps one
    // blank line clear of the footer.
    m_bodyLimit = m_footerTop - 2 * m_canvas.textHeight(kBlankLine);
    m_canvas.setFont(font);

    const Pen thin{kBlack, millimetres(0.2)};
    const auto mark = [&](double yMm, double lengthMm) {
        const int y = std::clamp(sheetY(yMm), 0, std::max(0, m_geometry.pageHeight - 1));
        // Where the printer cannot reach 4 mm, the mark starts where it can, whole.
        const int from = std::max(0, sheetX(kMarkLeftMm));
        m_layout.addEveryPageLine(QPoint(from, y), QPoint(from + millimetres(lengthMm), y), thin);
    };
    for (double fold : formOf(m_kind).folds)
        mark(fold, 5);
    mark(kHoleMark, 8);
}

void Composer::headDin()
{
    const DinForm& form = formOf(m_kind);
    letterheadDin();
    addressFieldDin();
    const int addressBottom = std::max(m_y, sheetY(form.fieldBottom()));
    const int infoBottom = infoBlockDin();

    applyFont(m_letter.letterFont);
    const int lineHeight = m_canvas.textHeight(kBlankLine);
    m_y = std::max(sheetY(form.subjectTop), std::max(addressBottom, infoBottom) + 2 * lineHeight);

    const int width = m_textRight - m_textLeft;
    if (!m_letter.subject.isEmpty()) {
        m_role = TextRole::Subject;
        m_canvas.setFontStyle(m_canvas.fontStyle() | FontStyleBit::Bold);
        m_breaker.setParagraph(m_letter.subject);
        for (qsizetype from = 0; from < m_letter.subject.size();) {
            const qsizetype length = m_breaker.nextPiece(from, width);
            writeLeft(m_letter.subject.mid(from, length));
            from += length;
        }
        applyFont(m_letter.letterFont);
        skipLines(2);
    }
    if (!m_letter.salutation.isEmpty()) {
        m_role = TextRole::Salutation;
        writeLeft(m_letter.salutation);
        skipLines(1);
    }
}

void Composer::letterheadDin()
{
    const document::Letter& l = m_letter;
    const QImage& image = m_view.letterheadImage;
    if (!image.isNull() && image.width() > 0 && image.height() > 0) {
        // The image fills the zone less 5 mm above and below, and never
        // reaches left of the text.
        const double zoneMm = formOf(m_kind).fieldTop;
        int height = millimetres(zoneMm - 10);
        int width = int(std::lround(double(height) * image.width() / image.height()));
        const int room = m_textRight - m_textLeft;
        if (width > room) {
            height = int(std::lround(double(height) * room / width));
            width = room;
        }
        const int top = std::max(0, sheetY(5) + (millimetres(zoneMm - 10) - height) / 2);
        m_layout.addImage(1, QRect(m_textRight - width, top, width, height), image,
                          TextRole::Letterhead);
        return;
    }
    QStringList lines =
        nonEmpty({l.senderExtra, l.senderStreet,
                  (l.senderPostcode + QLatin1Char(' ') + l.senderCity).trimmed(), l.senderCountry});
    applyFont(l.letterFont);
    setSize(scaledPoints(kLetterheadNamePoints));
    m_canvas.setFontStyle(m_canvas.fontStyle() | FontStyleBit::Bold);
    const CanvasFont nameFont = m_canvas.font();
    const int nameHeight = l.senderName.isEmpty() ? 0 : m_canvas.textHeight(l.senderName);
    applyFont(l.letterFont);
    setSize(scaledPoints(kLetterheadPoints));
    const int lineHeight = m_canvas.textHeight(kBlankLine);

    // The block stands 5 mm clear of the address field, right-aligned.
    const int bottom = sheetY(formOf(m_kind).fieldTop - 5);
    int y = std::max(0, bottom - nameHeight - int(lines.size()) * lineHeight);
    const auto right = [&](const QString& text) {
        writeTextAt(m_textRight - m_canvas.textWidth(text), y, text, TextRole::Letterhead);
        y += m_canvas.textHeight(text);
    };
    if (!l.senderName.isEmpty()) {
        m_canvas.setFont(nameFont);
        right(l.senderName);
        applyFont(l.letterFont);
        setSize(scaledPoints(kLetterheadPoints));
    }
    for (const QString& line : lines)
        right(line);
    applyFont(l.letterFont);
}

void Composer::addressFieldDin()
{
    const document::Letter& l = m_letter;
    const DinForm& form = formOf(m_kind);
    const int fieldWidth = millimetres(kFieldTextMm);

    applyFont(l.letterFont);
    const int letterPoints = size();
    setSize(scaledPoints(kSmallPoints));
    const QStringList sender =
        nonEmpty({l.senderName, l.senderStreet,
                  (l.senderPostcode + QLatin1Char(' ') + l.senderCity).trimmed()});
    if (!sender.isEmpty()) {
        const QString line = elided(sender.join(kReturnLineSeparator), fieldWidth);
        writeTextAt(m_textLeft, sheetY(form.returnLineBottom()) - m_canvas.textHeight(line), line,
                    TextRole::ReturnLine);
    }

    // Postal notes fill their zone from the bottom, the last note lowest.
    setSize(std::min(letterPoints, scaledPoints(kSmallPoints)));
    const QStringList notes = nonEmpty(l.postalNotes).mid(0, kMaxPostalNotes);
    int bottom = sheetY(form.addressTop());
    for (qsizetype i = notes.size() - 1; i >= 0; --i) {
        const QString note = elided(notes[i], fieldWidth);
        bottom -= m_canvas.textHeight(note);
        writeTextAt(m_textLeft, bottom, note, TextRole::PostalNote);
    }

    applyFont(l.letterFont);
    m_role = TextRole::Recipient;
    m_y = sheetY(form.addressTop());
    const QStringList address = nonEmpty({l.recipientName, l.recipientExtra, l.recipientStreet,
                                          l.recipientCity, l.recipientCountry})
                                    .mid(0, kMaxAddressLines);
    for (const QString& line : address)
        writeLeft(line);
}

int Composer::infoBlockDin()
{
    const document::Letter& l = m_letter;
    applyFont(l.letterFont);
    const int valuePoints = std::max(size(), scaledPoints(kSmallPoints));
    setSize(valuePoints);
    const CanvasFont valueFont = m_canvas.font();
    applyFont(l.letterFont);
    setSize(scaledPoints(kSmallPoints));
    const CanvasFont labelFont = m_canvas.font();

    struct Row
    {
        QString label;
        QString value;
        TextRole valueRole;
    };
    std::vector<Row> rows;
    for (const document::Letter::InfoRow& row : l.infoBlock) {
        if (!row.value.trimmed().isEmpty())
            rows.push_back({row.label, row.value, TextRole::InfoBlock});
    }
    const bool blankBeforeDate = !rows.empty();
    rows.push_back({QStringLiteral("Datum"), dinDate(l.date, m_view.dateStyle), TextRole::Date});

    const int left = sheetX(kInfoBlockMm);
    const int right = m_textRight + millimetres(kRightMm - kInfoBlockRightMm);
    const int gap = millimetres(3);
    const int maxLabel = (right - left) / 2 - gap;
    int labelWidth = 0;
    for (const Row& row : rows)
        labelWidth = std::max(labelWidth, std::min(maxLabel, m_canvas.textWidth(row.label)));
    const int valueLeft = left + labelWidth + gap;

    int y = sheetY(formOf(m_kind).infoBlockTop());
    for (size_t i = 0; i < rows.size(); ++i) {
        m_canvas.setFont(valueFont);
        if (blankBeforeDate && i + 1 == rows.size())
            y += m_canvas.textHeight(kBlankLine);
        const QString value = elided(rows[i].value, right - valueLeft);
        const int valueHeight = m_canvas.textHeight(value);
        writeTextAt(valueLeft, y, value, rows[i].valueRole);
        m_canvas.setFont(labelFont);
        const QString label = elided(rows[i].label, maxLabel);
        // Label and value share a baseline at the bottom of the row.
        const int labelHeight = m_canvas.textHeight(label);
        writeTextAt(left, y + std::max(0, valueHeight - labelHeight), label, TextRole::InfoBlock);
        y += std::max(valueHeight, labelHeight);
    }
    applyFont(l.letterFont);
    return y;
}

void Composer::closingDin()
{
    applyFont(m_letter.letterFont);
    const int lineHeight = m_canvas.textHeight(kBlankLine);
    const QString& signature =
        m_view.signatureIsSenderName ? m_letter.senderName : m_letter.signature;
    const QImage& image = m_view.signatureImage;
    const bool withImage = !image.isNull() && image.height() > 0;
    const int imageHeight = withImage ? millimetres(m_view.signatureHeightMm) : 0;
    const int room = std::max(kSignatureRoomLines * lineHeight, imageHeight);

    skipLines(1);
    // Closing, room and signature stay together: when the signature would
    // not fit below the closing, the closing goes to the next page too.
    const int closingHeight = m_letter.closing.isEmpty() ? 0 : lineHeight;
    if (!m_pageFull && m_y > m_pageTop && m_y + closingHeight + room > m_bodyLimit)
        m_pageFull = true;
    m_role = TextRole::Closing;
    markClosing();
    writeLeft(m_letter.closing);
    if (withImage) {
        startNextPageIfFull();
        const int width = int(std::lround(double(imageHeight) * image.width() / image.height()));
        m_layout.addImage(m_page, QRect(m_textLeft, m_y + room - imageHeight, width, imageHeight),
                          image, TextRole::Signature);
    }
    advance(room);
    m_role = TextRole::Signature;
    writeLeft(signature);
}

void Composer::pageLabelsDin()
{
    const int pages = m_layout.pageCount();
    if (pages < 2)
        return;
    applyFont(m_letter.letterFont);
    setSize(scaledPoints(kSmallPoints));
    const int top = std::max(0, sheetY(kPageLabelTopMm));
    for (int page = 2; page <= pages; ++page) {
        const QString label = QStringLiteral("Seite %1 von %2").arg(page).arg(pages);
        const int width = m_canvas.textWidth(label);
        m_layout.addText(page, QRect(m_textRight - width, top, width, m_canvas.textHeight(label)),
                         label, m_canvas.font(), TextRole::PageLabel);
    }
    applyFont(m_letter.letterFont);
}

DinReach dinReach(const PrintedPage& page)
{
    if (page.sheet.isEmpty())
        return {};
    const auto pixels = [](double mm, int dpi) {
        return int(std::lround(mm * dpi / 25.4));
    };
    DinReach reach;
    reach.marks = page.origin.x() <= pixels(kMarkLeftMm, page.dpiX);
    reach.footer = page.sheet.height() - page.origin.y() - pixels(kFooterBottomMm, page.dpiY) <=
                   page.size.height();
    return reach;
}

} // namespace quillory::layout
