#include "PainterCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace quillory::layout {

/** A font realised on the device, with what measuring asks of it again and again. */
struct PainterCanvas::Realised
{
    CanvasFont key;
    QFont font;
    QFontMetrics metrics;
    QFontMetricsF metricsF;
    QColor color;
    std::vector<double> latin; // advances of U+0000..U+00FF, negative until measured
    QHash<char16_t, double> others;

    Realised(const CanvasFont& k, const QFont& f, QPaintDevice* device)
        : key(k), font(f), metrics(f, device), metricsF(f, device), color(toColor(k.color)),
          latin(256, -1.0)
    {}

    double advance(char16_t unit)
    {
        if (unit < latin.size()) {
            double& known = latin[unit];
            if (known < 0)
                known = std::max(0.0, metricsF.horizontalAdvance(QChar(unit)));
            return known;
        }
        const auto found = others.constFind(unit);
        if (found != others.constEnd())
            return *found;
        const double measured = std::max(0.0, metricsF.horizontalAdvance(QChar(unit)));
        others.insert(unit, measured);
        return measured;
    }
};

PainterCanvas::PainterCanvas(QPainter& painter) : m_painter(painter)
{
    if (QPaintDevice* device = painter.device())
        m_dpiY = device->logicalDpiY();
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
    return text.isEmpty() ? 0 : m_current->metrics.horizontalAdvance(text);
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
    m_painter.drawText(QPoint(x, y + m_current->metrics.ascent()), text);
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

void PainterCanvas::setPen(quint32 color, int width)
{
    // Width 0 is Qt's cosmetic pen: one device pixel, the thinnest line.
    m_linePen = QPen(toColor(color), std::max(width, 0), Qt::SolidLine, Qt::FlatCap);
    m_painterHasLinePen = false;
}

void PainterCanvas::estimateAdvances(QStringView text, std::vector<double>& advances)
{
    advances.resize(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i)
        advances[size_t(i)] = m_current->advance(text[i].unicode());
}

} // namespace quillory::layout
