#include "ErrorReport.h"
#include "MainForm.h"
#include "RecoveryFile.h"
#include "SessionGuard.h"

#include <QGuiApplication>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

// Log-off, shutdown and SIGTERM are close requests too. Where someone can
// answer, the usual closing question decides; where nobody can, nothing is
// lost: the settings are saved and an unsaved letter waits in the recovery
// file for the next start.

namespace quillory::app {
namespace {

QString recoveredQuestion()
{
    return QStringLiteral("Ein ungespeicherter Brief wurde wiederhergestellt. Öffnen?");
}

} // namespace

void MainForm::connectSession()
{
    m_recoveryFolder = RecoveryFile::defaultFolder();
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

void MainForm::setRecoveryFolder(const QString& folder)
{
    m_recoveryFolder = folder;
}

QString MainForm::recoveryFilePath() const
{
    return RecoveryFile(m_recoveryFolder).firstPath();
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
    if (Changed) {
        // The letter this run opened from the recovery place is written back
        // over itself; any other gets a file of its own, so neither a letter
        // declined at the start nor another copy's letter is overwritten.
        const RecoveryFile recovery(m_recoveryFolder);
        const QString path = m_recoveryOpened ? m_recoveryPath : recovery.freePath();
        // No message: nobody would see it before the program is gone.
        const document::FileError error = recovery.write(path, letter());
        if (error)
            qWarning("Quillory: the unsaved letter could not be kept: %s",
                     qUtf8Printable(error.message()));
    }
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
    if (!m_recoveryPath.isEmpty())
        return;
    const QStringList waiting = RecoveryFile(m_recoveryFolder).waiting();
    if (waiting.isEmpty())
        return;
    // One letter per start. Only the run that offered a file removes it: a
    // second copy of the program, started before, must not take another's
    // letter away.
    m_recoveryPath = waiting.constFirst();
    if (!m_prompts->openRecoveredLetter(recoveredQuestion()))
        return;
    runGuarded([this] {
        auto loaded = RecoveryFile::read(m_recoveryPath, letter());
        if (!loaded)
            throw CommandError(loaded.error().message());
        setLetter(loaded->letter);
        // The letter is on no disk of the user's: unnamed, so that saving
        // asks for a name instead of writing into the recovery place, and
        // modified, so that closing asks before it is lost again.
        FileName.clear();
        SetChanged();
        repaintPreview();
        m_recoveryOpened = true;
    });
}

void MainForm::dropRecoveredLetter()
{
    if (!m_recoveryPath.isEmpty())
        RecoveryFile::remove(m_recoveryPath);
}

} // namespace quillory::app
