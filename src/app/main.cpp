#include "MainForm.h"
#include "Startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    quillory::app::Startup::installGermanTranslations(application);
    // The desktop entry gives the taskbar its name "Quillory" and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillory"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillory/quillory.png")));

    quillory::app::MainForm form(QApplication::arguments().mid(1));
    form.show();
    return QApplication::exec();
}
