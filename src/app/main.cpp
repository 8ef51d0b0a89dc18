#include "support/Startup.h"
#include "window/MainForm.h"

#include "QuilloryVersion.h"

#include <QApplication>
#include <QIcon>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

int run(int argc, char* argv[])
{
#ifdef SIGXFSZ
    // A file beyond the process's size limit is then a failed write, reported
    // like a full disk, rather than the end of the program partway through.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication application(argc, argv);
    quillory::app::Startup::installGermanTranslations(application);
    // The desktop entry gives the taskbar its name "Quillory" and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillory"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillory/quillory.png")));

    quillory::app::MainForm form(QApplication::arguments().mid(1));
    form.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before Qt starts, so it works without a display (package
    // checks, scripts, a text console).
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("quillory " QUILLORY_VERSION);
        return 0;
    }
    // The window's commands report a lack of memory themselves; this is for
    // what fails outside them, e.g. while the window is built.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("quillory: Nicht genügend Arbeitsspeicher, das Programm wird beendet\n", stderr);
        return 1;
    }
}
