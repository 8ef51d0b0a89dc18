#include "PagePrinter.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace quillory::layout {

int PagePrinter::print(QPagedPaintDevice& device, const PrintedPage& printed, int first,
                       int last) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return -1;
    const PageLayout layout = composeForPage(m_kind, m_letter, m_view, printed);
    if (last <= 0)
        last = layout.pageCount();
    for (int pageNo = std::max(first, 1); pageNo <= last; ++pageNo) {
        if (pageNo > std::max(first, 1))
            device.newPage();
        drawScaled(painter, layout, pageNo, printed, 1);
    }
    painter.end();
    return layout.pageCount();
}

int PagePrinter::drawPage(QImage& image, int pageNo, const PrintedPage& printed) const
{
    QPainter painter;
    if (!painter.begin(&image))
        return -1;
    const PageLayout layout = composeForPage(m_kind, m_letter, m_view, printed);
    drawScaled(painter, layout, pageNo, printed,
               double(image.logicalDpiX()) / std::max(1, printed.dpiX));
    painter.end();
    return layout.pageCount();
}

} // namespace quillory::layout
