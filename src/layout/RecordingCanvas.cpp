#include "RecordingCanvas.h"

#include <QRect>

namespace quillory::layout {

int RecordingCanvas::textWidth(const QString& text)
{
    return int(text.size()) * charWidth(font().points);
}

int RecordingCanvas::textHeight(const QString& text)
{
    return text.isEmpty() ? 0 : lineHeight(font().points);
}

void RecordingCanvas::textOut(int x, int y, const QString& text)
{
    m_ops.push_back(Op{DrawOp::Kind::Text, QPoint(x, y), QPoint(), text, font(), Pen()});
}

void RecordingCanvas::drawImage(const QRect& target, const QImage&)
{
    m_ops.push_back(Op{DrawOp::Kind::Image, target.topLeft(),
                       QPoint(target.x() + target.width(), target.y() + target.height()), QString(),
                       CanvasFont(), Pen()});
}

void RecordingCanvas::fillRect(const QRect& rect)
{
    m_ops.push_back(Op{DrawOp::Kind::Rect, rect.topLeft(),
                       QPoint(rect.x() + rect.width(), rect.y() + rect.height()), QString(),
                       CanvasFont(), Pen()});
}

void RecordingCanvas::lineTo(int x, int y)
{
    m_ops.push_back(
        Op{DrawOp::Kind::Line, m_position, QPoint(x, y), QString(), CanvasFont(), m_pen});
    m_position = QPoint(x, y);
}

void RecordingCanvas::estimateAdvances(QStringView text, std::vector<double>& advances)
{
    advances.assign(size_t(text.size()), double(charWidth(font().points)));
}

} // namespace quillory::layout
