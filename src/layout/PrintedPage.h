#pragma once

#include "Composer.h"
#include "document/Letter.h"
#include "PageLayout.h"

#include <QPoint>
#include <QSize>

class QPainter;

namespace quillory::layout {

/**
 * A page as a device prints it: the printable area in device pixels and the
 * device's resolution across and down. Every output of a letter is composed
 * for one of these, so that the preview, the printer and a PDF break lines
 * and pages at the same places.
 */
struct PrintedPage
{
    QSize size;
    int dpiX = 600; ///< millimetres are measured with this, across and down
    int dpiY = 600; ///< point sizes become pixels with this
    /** The printable area's top-left corner on the sheet and the sheet, in device pixels; an
     * empty sheet: the page is the whole sheet. */
    QPoint origin;
    QSize sheet;

    /** A whole A4 sheet at 600 dpi: the page when there is no printer to ask. */
    static PrintedPage a4At600();

    friend bool operator==(const PrintedPage&, const PrintedPage&) = default;
};

/**
 * Lays the letter out for page, measuring text on an image of the page's
 * resolution rather than on the device itself: fonts are realised at the
 * same pixel sizes either way, and the layout no longer depends on which
 * device asked for it (a screen at some zoom, a printer, a PDF writer).
 */
PageLayout composeForPage(LayoutKind kind, const document::Letter& letter, const ViewOptions& view,
                          const PrintedPage& page);

/**
 * Draws page pageNo of pages, composed for page, on painter with every length
 * multiplied by scale (painter pixels per page pixel). Fonts are realised at
 * the page's resolution and shrunk with the rest, so a line holds the same
 * words at every scale. The painter's transform is restored afterwards.
 */
void drawScaled(QPainter& painter, const PageLayout& pages, int pageNo, const PrintedPage& page,
                double scale, const RoleFilter& filter = {});

/**
 * What pre-printed stationery already carries and a printer must leave out:
 * a DIN letter's letterhead and footer when the user prints on such paper.
 * False for everything else, and for every role without that choice.
 */
bool onStationery(LayoutKind kind, const ViewOptions& view, TextRole role);

/** The replay for paper: all but what the stationery carries; empty when that is nothing. */
RoleFilter paperFilter(LayoutKind kind, const ViewOptions& view);

/** What of a DIN letter lies where a printer with page can print. */
struct DinReach
{
    bool marks = true;  ///< the fold and hole marks, from 4 mm off the left edge
    bool footer = true; ///< the footer's last line, 10 mm above the bottom edge
};
/**
 * Whether page reaches a DIN letter's fixed places at the sheet's edges;
 * composition draws what it does not reach at the nearest printable place.
 */
DinReach dinReach(const PrintedPage& page);

} // namespace quillory::layout
