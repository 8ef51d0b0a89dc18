#include "support/SessionGuard.h"
#include "window/MainForm.h"
#include "window/WindowEvents.h"

#include <QGuiApplication>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

// Log-off, shutdown and SIGTERM are close requests too: where someone can
// answer, the usual closing question decides; where nobody can, the settings
// are saved and the parts keep what is unsaved for the next start.

namespace quillory::app {

void MainForm::connectSession()
{
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
    // The parts keep what is unsaved before the letter counts as answered for.
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

} // namespace quillory::app
