#include "LetterPrinter.h"

#include "layout/PrintedPage.h"

#include <exception>
#include <new>

namespace quillory::output {

PrintOutcome printLetter(PrintTarget& target, const PrintRequest& request,
                         const PrintProgress& progress, LayoutCache* cache)
{
    PrintOutcome outcome;
    PrinterMetrics metrics;
    if (QString error = target.metrics(metrics); !error.isEmpty()) {
        outcome.error = error;
        return outcome;
    }
    if (QString error = target.begin(request.title); !error.isEmpty()) {
        outcome.error = error;
        return outcome;
    }
    try {
        LayoutCache ownCache;
        const layout::PrintedPage page = metrics.page();
        const std::shared_ptr<const layout::PageLayout> pages =
            (cache ? *cache : ownCache).layoutFor(request.letter, request.view, request.kind, page);
        const int count = pages->pageCount();
        const layout::RoleFilter filter = target.onPaper()
                                              ? layout::paperFilter(request.kind, request.view)
                                              : layout::RoleFilter();
        for (int pageNo = 1; pageNo <= count; ++pageNo) {
            if (pageNo > 1) {
                if (QString error = target.newPage(); !error.isEmpty()) {
                    target.abort();
                    outcome.error = error;
                    return outcome;
                }
            }
            layout::drawScaled(target.painter(), *pages, pageNo, page, 1, filter);
            if (progress && !progress(pageNo, count)) {
                target.abort();
                outcome.cancelled = true;
                return outcome;
            }
        }
        if (QString error = target.end(); !error.isEmpty()) {
            target.abort();
            outcome.error = error;
            return outcome;
        }
        outcome.pages = count;
    } catch (const std::bad_alloc&) {
        target.abort();
        outcome.error = QStringLiteral("Nicht genügend Arbeitsspeicher");
    } catch (const std::exception& e) {
        // A job left running would refuse every later one.
        target.abort();
        outcome.error = QString::fromLocal8Bit(e.what());
    }
    return outcome;
}

} // namespace quillory::output
