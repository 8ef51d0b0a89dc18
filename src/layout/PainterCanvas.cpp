#include "PainterCanvas.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace quillory::layout {

/**
 * A font realised on the device, with what measuring asks of it again and
 * again. Text of plain characters is measured and drawn straight from the
 * font's glyphs and their advances, one glyph per character, with neither
 * kerning nor ligatures, as Windows draws text with TextOut; measuring
 * is then a sum, and drawing needs no shaping. Text with anything else
 * (combining marks, characters the font lacks and Qt takes from another
 * font) goes through Qt's text layout.
 */
struct PainterCanvas::Realised
{
    /** Glyph and advance in 1/64 pixel of one character; glyph 0: not plain. */
    struct Glyph
    {
        quint32 index = 0;
        qint64 advance = 0;
    };

    CanvasFont key;
    QFont font;
    QFontMetrics metrics;
    QRawFont raw;
    QColor color;
    std::vector<Glyph> latin; // U+0000..U+00FF
    std::vector<bool> latinKnown;
    QHash<char16_t, Glyph> others;

    Realised(const CanvasFont& k, const QFont& f, QPaintDevice* device)
        : key(k), font(f), metrics(f, device), raw(QRawFont::fromFont(f)), color(toColor(k.color)),
          latin(256), latinKnown(256, false)
    {}

    Glyph lookUp(char16_t unit) const
    {
        // Tabs and other control characters take the room of a space and
        // show nothing: the body is a memo, not a table.
        const QChar c(unit < 0x20 || (unit >= 0x7F && unit < 0xA0) ? u' ' : unit);
        if (!raw.isValid() || c.isSurrogate() || c.isMark() || c.category() == QChar::Other_Format)
            return {};
        quint32 index = 0;
        int count = 1;
        if (!raw.glyphIndexesForChars(&c, 1, &index, &count) || count != 1 || index == 0)
            return {};
        QPointF advance;
        if (!raw.advancesForGlyphIndexes(&index, &advance, 1))
            return {};
        return {index, qRound64(std::max(0.0, advance.x()) * 64)};
    }

    Glyph glyph(char16_t unit)
    {
        if (unit < latin.size()) {
            if (!latinKnown[unit]) {
                latin[unit] = lookUp(unit);
                latinKnown[unit] = true;
            }
            return latin[unit];
        }
        const auto found = others.constFind(unit);
        if (found != others.constEnd())
            return *found;
        const Glyph looked = lookUp(unit);
        others.insert(unit, looked);
        return looked;
    }

    /** Width in 1/64 pixel of text made of plain characters; -1 otherwise. */
    qint64 plainWidth(QStringView text)
    {
        qint64 sum = 0;
        for (const QChar c : text) {
            const Glyph g = glyph(c.unicode());
            if (g.index == 0)
                return -1;
            sum += g.advance;
        }
        return sum;
    }
};

PainterCanvas::PainterCanvas(QPainter& painter)
    : PainterCanvas(painter, painter.device() ? painter.device()->logicalDpiY() : 96)
{}

PainterCanvas::PainterCanvas(QPainter& painter, int fontDpi) : m_painter(painter), m_dpiY(fontDpi)
{
    m_painter.setBackgroundMode(Qt::TransparentMode);
    setPen(kBlack, 1);
    fontChanged();
}

PainterCanvas::~PainterCanvas() = default;

