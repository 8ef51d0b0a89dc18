#pragma once

#include "layout/PrintedPage.h"

#include <QPointF>
#include <QSize>
#include <QSizeF>

namespace quillory::output {

/** What the preview and the print command need to know of a printer. */
struct PrinterMetrics
{
    int resolutionX = 600; ///< horizontal pixels per inch
    int resolutionY = 600; ///< vertical pixels per inch
    QSize printableArea;   ///< printable page in printer pixels
    /** The whole sheet in millimetres, and where the printable area starts on it. */
    QSizeF paperMm{210, 297};
    QPointF printableOriginMm{};

    /**
     * The page every output of the letter on this printer is composed for,
     * with the printable area placed on the sheet for the layouts that
     * measure from the paper's edge.
     */
    layout::PrintedPage page() const;
};

/** One preview page: its size on screen and how the printed page is shrunk into it. */
struct PreviewGeometry
{
    QSize size;       ///< preview page in screen pixels
    double scale = 1; ///< screen pixels per printer pixel
    int zoom = 100;   ///< the zoom actually used, within its range
};

/**
 * The preview page for a printer, a screen resolution and a zoom in percent:
 * the printer's printable area in screen pixels at that zoom. Both axes are
 * scaled by the horizontal resolutions, so the preview follows the printer's
 * pixel grid. A zoom outside 10 to 300 (typed, not yet left) is clamped
 * first, so the page is never too large to allocate.
 */
PreviewGeometry previewGeometry(const PrinterMetrics& printer, int screenDpi, int zoom);

/** The smallest and largest zoom, in percent. */
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 300;

} // namespace quillory::output
