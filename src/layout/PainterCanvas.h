#pragma once

#include "Canvas.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPen>
#include <QPoint>
#include <QRawFont>

#include <memory>
#include <vector>

class QPainter;

namespace quillory::layout {

/**
 * A canvas on a QPainter that is already active on its device: a QImage, a
 * QPrinter or a QPdfWriter page. Fonts are realised at the device's vertical
 * resolution, a point size p becoming a pixel size of round(p × dpi / 72),
 * and text is drawn without kerning or ligatures, as Windows draws it with
 * TextOut, so that lines break where they break there. The window-text
 * system colour (and any other system colour) draws black.
 */
class PainterCanvas : public Canvas
{
public:
    /** Pixel sizes beyond this are drawn at this size. */
    static constexpr int kMaxPixelSize = 8192;

    explicit PainterCanvas(QPainter& painter);
    /**
     * Realises fonts at fontDpi instead of the device's resolution: for
     * drawing a page composed for another device (a printer) through a
     * scaled painter (the preview).
     */
    PainterCanvas(QPainter& painter, int fontDpi);
    ~PainterCanvas() override;

    int textWidth(const QString& text) override;
    int textHeight(const QString& text) override;
    void textOut(int x, int y, const QString& text) override;
    void moveTo(int x, int y) override { m_position = QPoint(x, y); }
    void lineTo(int x, int y) override;
    void setPen(quint32 color, int width) override;
    void drawImage(const QRect& target, const QImage& image) override;
    void fillRect(const QRect& rect) override;
    void estimateAdvances(QStringView text, std::vector<double>& advances) override;

    /** The QFont that font() is drawn with. */
    QFont qfont() const;
    static QColor toColor(quint32 color);

protected:
    void fontChanged() override;

private:
    struct Realised;
    Realised& realise(const CanvasFont& font);

    QPainter& m_painter;
    int m_dpiY = 96;
    std::vector<std::unique_ptr<Realised>> m_fonts;
    Realised* m_current = nullptr;
    const Realised* m_painterFont = nullptr;
    bool m_painterHasLinePen = false;
    QPen m_linePen;
    QPoint m_position;
};

} // namespace quillory::layout
