#pragma once

#include "Composer.h"
#include "document/Letter.h"
#include "PrintedPage.h"

class QImage;
class QPagedPaintDevice;

namespace quillory::layout {

/**
 * Puts a letter on the devices Qt paints pages on: a paged device (a PDF
 * writer or a printer), where the letter is composed once and its pages are
 * drawn one after another, or a bitmap holding one page, scaled to the
 * bitmap's resolution.
 */
class PagePrinter
{
public:
    PagePrinter(LayoutKind kind, const document::Letter& letter, const ViewOptions& view)
        : m_kind(kind), m_letter(letter), m_view(view)
    {}

    /**
     * Draws pages first to last (0: the last page) of the letter composed for
     * printed on the device, starting a new device page between them, and
     * returns the letter's page count; -1 when the device cannot be painted
     * on. printed is the device's page, named by the caller so that every
     * output for the same paper composes for exactly the same page.
     */
    int print(QPagedPaintDevice& device, const PrintedPage& printed, int first = 1,
              int last = 0) const;

    /**
     * Draws page pageNo of the letter as composed for printed on image, which
     * the caller fills white beforehand, scaled from the printed page's
     * resolution to the image's (its dots per metre): the picture of the page
     * that a device of printed's kind prints. Returns the page count; -1 when
     * the image cannot be painted on.
     */
    int drawPage(QImage& image, int pageNo, const PrintedPage& printed) const;

private:
    LayoutKind m_kind;
    const document::Letter& m_letter;
    ViewOptions m_view;
};

} // namespace quillory::layout
