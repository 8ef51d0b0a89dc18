#pragma once

#include "Command.h"

namespace quillory::cli {

/**
 * Draws a letter file's pages as the printer would: every page into a PDF
 * (the whole sheet, no unprintable border), a PDF/A-1b unless plain PDF 1.4
 * is asked for, or one page into a PNG. Prints the page count.
 */
class RenderCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("render"); }
    QString summary() const override
    {
        return QStringLiteral("draw a letter file's pages into a PDF or one page into a PNG");
    }
    QString usage() const override
    {
        return QStringLiteral(
            "FILE.bri -o OUT.pdf|OUT.png [--layout 1|2|din-a|din-b] [--page N] [--dpi D] "
            "[--blank-before-city] [--signature-text] [--paper A4|A5|A3|B5|"
            "Letter|Legal] [--pdf A-1b|1.4] [--signature-image FILE "
            "[--signature-height MM]] [--letterhead FILE] [--date-style numeric|iso|long] "
            "[--archive]");
    }
    bool needsGuiApplication() const override { return true; }
    int run(const QStringList& arguments, Console& console) override;
};

} // namespace quillory::cli
