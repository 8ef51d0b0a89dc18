#pragma once

#include "document/Letter.h"
#include "layout/Composer.h"
#include "layout/PageLayout.h"
#include "PreviewGeometry.h"

#include <optional>

class QPainter;

namespace quillory::output {

/** Everything a preview page depends on. */
struct PreviewRequest
{
    document::Letter letter;
    layout::ViewOptions view;
    layout::LayoutKind kind = layout::LayoutKind::Layout1;
    PreviewGeometry geometry;
    int page = 1;
};

/**
 * Paints preview pages. The letter is composed once for everything a page
 * depends on and the layout is kept, so the paints that scrolling and
 * uncovering cause only replay one page's drawing operations; any change of
 * the letter, the view, the layout, the zoom or the device composes anew,
 * and the picture is the same as composing on every paint.
 */
class PreviewRenderer
{
public:
    /**
     * Paints a white page of the request's size and the request's page on
     * it, measuring on the painter's device (the screen). Returns the page
     * count of the composition (PageCount).
     */
    int paint(QPainter& painter, const PreviewRequest& request);

    /** The page count for the request without painting: composes if needed. */
    int pageCount(QPainter& measuring, const PreviewRequest& request);

    /** How many times a letter was composed; for tests and benchmarks. */
    int compositions() const { return m_compositions; }

private:
    struct Key
    {
        document::Letter letter;
        bool blankBeforeRecipientCity;
        bool signatureIsSenderName;
        layout::LayoutKind kind;
        QSize size;
        double dpi;
        double fontScale;
        int deviceDpiY;
        friend bool operator==(const Key&, const Key&) = default;
    };

    const layout::PageLayout& layoutFor(QPainter& painter, const PreviewRequest& request);

    std::optional<Key> m_key;
    layout::PageLayout m_layout;
    int m_compositions = 0;
};

} // namespace quillory::output
