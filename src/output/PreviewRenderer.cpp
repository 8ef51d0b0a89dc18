#include "PreviewRenderer.h"

#include "layout/DrawPage.h"
#include "layout/PainterCanvas.h"

#include <QPaintDevice>
#include <QPainter>

namespace quillory::output {

const layout::PageLayout& PreviewRenderer::layoutFor(QPainter& painter,
                                                     const PreviewRequest& request)
{
    const PreviewGeometry& g = request.geometry;
    Key key{request.letter,
            request.view.blankBeforeRecipientCity,
            request.view.signatureIsSenderName,
            request.kind,
            g.size,
            g.dpi,
            g.fontScale,
            painter.device() ? painter.device()->logicalDpiY() : 96};
    if (m_key && *m_key == key)
        return m_layout;
    layout::PainterCanvas canvas(painter);
    const layout::PageGeometry geometry{g.size.width(), g.size.height(), g.dpi, g.fontScale};
    m_layout = layout::composeLetter(request.kind, request.letter, request.view, canvas, geometry);
    m_key = std::move(key);
    ++m_compositions;
    return m_layout;
}

int PreviewRenderer::paint(QPainter& painter, const PreviewRequest& request)
{
    const layout::PageLayout& pages = layoutFor(painter, request);
    painter.fillRect(QRect(QPoint(0, 0), request.geometry.size), Qt::white);
    layout::PainterCanvas canvas(painter);
    pages.draw(request.page, canvas);
    return pages.pageCount();
}

int PreviewRenderer::pageCount(QPainter& measuring, const PreviewRequest& request)
{
    return layoutFor(measuring, request).pageCount();
}

} // namespace quillory::output
