#pragma once

#include "AddressCheck.h"

#include <QRectF>

class QPainter;

namespace quillory::envelope {

/**
 * A rectangle in sheet millimetres as pixels of page, whose printable area
 * starts at the sheet's printable origin.
 */
QRectF onPage(const QRectF& sheetMm, const Sheet& sheet, const layout::PrintedPage& page);

/**
 * Draws, in light colours, where check's window shows on page 1: the window
 * with the sheet centred and the safe zone. For the screen only, over a page
 * drawn with drawScaled at scale; a printed letter never carries it.
 */
void drawWindowOverlay(QPainter& painter, const AddressCheck& check, const Sheet& sheet,
                       const layout::PrintedPage& page, double scale);

} // namespace quillory::envelope
