// The window as the parts see it (LetterWindow): where they put their
// widgets and entries, the letter as they may read and edit it, and the
// user's store and data folder.
#include "settings/QSettingsBackend.h"
#include "window/MainForm.h"
#include "window/TextFields.h"
#include "window/WindowPart.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>

namespace quillory::app {

void MainForm::showStatus(const QString& text, int timeoutMs)
{
    StatusBar1->showMessage(text, timeoutMs);
}

QWidget* MainForm::place(Place place)
{
    switch (place) {
    case Place::LetterTab:
        return TabSheet1;
    case Place::SenderTab:
        return TabSheet2;
    case Place::PreviewPanel:
        return Panel2;
    case Place::StatusBar:
        return StatusBar1;
    }
    return nullptr;
}

void MainForm::addMenuEntry(MenuPlace place, QAction* action)
{
    switch (place) {
    case MenuPlace::FileAfterOpen:
        Datei1->insertAction(Speichern1, action);
        break;
    case MenuPlace::FileAfterOutput:
        Datei1->insertAction(N3, action);
        break;
    case MenuPlace::EditingEnd:
        Bearbeiten1->addAction(action);
        break;
    }
}

void MainForm::addPart(WindowPart* part)
{
    m_parts.push_back(part);
}

void MainForm::editLetter(const document::Letter& edited)
{
    const document::Letter before = letter();
    setLetter(edited);
    // The text fields mark the letter themselves; the fonts have no signal.
    if (letter() != before)
        SetChanged();
}

void MainForm::markEdited()
{
    SetChanged();
    repaintPreview();
}

void MainForm::addTab(QWidget* page, const QString& title)
{
    PageControl1->addTab(page, title);
}

QWidget* MainForm::textField(const QString& key)
{
    const TextField* field = textFieldByKey(key);
    return field ? findChild<QWidget*>(QLatin1StringView(field->objectName)) : nullptr;
}

void MainForm::openLetter(const QString& path)
{
    if (maybeSave(
            QStringLiteral("Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?")))
        OpenFileWithName(path);
}

void MainForm::takeUnsavedLetter(const document::Letter& taken, const QString& fileName)
{
    setLetter(taken);
    m_events->letterReplaced();
    FileName = fileName;
    SetChanged();
    repaintPreview();
}

bool MainForm::isPreviewShown() const
{
    return PageControl1->currentWidget() == TabSheet3;
}

settings::SettingsBackend& MainForm::settingsStore()
{
    formStorage(); // binds the per-user store
    return *m_settingsBackend;
}

void MainForm::setListStore(settings::ListStore* store)
{
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

bool MainForm::mayWriteSettings() const
{
    // Not into a store whose reading failed: this run leaves it as it is.
    return FormStorage1 && FormStorage1->isRestored() && m_settingsBackend;
}

void MainForm::setDataFolder(const QString& folder)
{
    m_dataFolder = folder;
}

} // namespace quillory::app
