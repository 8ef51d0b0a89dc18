#include "features/recent/RecentLettersPart.h"

#include "features/recent/RecentLetters.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

namespace quillory::app {

RecentLettersPart::RecentLettersPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("RecentLetters"))
{
    window.addPart(this);
    m_menu = new QMenu(QStringLiteral("Zuletzt geöffnet"), window.widget());
    m_menu->setObjectName(QStringLiteral("ZuletztGeoeffnet1"));
    m_menu->setToolTipsVisible(true);
    window.addMenuEntry(LetterWindow::MenuPlace::FileAfterOpen, m_menu->menuAction());
    connectGuarded(m_menu, &QMenu::aboutToShow, [this] { fillMenu(); });

    // Saving counts as much as opening. Either way the path is the window's file by now.
    WindowEvents& events = window.events();
    connectGuarded(&events, &WindowEvents::letterFileOpened, [this] { rememberLetter(); });
    connectGuarded(&events, &WindowEvents::letterFileSaved, [this] { rememberLetter(); });
}

RecentLettersPart::~RecentLettersPart() = default;

RecentLetters& RecentLettersPart::recentLetters()
{
    if (!m_recent)
        m_recent = std::make_unique<RecentLetters>(window().listStore());
    return *m_recent;
}

void RecentLettersPart::rememberLetter()
{
    recentLetters().add(window().fileName());
}

void RecentLettersPart::openRecent(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        recentLetters().remove(path);
        window().showStatus(
            QStringLiteral("%1 gibt es nicht mehr und wurde aus der Liste entfernt.")
                .arg(QDir::toNativeSeparators(path)));
        return;
    }
    window().openLetter(path);
}

void RecentLettersPart::fillMenu()
{
    m_menu->clear();
    const QStringList entries = recentLetters().entries();
    for (int i = 0; i < entries.size(); ++i) {
        const QString path = entries.at(i);
        // An "&" in a file name is text, not an accelerator.
        const QString name =
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setToolTip(QDir::toNativeSeparators(path));
        connectGuarded(action, &QAction::triggered, [this, path] { openRecent(path); });
    }
    m_menu->addSeparator();
    QAction* clear = m_menu->addAction(QStringLiteral("Liste leeren"));
    clear->setObjectName(QStringLiteral("ListeLeeren1"));
    clear->setEnabled(!entries.isEmpty());
    connectGuarded(clear, &QAction::triggered, [this] { recentLetters().clear(); });
}

} // namespace quillory::app
