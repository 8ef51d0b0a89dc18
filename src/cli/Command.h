#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace quillory::cli {

/** Exit statuses shared by every command. */
enum ExitStatus { Success = 0, FileFailure = 1, UsageFailure = 2 };

/** Where a command writes; tests pass string-backed streams. */
struct Console
{
    QTextStream& out;
    QTextStream& err;

    /** The one line a failing file operation prints: "quillory-cli: PATH: MESSAGE". */
    int fileFailure(const QString& path, const QString& message);
    /** A usage error: the problem, then the command's usage line. */
    int usageFailure(const QString& problem, const QString& usage);
    /**
     * Refuses, as wrong usage, an output that is one of the command's inputs
     * (by any name): Success when it is none of them.
     */
    int checkOutput(const QString& output, const QStringList& inputs, const QString& usage);
};

/**
 * A text from a file or the command line with its control characters spelled
 * out ("\r", "\n", "\t", "\x1b"): written raw, a crafted name or letter could
 * retitle or clear the terminal. keepLineBreaks leaves "\n" for messages of
 * several lines.
 */
QString visible(const QString& text, bool keepLineBreaks = false);

/** One sub-command of quillory-cli. */
class Command
{
public:
    virtual ~Command() = default;
    virtual QString name() const = 0;
    virtual QString summary() const = 0;
    /** Arguments after the command name, e.g. "[--json] FILE.bri". */
    virtual QString usage() const = 0;
    virtual int run(const QStringList& arguments, Console& console) = 0;
    /** Whether the command draws text and so needs a QGuiApplication (fonts). */
    virtual bool needsGuiApplication() const { return false; }

    QString usageLine() const;
};

} // namespace quillory::cli
