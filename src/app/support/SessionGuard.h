#pragma once

#include <QObject>

namespace quillory::app {

/**
 * Turns the desktop session's request to end the program (SIGTERM on Unix)
 * into a signal on the user-interface thread, where the settings and an
 * unsaved letter can still be written. The signal handler itself only writes
 * one byte into a pipe; everything else happens in the event loop.
 *
 * While at least one guard lives, SIGTERM no longer ends the process by
 * itself; the newest guard receives the request. When the last guard goes,
 * the previous handling of the signal comes back. On platforms without
 * signals a guard never fires (the session manager's request reaches the
 * window through QGuiApplication::commitDataRequest instead).
 */
class SessionGuard : public QObject
{
    Q_OBJECT

public:
    explicit SessionGuard(QObject* parent = nullptr);
    ~SessionGuard() override;

    /** False where termination signals cannot be caught. */
    static bool isSupported();

signals:
    void terminationRequested();
};

} // namespace quillory::app
