#include "features/recovery/AutosaveSchedule.h"
#include "document/LetterFile.h"
#include "support/ErrorReport.h"
#include "window/MainForm.h"
#include "window/WindowEvents.h"
#include "features/recovery/RecoveryStore.h"
#include "support/SessionGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStatusBar>
#include <QTimer>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

// While the letter has unsaved changes, a copy of it is kept in the data
// folder, written shortly after the typing pauses; saving it or giving it up
// removes the copy. A run that ends without either (a crash, kill -9, a power
// cut, or the session ending it with nobody there to answer) leaves its copy
// behind, and the next start offers it. Log-off, shutdown and SIGTERM are
// close requests too: where someone can answer, the usual closing question
// decides; where nobody can, the settings are saved and the copy written.

namespace quillory::app {
namespace {

QString shownName(const QString& originalName)
{
    return originalName.isEmpty() ? QStringLiteral("unbenannt.bri")
                                  : QFileInfo(originalName).fileName();
}

QString recoveryQuestion(const RecoveryStore::StaleCopy& copy)
{
    const QDateTime written = copy.written.toLocalTime();
    return QStringLiteral("Ein ungespeicherter Brief (%1, zuletzt geändert am %2 um %3) wurde "
                          "gefunden. Wiederherstellen?")
        .arg(shownName(copy.originalName), written.toString(QStringLiteral("dd.MM.yyyy")),
             written.toString(QStringLiteral("HH:mm")));
}

QString discardQuestion(const RecoveryStore::StaleCopy& copy)
{
    return QStringLiteral("Der ungespeicherte Brief (%1) wird endgültig gelöscht. Fortfahren?")
        .arg(shownName(copy.originalName));
}

QString unreadableReport(const RecoveryStore::StaleCopy& copy, const QString& keptAt,
                         const QString& reason)
{
    return QStringLiteral("Ein ungespeicherter Brief (%1) konnte nicht gelesen werden: %2\n"
                          "Die Kopie bleibt unter %3 erhalten.")
        .arg(shownName(copy.originalName), ErrorReport::finished(reason),
             QDir::toNativeSeparators(keptAt));
}

} // namespace

void MainForm::connectSession()
{
    m_autosave = std::make_unique<AutosaveSchedule>();
    m_autosaveClock.start();
    m_autosaveTimer = new QTimer(this);
    m_autosaveTimer->setSingleShot(true);
    connect(m_autosaveTimer, &QTimer::timeout, this, [this] { writeRecoveryCopy(); });

    m_sessionGuard = new SessionGuard(this);
    connect(m_sessionGuard, &SessionGuard::terminationRequested, this,
            &MainForm::sessionTerminated);
#ifndef QT_NO_SESSIONMANAGER
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager& manager) {
                    // allowsInteraction() waits for our turn to ask and may say no.
                    const bool canAsk = manager.allowsInteraction();
                    const bool mayEnd = sessionEnds(canAsk);
                    if (canAsk)
                        manager.release();
                    if (!mayEnd)
                        manager.cancel();
                });
    }
#endif
}

void MainForm::setDataFolder(const QString& folder)
{
    // The copy's name is chosen with the folder; nothing is written before a change.
    Q_ASSERT(!m_recoveryStore || !QFileInfo::exists(m_recoveryStore->ownPath()));
    m_dataFolder = folder;
    m_recoveryStore.reset();
}

RecoveryStore& MainForm::recoveryStore()
{
    if (!m_recoveryStore)
        m_recoveryStore = std::make_unique<RecoveryStore>(m_dataFolder);
    return *m_recoveryStore;
}

QString MainForm::recoveryFilePath() const
{
    return const_cast<MainForm*>(this)->recoveryStore().ownPath();
}

void MainForm::scheduleRecoveryCopy()
{
    if (!m_autosave)
        return; // still being built
    const qint64 now = m_autosaveClock.elapsed();
    m_autosave->changed(now);
    m_autosaveTimer->start(int(qMax<qint64>(0, m_autosave->due() - now)));
}

