#pragma once

#include <QSize>

namespace quillory::output {

/** What the preview and the print command need to know of a printer. */
struct PrinterMetrics
{
    int resolutionX = 600; ///< horizontal pixels per inch
    int resolutionY = 600; ///< vertical pixels per inch
    QSize printableArea;   ///< printable page in printer pixels
};

/** One preview page: its size on screen and how composition is to draw it. */
struct PreviewGeometry
{
    QSize size;           ///< preview page in screen pixels
    double dpi = 96;      ///< the Dpi composition measures millimetres with
    double fontScale = 1; ///< the FontScale composition scales point sizes with
    int zoom = 100;       ///< the zoom actually used, within its range
};

/**
 * The preview page for a printer, a screen resolution and a zoom in percent:
 * the printer's printable area in screen pixels at that zoom. Both axes are
 * scaled by the horizontal resolutions, so the preview follows the printer's
 * pixel grid. A zoom outside 10 to 300 (typed, not yet left) is clamped
 * first, so composition never sees a page too small to hold a character or
 * too large to allocate.
 */
PreviewGeometry previewGeometry(const PrinterMetrics& printer, int screenDpi, int zoom);

/** The smallest and largest zoom, in percent. */
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 300;

} // namespace quillory::output
