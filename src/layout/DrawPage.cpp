#include "DrawPage.h"

namespace quillory::layout {
namespace {

int drawOnePage(LayoutKind kind, Canvas& canvas, int pageWidth, int pageHeight, int pageNo,
                double dpi, double fontScale, const document::Letter& letter,
                const ViewOptions& view)
{
    const PageLayout layout = composeLetter(kind, letter, view, canvas,
                                            PageGeometry{pageWidth, pageHeight, dpi, fontScale});
    layout.draw(pageNo, canvas);
    return layout.pageCount();
}

} // namespace

PageLayout composeLetter(LayoutKind kind, const document::Letter& letter, const ViewOptions& view,
                         Canvas& canvas, const PageGeometry& geometry)
{
    return Composer(letter, view, geometry, canvas).compose(kind);
}

int drawpage(Canvas& canvas, int pageWidth, int pageHeight, int pageNo, double dpi,
             double fontScale, const document::Letter& letter, const ViewOptions& view)
{
    return drawOnePage(LayoutKind::Layout1, canvas, pageWidth, pageHeight, pageNo, dpi, fontScale,
                       letter, view);
}

int drawpage2(Canvas& canvas, int pageWidth, int pageHeight, int pageNo, double dpi,
              double fontScale, const document::Letter& letter, const ViewOptions& view)
{
    return drawOnePage(LayoutKind::Layout2, canvas, pageWidth, pageHeight, pageNo, dpi, fontScale,
                       letter, view);
}

} // namespace quillory::layout
