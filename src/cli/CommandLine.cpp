#include "CommandLine.h"

#include "AddressBookCommand.h"
#include "ArchiveCommand.h"
#include "CheckCommand.h"
#include "ConvertCommand.h"
#include "InfoCommand.h"
#include "MergeCommand.h"
#include "PrintCommand.h"
#include "RenderCommand.h"
#include "SpellCommand.h"

#include "QuilloryVersion.h"

namespace quillory::cli {

CommandLine::CommandLine()
{
    m_commands.push_back(std::make_unique<InfoCommand>());
    m_commands.push_back(std::make_unique<ConvertCommand>());
    m_commands.push_back(std::make_unique<RenderCommand>());
    m_commands.push_back(std::make_unique<PrintCommand>());
    m_commands.push_back(std::make_unique<CheckCommand>());
    m_commands.push_back(std::make_unique<SpellCommand>());
    m_commands.push_back(std::make_unique<MergeCommand>());
    m_commands.push_back(std::make_unique<AddressBookCommand>());
    m_commands.push_back(std::make_unique<ArchiveCommand>());
}

int CommandLine::run(const QStringList& arguments, Console& console)
{
    if (arguments.isEmpty())
        return console.usageFailure(QStringLiteral("no command given"),
                                    QStringLiteral("usage: quillory-cli COMMAND ARGS... "
                                                   "(quillory-cli --help lists the commands)"));
    const QString& first = arguments.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
        first == QLatin1String("help")) {
        printHelp(console.out);
        return Success;
    }
    if (first == QLatin1String("--version")) {
        console.out << "quillory-cli " QUILLORY_VERSION << Qt::endl;
        return Success;
    }
    for (const auto& command : m_commands) {
        if (command->name() != first)
            continue;
        const QStringList rest = arguments.mid(1);
        if (rest.contains(QLatin1String("--help"))) {
            console.out << command->usageLine() << Qt::endl;
            return Success;
        }
        return command->run(rest, console);
    }
    return console.usageFailure(QStringLiteral("unknown command %1").arg(first),
                                QStringLiteral("usage: quillory-cli COMMAND ARGS... "
                                               "(quillory-cli --help lists the commands)"));
}

bool CommandLine::needsGuiApplication(const QString& command) const
{
    for (const auto& candidate : m_commands) {
        if (candidate->name() == command)
            return candidate->needsGuiApplication();
    }
    return false;
}

void CommandLine::printHelp(QTextStream& out) const
{
    out << "usage: quillory-cli COMMAND ARGS...\n\nCommands:\n";
    for (const auto& command : m_commands) {
        out << "  " << (command->name() + QLatin1Char(' ') + command->usage()).leftJustified(28)
            << ' ' << command->summary() << '\n';
    }
    out << "\n--version prints the program's version.\n";
    out << "\nExit status: 0 success, 1 a file could not be read or written, 2 wrong usage,\n"
           "3 (check) the address does not fit the envelope's window, (spell) unknown words.\n";
    out.flush();
}

} // namespace quillory::cli
