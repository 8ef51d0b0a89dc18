#include "LetterPrinter.h"

#include "layout/DrawPage.h"
#include "layout/PainterCanvas.h"

#include <exception>

namespace quillory::output {

PrintOutcome printLetter(PrintTarget& target, const PrintRequest& request,
                         const PrintProgress& progress)
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
        layout::PainterCanvas canvas(target.painter());
        const layout::PageGeometry geometry{metrics.printableArea.width(),
                                            metrics.printableArea.height(),
                                            double(metrics.resolutionX), 1.0};
        const layout::PageLayout pages =
            layout::composeLetter(request.kind, request.letter, request.view, canvas, geometry);
        const int count = pages.pageCount();
        for (int page = 1; page <= count; ++page) {
            if (page > 1) {
                if (QString error = target.newPage(); !error.isEmpty()) {
                    target.abort();
                    outcome.error = error;
                    return outcome;
                }
            }
            pages.draw(page, canvas);
            if (progress && !progress(page, count)) {
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
    } catch (const std::exception& e) {
        // A job left running would refuse every later one.
        target.abort();
        outcome.error = QString::fromLocal8Bit(e.what());
    }
    return outcome;
}

} // namespace quillory::output