bool MainForm::isRecoveryCopyPending() const
{
    return m_autosave && m_autosave->isPending();
}

bool MainForm::writeRecoveryCopy()
{
    m_autosaveTimer->stop();
    m_autosave->clear();
    if (!Changed)
        return true;
    const document::FileError error = recoveryStore().write(letter(), FileName);
    if (!error) {
        m_recoveryFailureShown = false;
        return true;
    }
    // Never a box: it would stop the typing it is meant to protect.
    qWarning("Quillory: the recovery copy could not be written: %s",
             qUtf8Printable(error.message()));
    if (!m_recoveryFailureShown && StatusBar1) {
        StatusBar1->showMessage(
            QStringLiteral("Die Sicherungskopie konnte nicht geschrieben werden: %1")
                .arg(ErrorReport::finished(error.message())));
        m_recoveryFailureShown = true;
    }
    return false;
}

bool MainForm::sessionEnds(bool canAsk)
{
    if (!canAsk) {
        keepForNextStart();
        return true;
    }
    bool canClose = false;
    if (!runGuarded([&] { FormCloseQuery(canClose); }) || !canClose)
        return false;
    // The question was the user's to answer; a settings error is not worth
    // holding up the log-off with a box.
    saveUserSettings(false);
    dropRecoveredLetter();
    m_events->letterClean();
    m_sessionAnsweredLetter = letter();
    return true;
}

void MainForm::sessionTerminated()
{
    keepForNextStart();
    // exit(), not quit(): quit() would send the window a close request and
    // with it the question nobody is there to answer.
    QCoreApplication::exit(0);
}

void MainForm::keepForNextStart()
{
    saveUserSettings(false);
    // The same copy the autosave keeps, brought up to the last key; its lock
    // goes with the process, and the next start finds it stale.
    if (Changed)
        writeRecoveryCopy();
    m_events->sessionEnding();
    m_sessionAnsweredLetter = letter();
}

bool MainForm::sessionAlreadyAnswered() const
{
    // After a log-off that was answered (or could not be), the window closes
    // without a second question, unless the user went on editing because the
    // log-off was called off.
    return m_sessionAnsweredLetter && *m_sessionAnsweredLetter == letter();
}

void MainForm::offerRecoveredLetter()
{
    if (m_recoveryOffered)
        return;
    m_recoveryOffered = true;
    std::vector<RecoveryStore::StaleCopy> copies;
    runGuarded([&] { copies = recoveryStore().staleCopies(); });
    for (const RecoveryStore::StaleCopy& copy : copies) {
        auto loaded = document::LetterFile::readFile(copy.path, letter());
        if (!loaded) {
            // Kept for whoever wants to look into it, reported this once.
            const QString keptAt = RecoveryStore::setAside(copy.path);
            runGuarded([&] {
                m_prompts->showError(unreadableReport(copy, keptAt, loaded.error().message()));
            });
            continue;
        }
        switch (m_prompts->offerRecovery(recoveryQuestion(copy))) {
        case Prompts::Recovery::Recover:
            runGuarded([&] {
                setLetter(loaded->letter);
                m_events->letterReplaced();
                // Under its own name, so that "Speichern" puts it back where
                // it belongs, and modified, since that file does not hold it.
                FileName = copy.originalName;
                SetChanged();
                repaintPreview();
                // The old copy goes once this run's own holds the letter.
                if (writeRecoveryCopy())
                    RecoveryStore::removeStale(copy.path);
            });
            return;
        case Prompts::Recovery::Discard:
            if (m_prompts->confirmDiscard(discardQuestion(copy)))
                RecoveryStore::removeStale(copy.path);
            break;
        case Prompts::Recovery::Later:
            break;
        }
    }
}

void MainForm::dropRecoveredLetter()
{
    if (m_autosave) {
        m_autosaveTimer->stop();
        m_autosave->clear();
    }
    if (m_recoveryStore)
        m_recoveryStore->removeOwn();
}

} // namespace quillory::app
