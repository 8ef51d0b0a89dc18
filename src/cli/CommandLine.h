#pragma once

#include "Command.h"

#include <memory>
#include <vector>

namespace quillory::cli {

/** Dispatches quillory-cli's arguments to its commands. */
class CommandLine
{
public:
    CommandLine();

    /** arguments without the program name. */
    int run(const QStringList& arguments, Console& console);
    /** Whether the command of that name needs a QGuiApplication. */
    bool needsGuiApplication(const QString& command) const;

private:
    void printHelp(QTextStream& out) const;

    std::vector<std::unique_ptr<Command>> m_commands;
};

} // namespace quillory::cli
