#pragma once

#include "PreviewGeometry.h"

#include <QString>

class QPainter;

namespace quillory::output {

/**
 * A device a letter is printed on page by page: a printer queue or a PDF
 * file. A job is begun, gets new pages, and is either ended, which hands it
 * over (to the queue, or to the file replacing the old one), or aborted,
 * which leaves nothing behind.
 */
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;

    /** The page to compose for; an empty text when it can be had, else why not. */
    virtual QString metrics(PrinterMetrics& metrics) = 0;
    /** Starts the job and its first page; an empty text, or the error. */
    virtual QString begin(const QString& title) = 0;
    /** The painter on the current page; valid between begin() and end()/abort(). */
    virtual QPainter& painter() = 0;
    virtual QString newPage() = 0;
    /** Ends the job and hands it over; an empty text, or the error. */
    virtual QString end() = 0;
    /** Drops the job: nothing stays queued, no file is left. */
    virtual void abort() = 0;
    /**
     * Whether the pages come out on paper, which may be pre-printed
     * stationery; a file keeps every part of the letter.
     */
    virtual bool onPaper() const { return true; }
};

} // namespace quillory::output
