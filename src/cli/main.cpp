#include "CommandLine.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <memory>
#include <new>

namespace {

int run(int argc, char* argv[])
{
#ifdef SIGXFSZ
    // A file beyond the process's size limit is then a failed write, reported
    // like a full disk, rather than the end of the program partway through.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    quillory::cli::CommandLine commandLine;
    // Commands that draw text need fonts, and so a QGuiApplication; without a
    // display they draw through the offscreen platform.
    const bool gui = argc > 1 && commandLine.needsGuiApplication(QString::fromLocal8Bit(argv[1]));
    if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        gui ? std::make_unique<QGuiApplication>(argc, argv)
            : std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    quillory::cli::Console console{out, err};
    const int status = commandLine.run(QCoreApplication::arguments().mid(1), console);
    out.flush();
    err.flush();
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        // Whatever was built is given back while unwinding; the message needs no memory of its own.
        std::fputs("quillory-cli: Nicht genügend Arbeitsspeicher, der Befehl wurde abgebrochen\n",
                   stderr);
        return 1;
    }
}
