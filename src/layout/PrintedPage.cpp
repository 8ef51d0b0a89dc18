#include "PrintedPage.h"

#include "DrawPage.h"
#include "PainterCanvas.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>

namespace quillory::layout {

PrintedPage PrintedPage::a4At600()
{
    return {QPageSize(QPageSize::A4).sizePixels(600), 600, 600, {}, {}};
}

PageLayout composeForPage(LayoutKind kind, const document::Letter& letter, const ViewOptions& view,
                          const PrintedPage& page)
{
    QImage measuring(1, 1, QImage::Format_RGB32);
    measuring.setDotsPerMeterX(qRound(page.dpiX / 0.0254));
    measuring.setDotsPerMeterY(qRound(page.dpiY / 0.0254));
    QPainter painter(&measuring);
    PainterCanvas canvas(painter, page.dpiY);
    const PageGeometry geometry{page.size.width(), page.size.height(), double(page.dpiX), 1,
                                page.origin,       page.sheet};
    return composeLetter(kind, letter, view, canvas, geometry);
}

void drawScaled(QPainter& painter, const PageLayout& pages, int pageNo, const PrintedPage& page,
                double scale, const RoleFilter& filter)
{
    painter.save();
    if (scale != 1)
        painter.scale(scale, scale);
    PainterCanvas canvas(painter, page.dpiY);
    pages.draw(pageNo, canvas, filter);
    painter.restore();
}

bool onStationery(LayoutKind kind, const ViewOptions& view, TextRole role)
{
    return view.preprintedStationery && isDin(kind) &&
           (role == TextRole::Letterhead || role == TextRole::Footer);
}

RoleFilter paperFilter(LayoutKind kind, const ViewOptions& view)
{
    if (!view.preprintedStationery || !isDin(kind))
        return {};
    return [kind, view](TextRole role) {
        return !onStationery(kind, view, role);
    };
}

} // namespace quillory::layout
