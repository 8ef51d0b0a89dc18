#include "Canvas.h"

namespace quillory::layout {

void Canvas::setFont(const CanvasFont& font)
{
    if (font == m_font)
        return;
    m_font = font;
    fontChanged();
}

void Canvas::setFontSize(int points)
{
    if (points == m_font.points)
        return;
    m_font.points = points;
    fontChanged();
}

void Canvas::setFontStyle(quint8 style)
{
    if (style == m_font.style)
        return;
    m_font.style = style;
    fontChanged();
}

} // namespace quillory::layout
