#include "support/SessionGuard.h"

#include <QList>

#include <memory>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quillory::app {
namespace {

/** Guards alive, oldest first; the last one hears the request. */
QList<SessionGuard*>& guards()
{
    static QList<SessionGuard*> list;
    return list;
}

#ifdef Q_OS_UNIX
int g_pipe[2] = {-1, -1};
struct sigaction g_previous = {};
std::unique_ptr<QSocketNotifier> g_notifier;

extern "C" void noteTermination(int)
{
    // Only async-signal-safe calls here; errno belongs to whatever was interrupted.
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

bool openPipe()
{
    if (g_pipe[0] >= 0)
        return true;
    if (::pipe(g_pipe) != 0)
        return false;
    for (int fd : g_pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        // A full pipe must never block the handler; one byte is news enough.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

void drainPipe()
{
    char buffer[64];
    while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
}

void install()
{
    if (!openPipe())
        return;
    g_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(g_notifier.get(), &QSocketNotifier::activated, [] {
        drainPipe();
        if (!guards().isEmpty())
            emit guards().constLast()->terminationRequested();
    });
    struct sigaction action = {};
    action.sa_handler = noteTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &g_previous);
}

void uninstall()
{
    ::sigaction(SIGTERM, &g_previous, nullptr);
    g_notifier.reset();
    // A request that came in meanwhile is nobody's business any more.
    drainPipe();
}
#endif

} // namespace

SessionGuard::SessionGuard(QObject* parent) : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (guards().isEmpty())
        install();
#endif
    guards().append(this);
}

SessionGuard::~SessionGuard()
{
    guards().removeOne(this);
#ifdef Q_OS_UNIX
    if (guards().isEmpty())
        uninstall();
#endif
}

bool SessionGuard::isSupported()
{
#ifdef Q_OS_UNIX
    return true;
#else
    return false;
#endif
}

} // namespace quillory::app
