#pragma once

#include "document/Letter.h"
#include "layout/Composer.h"
#include "LayoutCache.h"
#include "PreviewGeometry.h"

class QPainter;

namespace quillory::output {

/** Everything a preview page depends on. */
struct PreviewRequest
{
    document::Letter letter;
    layout::ViewOptions view;
    layout::LayoutKind kind = layout::LayoutKind::Layout1;
    PrinterMetrics printer;   ///< the page the letter is composed for
    PreviewGeometry geometry; ///< how that page is shown on the screen
    int page = 1;
};

/**
 * Paints preview pages: the letter composed for the printed page, shrunk or
 * enlarged to the zoom. The zoom and the screen only scale the picture, so
 * every zoom shows the pages, lines and breaks that the printer prints.
 * Compositions are kept in a LayoutCache, which printing may share; the
 * paints that scrolling and uncovering cause only replay one page.
 */
class PreviewRenderer
{
public:
    /** cache: shared with printing; without one the renderer keeps its own. */
    explicit PreviewRenderer(LayoutCache* cache = nullptr) : m_cache(cache ? cache : &m_ownCache) {}

    /** Paints a white page of the request's size and the request's page on it. Returns the page
     * count (PageCount). */
    int paint(QPainter& painter, const PreviewRequest& request);

    /** The page count for the request without painting: composes if needed. */
    int pageCount(const PreviewRequest& request);

    /** The composition the request's page is drawn from. */
    std::shared_ptr<const layout::PageLayout> layoutFor(const PreviewRequest& request);

    /** The compositions this renderer draws from, to share with printing. */
    LayoutCache& cache() { return *m_cache; }

    /** How many times a letter was composed; for tests and benchmarks. */
    int compositions() const { return m_cache->compositions(); }

private:
    LayoutCache m_ownCache;
    LayoutCache* m_cache;
};

} // namespace quillory::output
