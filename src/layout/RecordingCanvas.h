#pragma once

#include "Canvas.h"
#include "PageLayout.h"

#include <QPoint>

#include <vector>

namespace quillory::layout {

/**
 * A canvas that draws nothing and keeps a list of what it was asked to draw,
 * with simple fixed metrics, so that tests can state positions by hand: every
 * character is as wide as the font's drawn point size in pixels, and every
 * non-empty text is twice that high.
 */
class RecordingCanvas : public Canvas
{
public:
    struct Op
    {
        DrawOp::Kind kind;
        QPoint from;
        QPoint to; // lines: the end; images, rectangles: the bottom-right corner, exclusive
        QString text;
        CanvasFont font; // texts only
        Pen pen;         // lines only
    };

    static int charWidth(int points) { return points > 0 ? points : 1; }
    static int lineHeight(int points) { return 2 * charWidth(points); }

    int textWidth(const QString& text) override;
    int textHeight(const QString& text) override;
    void textOut(int x, int y, const QString& text) override;
    void moveTo(int x, int y) override { m_position = QPoint(x, y); }
    void lineTo(int x, int y) override;
    void setPen(quint32 color, int width) override { m_pen = Pen{color, width}; }
    void drawImage(const QRect& target, const QImage& image) override;
    void fillRect(const QRect& rect) override;
    void estimateAdvances(QStringView text, std::vector<double>& advances) override;

    const std::vector<Op>& ops() const { return m_ops; }
    void clear() { m_ops.clear(); }

protected:
    void fontChanged() override {}

private:
    std::vector<Op> m_ops;
    QPoint m_position;
    Pen m_pen;
};

} // namespace quillory::layout
