#include "PreviewRenderer.h"

#include <QPainter>

namespace quillory::output {

std::shared_ptr<const layout::PageLayout> PreviewRenderer::layoutFor(const PreviewRequest& request)
{
    return m_cache->layoutFor(request.letter, request.view, request.kind, request.printer.page());
}

int PreviewRenderer::paint(QPainter& painter, const PreviewRequest& request)
{
    const auto pages = layoutFor(request);
    painter.fillRect(QRect(QPoint(0, 0), request.geometry.size), Qt::white);
    layout::drawScaled(painter, *pages, request.page, request.printer.page(),
                       request.geometry.scale);
    return pages->pageCount();
}

int PreviewRenderer::pageCount(const PreviewRequest& request)
{
    return layoutFor(request)->pageCount();
}

} // namespace quillory::output
