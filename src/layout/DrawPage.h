#pragma once

#include "Canvas.h"
#include "Composer.h"
#include "document/Letter.h"
#include "PageLayout.h"

namespace quillory::layout {

/**
 * Composes the whole letter on canvas (measuring there, at the target's own
 * resolution) and returns its pages. Draw any of them with PageLayout::draw.
 */
PageLayout composeLetter(LayoutKind kind, const document::Letter& letter, const ViewOptions& view,
                         Canvas& canvas, const PageGeometry& geometry);

/**
 * Draws page pageNo of the letter in Layout 1 on canvas, which the caller
 * hands over blank, and returns the number of pages (PageCount). Every call
 * lays out the whole letter, so any page breaks at the same lines whichever
 * page is drawn; a page beyond the last shows only the fold marks.
 */
int drawpage(Canvas& canvas, int pageWidth, int pageHeight, int pageNo, double dpi,
             double fontScale, const document::Letter& letter, const ViewOptions& view);

/** The same in Layout 2. */
int drawpage2(Canvas& canvas, int pageWidth, int pageHeight, int pageNo, double dpi,
              double fontScale, const document::Letter& letter, const ViewOptions& view);

} // namespace quillory::layout