QColor PainterCanvas::toColor(quint32 color)
{
    // Paper has no desktop theme: the window-text colour, like every other
    // system colour a letter may carry, prints black.
    if (color & document::LetterFont::kSystemColorFlag)
        return QColor(Qt::black);
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QFont PainterCanvas::qfont() const
{
    return m_current->font;
}

PainterCanvas::Realised& PainterCanvas::realise(const CanvasFont& canvasFont)
{
    for (const auto& realised : m_fonts) {
        if (realised->key == canvasFont)
            return *realised;
    }
    QFont font(canvasFont.face);
    const double pixels = std::round(double(canvasFont.drawnPoints()) * m_dpiY / 72.0);
    font.setPixelSize(int(std::clamp(pixels, 1.0, double(kMaxPixelSize))));
    font.setBold(canvasFont.hasStyle(document::Bold));
    font.setItalic(canvasFont.hasStyle(document::Italic));
    font.setUnderline(canvasFont.hasStyle(document::Underline));
    font.setStrikeOut(canvasFont.hasStyle(document::StrikeOut));
    font.setKerning(false);
    if (canvasFont.pitch == document::FontPitch::Fixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }
    m_fonts.push_back(std::make_unique<Realised>(canvasFont, font, m_painter.device()));
    return *m_fonts.back();
}

void PainterCanvas::fontChanged()
{
    m_current = &realise(font());
}

int PainterCanvas::textWidth(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const qint64 plain = m_current->plainWidth(text);
    if (plain >= 0)
        return int((plain + 32) >> 6); // rounded as Qt rounds its 1/64 pixel widths
    return m_current->metrics.horizontalAdvance(text);
}

int PainterCanvas::textHeight(const QString& text)
{
    return text.isEmpty() ? 0 : m_current->metrics.height();
}

void PainterCanvas::textOut(int x, int y, const QString& text)
{
    if (m_painterFont != m_current) {
        m_painter.setFont(m_current->font);
        m_painterFont = m_current;
    }
    if (m_painterHasLinePen || m_painter.pen().color() != m_current->color) {
        m_painter.setPen(m_current->color);
        m_painterHasLinePen = false;
    }
    const QPoint baseline(x, y + m_current->metrics.ascent());
    if (m_current->plainWidth(text) < 0) {
        m_painter.drawText(baseline, text);
        return;
    }
    // Spaces are left out of the run and show as the room before the next
    // glyph. Drawn, the blank glyph would reach a PDF as the first character
    // Qt's font subset finds for it, a tab, and text extraction would read
    // "- 1 -" as "-1-". An underline or a strike-out keeps the first and last
    // glyph, whatever they are, so that it spans the text as before.
    const bool decorated = m_current->font.underline() || m_current->font.strikeOut();
    const quint32 blank = m_current->glyph(u' ').index;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    qint64 pen = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Realised::Glyph g = m_current->glyph(text[i].unicode());
        if (g.index != blank || (decorated && (i == 0 || i == text.size() - 1))) {
            glyphs.append(g.index);
            positions.append(QPointF(double(pen) / 64, 0));
        }
        pen += g.advance;
    }
    if (glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(m_current->raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(m_current->font.underline());
    run.setStrikeOut(m_current->font.strikeOut());
    m_painter.drawGlyphRun(baseline, run);
}

void PainterCanvas::lineTo(int x, int y)
{
    if (!m_painterHasLinePen) {
        m_painter.setPen(m_linePen);
        m_painterHasLinePen = true;
    }
    m_painter.drawLine(m_position, QPoint(x, y));
    m_position = QPoint(x, y);
}

void PainterCanvas::drawImage(const QRect& target, const QImage& image)
{
    m_painter.save();
    // A scanned signature shrinks to a few millimetres: smooth it rather than
    // dropping every other pixel.
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(target, image);
    m_painter.restore();
}

void PainterCanvas::fillRect(const QRect& rect)
{
    // Without antialiasing: neighbouring modules meet without a grey seam.
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.fillRect(rect, Qt::black);
    m_painter.restore();
}

void PainterCanvas::setPen(quint32 color, int width)
{
    // Width 0 is Qt's cosmetic pen: one device pixel, the thinnest line.
    m_linePen = QPen(toColor(color), std::max(width, 0), Qt::SolidLine, Qt::FlatCap);
    m_painterHasLinePen = false;
}

void PainterCanvas::estimateAdvances(QStringView text, std::vector<double>& advances)
{
    advances.resize(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Realised::Glyph g = m_current->glyph(text[i].unicode());
        advances[size_t(i)] =
            g.index != 0 ? double(g.advance) / 64
                         : double(std::max(0, m_current->metrics.horizontalAdvance(text[i])));
    }
}

} // namespace quillory::layout
