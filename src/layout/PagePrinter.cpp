#include "PagePrinter.h"

#include "DrawPage.h"
#include "PainterCanvas.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace quillory::layout {

int PagePrinter::print(QPagedPaintDevice& device, int first, int last) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return -1;
    PainterCanvas canvas(painter);
    const PageGeometry geometry{device.width(), device.height(), double(device.logicalDpiX()), 1};
    const PageLayout layout = composeLetter(m_kind, m_letter, m_view, canvas, geometry);
    if (last <= 0)
        last = layout.pageCount();
    for (int page = std::max(first, 1); page <= last; ++page) {
        if (page > std::max(first, 1))
            device.newPage();
        layout.draw(page, canvas);
    }
    painter.end();
    return layout.pageCount();
}

int PagePrinter::drawPage(QImage& image, int pageNo) const
{
    QPainter painter;
    if (!painter.begin(&image))
        return -1;
    PainterCanvas canvas(painter);
    const int pageCount = m_kind == LayoutKind::Layout1
                              ? drawpage(canvas, image.width(), image.height(), pageNo,
                                         image.logicalDpiX(), 1, m_letter, m_view)
                              : drawpage2(canvas, image.width(), image.height(), pageNo,
                                          image.logicalDpiX(), 1, m_letter, m_view);
    painter.end();
    return pageCount;
}

} // namespace quillory::layout
