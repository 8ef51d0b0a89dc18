#pragma once

#include "Command.h"

namespace quillory::cli {

/**
 * Checks whether a letter's address shows through a window envelope, on
 * page 1 as a 600-dpi A4 sheet prints it, and with --fix writes the letter
 * with the blank lines that bring it into the window. Exits 3 when the
 * address does not fit.
 */
class CheckCommand : public Command
{
public:
    static constexpr int kDoesNotFit = 3;

    QString name() const override { return QStringLiteral("check"); }
    QString summary() const override
    {
        return QStringLiteral("does the address show through a window envelope? (exit 3: no)");
    }
    QString usage() const override
    {
        return QStringLiteral("FILE.bri --envelope DL|C6/5|C5 [--layout 1|2|din-a|din-b] "
                              "[--blank-before-city] [--json] [--fix OUT.bri]");
    }
    int run(const QStringList& arguments, Console& console) override;
    bool needsGuiApplication() const override { return true; }
};

} // namespace quillory::cli
