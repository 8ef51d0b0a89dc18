#pragma once

#include "document/Letter.h"
#include "layout/Composer.h"
#include "PrintTarget.h"

#include <functional>

namespace quillory::output {

/** What to print. */
struct PrintRequest
{
    document::Letter letter;
    layout::ViewOptions view;
    layout::LayoutKind kind = layout::LayoutKind::Layout1;
    QString title = QStringLiteral("Brief");
};

struct PrintOutcome
{
    int pages = 0;          ///< pages handed over
    bool cancelled = false; ///< the user stopped it; nothing was handed over
    QString error;          ///< why it failed; nothing was handed over
};

/** Told after each page; returning false cancels the job. */
using PrintProgress = std::function<bool(int page, int pageCount)>;

/**
 * Prints every page of a letter as one job. The letter is composed once at
 * the target's own resolution, so the job has exactly the pages the letter
 * has there, whatever a preview at another resolution counted, and n pages
 * cost one composition and n replays. Any failure or a cancel aborts the job.
 */
PrintOutcome printLetter(PrintTarget& target, const PrintRequest& request,
                         const PrintProgress& progress = {});

} // namespace quillory::output
