#include "features/recovery/RecoveryPart.h"

#include "document/LetterFile.h"
#include "features/recovery/RecoveryStore.h"
#include "support/ErrorReport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

// While the letter has unsaved changes, a copy of it is kept in the data
// folder, written shortly after the typing pauses; saving it or giving it up
// removes the copy. A run that ends without either (a crash, kill -9, a power
// cut, or the session ending it with nobody there to answer) leaves its copy
// behind, and the next start offers it.

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

RecoveryPart::RecoveryPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("RecoveryPart")), m_copyName(RecoveryStore::newCopyName())
{
    window.addPart(this);
    m_clock.start();
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connectGuarded(m_timer, &QTimer::timeout, [this] { writeRecoveryCopy(); });

    WindowEvents& events = window.events();
    connectGuarded(&events, &WindowEvents::letterEdited, [this] { scheduleCopy(); });
    // Saved, a new letter in place of the old, or given up at the close:
    // nothing left to recover.
    connectGuarded(&events, &WindowEvents::letterClean, [this] { dropCopy(); });
    // The same copy the autosave keeps, brought up to the last key; its lock
    // goes with the process, and the next start finds it stale.
    connectGuarded(&events, &WindowEvents::sessionEnding, [this] {
        if (this->window().isChanged())
            writeRecoveryCopy();
    });
}

RecoveryPart::~RecoveryPart() = default;

RecoveryStore& RecoveryPart::store()
{
    // The folder is set once, before anything is written; a store made
    // before that (for a question only) is made again in the new folder.
    const QString folder = window().dataFolder();
    if (!m_store || m_store->folder() != folder) {
        Q_ASSERT(!m_store || !QFileInfo::exists(m_store->ownPath()));
        m_store = std::make_unique<RecoveryStore>(folder, m_copyName);
    }
    return *m_store;
}

QString RecoveryPart::recoveryFilePath() const
{
    return QDir(window().dataFolder()).filePath(m_copyName);
}

bool RecoveryPart::isRecoveryCopyPending() const
{
    return m_schedule.isPending();
}

void RecoveryPart::scheduleCopy()
{
    const qint64 now = m_clock.elapsed();
    m_schedule.changed(now);
    m_timer->start(int(qMax<qint64>(0, m_schedule.due() - now)));
}

bool RecoveryPart::writeRecoveryCopy()
{
    m_timer->stop();
    m_schedule.clear();
    if (!window().isChanged())
        return true;
    const document::FileError error = store().write(window().letter(), window().fileName());
    if (!error) {
        m_failureShown = false;
        return true;
    }
    // Never a box: it would stop the typing it is meant to protect.
    qWarning("Quillory: the recovery copy could not be written: %s",
             qUtf8Printable(error.message()));
    if (!m_failureShown) {
        window().showStatus(
            QStringLiteral("Die Sicherungskopie konnte nicht geschrieben werden: %1")
                .arg(ErrorReport::finished(error.message())));
        m_failureShown = true;
    }
    return false;
}

void RecoveryPart::dropCopy()
{
    m_timer->stop();
    m_schedule.clear();
    // Only a store that was made can have written anything.
    if (m_store)
        m_store->removeOwn();
}

void RecoveryPart::windowShown()
{
    if (m_offered)
        return;
    m_offered = true;
    LetterWindow& window = this->window();
    Prompts& prompts = window.prompts();
    std::vector<RecoveryStore::StaleCopy> copies;
    window.runGuarded([&] { copies = store().staleCopies(); });
    for (const RecoveryStore::StaleCopy& copy : copies) {
        auto loaded = document::LetterFile::readFile(copy.path, window.letter());
        if (!loaded) {
            // Kept for whoever wants to look into it, reported this once.
            const QString keptAt = RecoveryStore::setAside(copy.path);
            window.runGuarded([&] {
                prompts.showError(unreadableReport(copy, keptAt, loaded.error().message()));
            });
            continue;
        }
        switch (prompts.offerRecovery(recoveryQuestion(copy))) {
        case Prompts::Recovery::Recover:
            window.runGuarded([&] {
                // Under its own name, so that "Speichern" puts it back where
                // it belongs, and modified, since that file does not hold it.
                window.takeUnsavedLetter(loaded->letter, copy.originalName);
                // The old copy goes once this run's own holds the letter.
                if (writeRecoveryCopy())
                    RecoveryStore::removeStale(copy.path);
            });
            return;
        case Prompts::Recovery::Discard:
            if (prompts.confirmDiscard(discardQuestion(copy)))
                RecoveryStore::removeStale(copy.path);
            break;
        case Prompts::Recovery::Later:
            break;
        }
    }
}

} // namespace quillory::app
