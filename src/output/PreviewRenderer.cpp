#include "PreviewRenderer.h"

#include <QPainter>

namespace quillory::output {
namespace {

constexpr double kStationeryOpacity = 0.3;

} // namespace

std::shared_ptr<const layout::PageLayout> PreviewRenderer::layoutFor(const PreviewRequest& request)
{
    return m_cache->layoutFor(request.letter, request.view, request.kind, request.printer.page());
}

int PreviewRenderer::paint(QPainter& painter, const PreviewRequest& request)
{
    const auto pages = layoutFor(request);
    painter.fillRect(QRect(QPoint(0, 0), request.geometry.size), Qt::white);
    const layout::RoleFilter paper = layout::paperFilter(request.kind, request.view);
    layout::drawScaled(painter, *pages, request.page, request.printer.page(),
                       request.geometry.scale, paper);
    if (paper) {
        // What the stationery carries is shown faintly: the user sees the
        // whole letter and that the printer leaves that part out.
        painter.save();
        painter.setOpacity(kStationeryOpacity);
        layout::drawScaled(painter, *pages, request.page, request.printer.page(),
                           request.geometry.scale,
                           [&](layout::TextRole role) { return !paper(role); });
        painter.restore();
    }
    return pages->pageCount();
}

int PreviewRenderer::pageCount(const PreviewRequest& request)
{
    return layoutFor(request)->pageCount();
}

} // namespace quillory::output
