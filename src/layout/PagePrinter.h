#pragma once

#include "Composer.h"
#include "document/Letter.h"

class QImage;
class QPagedPaintDevice;

namespace quillory::layout {

/**
 * Puts a letter on the devices Qt paints pages on: a paged device (a PDF
 * writer or a printer), where the letter is composed once and its pages are
 * drawn one after another, or a bitmap holding one page. Both compose at the
 * device's own resolution with font scale 1, on the whole device area.
 */
class PagePrinter
{
public:
    PagePrinter(LayoutKind kind, const document::Letter& letter, const ViewOptions& view)
        : m_kind(kind), m_letter(letter), m_view(view)
    {}

    /**
     * Draws pages first to last (0: the last page) on the device, starting a
     * new device page between them, and returns the letter's page count;
     * -1 when the device cannot be painted on.
     */
    int print(QPagedPaintDevice& device, int first = 1, int last = 0) const;

    /**
     * Draws page pageNo on image, which the caller fills white beforehand,
     * at the image's resolution (its dots per metre). Returns the page count;
     * -1 when the image cannot be painted on.
     */
    int drawPage(QImage& image, int pageNo) const;

private:
    LayoutKind m_kind;
    const document::Letter& m_letter;
    ViewOptions m_view;
};

} // namespace quillory::layout
