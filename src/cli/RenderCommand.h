#pragma once

#include "Command.h"

namespace quillory::cli {

/**
 * Draws a letter file's pages as the printer would: every page into a PDF
 * (the whole sheet, no unprintable border), or one page into a PNG. Prints
 * the page count.
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
        return QStringLiteral("FILE.bri -o OUT.pdf|OUT.png [--layout 1|2] [--page N] [--dpi D] "
                              "[--blank-before-city] [--signature-text] [--paper A4|A5|A3|B5|"
                              "Letter|Legal]");
    }
    bool needsGuiApplication() const override { return true; }
    int run(const QStringList& arguments, Console& console) override;
};

} // namespace quillory::cli
