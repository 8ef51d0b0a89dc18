#include "widgets/PaintSurface.h"

#include <QPainter>

namespace quillory::app {

void PaintSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    emit paint(painter);
}

} // namespace quillory::app
