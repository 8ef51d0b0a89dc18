#include "PreviewGeometry.h"

#include <algorithm>
#include <cmath>

namespace quillory::output {

layout::PrintedPage PrinterMetrics::page() const
{
    const auto pixels = [](double mm, int dpi) {
        return int(std::lround(mm * dpi / 25.4));
    };
    return {printableArea, resolutionX, resolutionY,
            QPoint(pixels(printableOriginMm.x(), resolutionX),
                   pixels(printableOriginMm.y(), resolutionY)),
            QSize(pixels(paperMm.width(), resolutionX), pixels(paperMm.height(), resolutionY))};
}

PreviewGeometry previewGeometry(const PrinterMetrics& printer, int screenDpi, int zoom)
{
    PreviewGeometry geometry;
    geometry.zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    const int printerDpi = std::max(1, printer.resolutionX);
    // The ratio first, then the zoom, then the percent, in extended precision
    // and rounded to double once: the page then measures 761 x 1089 for an A4
    // printable area of 4760 x 6812 at 600 dpi on a 96 dpi screen, not 762.
    const long double ratio = static_cast<long double>(screenDpi) / printerDpi;
    const double scale = static_cast<double>(geometry.zoom * ratio / 100);
    geometry.size = QSize(static_cast<int>(std::trunc(printer.printableArea.width() *
                                                      static_cast<long double>(scale))),
                          static_cast<int>(std::trunc(static_cast<long double>(scale) *
                                                      printer.printableArea.height())));
    geometry.scale = scale;
    return geometry;
}

} // namespace quillory::output
