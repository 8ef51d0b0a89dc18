#pragma once

#include "Command.h"
#include "ViewArguments.h"

namespace quillory::cli {

/**
 * Prints a letter file on a printer queue: what "Drucken" does, without a
 * window, with the window's view choices given as options.
 */
class PrintCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("print"); }
    QString summary() const override
    {
        return QStringLiteral("print every page of a letter file as one job \"Brief\"");
    }
    QString usage() const override
    {
        return QStringLiteral("FILE.bri [--printer NAME] [--layout 1|2|din-a|din-b] ") +
               ViewArguments::usage() +
               QStringLiteral(" [--date-style numeric|iso|long] [--archive]");
    }
    int run(const QStringList& arguments, Console& console) override;
    bool needsGuiApplication() const override { return true; }
};

} // namespace quillory::cli
