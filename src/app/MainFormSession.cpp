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
    return RecoveryFile(m_recoveryFolder).path();
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
    saveUserSettings();
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
        // No message: nobody would see it before the program is gone.
        const document::FileError error = RecoveryFile(m_recoveryFolder).write(letter());
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
    const RecoveryFile recovery(m_recoveryFolder);
    if (m_recoveryOffered || !recovery.exists())
        return;
    // Only the run that offered the file removes it: a second copy of the
    // program, started before, must not take another's letter away.
    m_recoveryOffered = true;
    if (!m_prompts->openRecoveredLetter(recoveredQuestion()))
        return;
    runGuarded([this, &recovery] {
        auto loaded = recovery.read(letter());
        if (!loaded)
            throw CommandError(loaded.error().message());
        setLetter(loaded->letter);
        // The letter is on no disk of the user's: unnamed, so that saving
        // asks for a name instead of writing into the recovery place, and
        // modified, so that closing asks before it is lost again.
        FileName.clear();
        SetChanged();
        repaintPreview();
    });
}

void MainForm::dropRecoveredLetter()
{
    if (m_recoveryOffered)
        RecoveryFile(m_recoveryFolder).remove();
}

} // namespace quillory::app
