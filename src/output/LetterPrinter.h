#pragma once

#include "document/Letter.h"
#include "layout/Composer.h"
#include "LayoutCache.h"
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
 * Prints every page of a letter as one job. The letter is composed once for
 * the target's page, as the preview composes it for the same page, so n pages
 * cost one composition (none when cache already holds it) and n replays. Any
 * failure or a cancel aborts the job.
 */
PrintOutcome printLetter(PrintTarget& target, const PrintRequest& request,
                         const PrintProgress& progress = {}, LayoutCache* cache = nullptr);

} // namespace quillory::output
