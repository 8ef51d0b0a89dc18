#include "window/MainForm.h"
#include "features/recent/RecentLetters.h"
#include "settings/QSettingsBackend.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

// "Datei" > "Zuletzt geöffnet": filled each time it opens, so the start
// reads no list at all and the menu never shows a stale one.

namespace quillory::app {

void MainForm::setListStore(settings::ListStore* store)
{
    Q_ASSERT(!m_recent);
    m_listStore = store;
}

settings::ListStore& MainForm::listStore()
{
    if (!m_listStore) {
        m_ownListStore = std::make_unique<settings::QSettingsListStore>(
            settings::QSettingsBackend::programBaseName());
        m_listStore = m_ownListStore.get();
    }
    return *m_listStore;
}

RecentLetters& MainForm::recentLetters()
{
    if (!m_recent)
        m_recent = std::make_unique<RecentLetters>(listStore());
    return *m_recent;
}

void MainForm::rememberLetter(const QString& path)
{
    recentLetters().add(path);
}

void MainForm::connectRecent()
{
    ZuletztGeoeffnet1->setToolTipsVisible(true);
    connect(ZuletztGeoeffnet1, &QMenu::aboutToShow, this,
            [this] { runGuarded([this] { fillRecentMenu(); }); });
}

void MainForm::fillRecentMenu()
{
    ZuletztGeoeffnet1->clear();
    const QStringList entries = recentLetters().entries();
    for (int i = 0; i < entries.size(); ++i) {
        const QString path = entries.at(i);
        // An "&" in a file name is text, not an accelerator.
        const QString name =
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action =
            ZuletztGeoeffnet1->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this,
                [this, path] { runGuarded([this, &path] { OpenRecentFile(path); }); });
    }
    ZuletztGeoeffnet1->addSeparator();
    QAction* clear = ZuletztGeoeffnet1->addAction(QStringLiteral("Liste leeren"));
    clear->setObjectName(QStringLiteral("ListeLeeren1"));
    clear->setEnabled(!entries.isEmpty());
    connect(clear, &QAction::triggered, this,
            [this] { runGuarded([this] { recentLetters().clear(); }); });
}

} // namespace quillory::app
