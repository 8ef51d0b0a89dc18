#pragma once

#include "features/recovery/AutosaveSchedule.h"
#include "window/WindowPart.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QTimer;

namespace quillory::app {

class RecoveryStore;

/**
 * The recovery copy: while the letter has unsaved changes, a copy of it is
 * kept in the window's data folder, written a moment after each pause, and
 * at the end of a session nobody is there to answer. Saving the letter or
 * giving it up removes the copy; the copies of runs that are gone are
 * offered once the next window is on screen.
 */
class RecoveryPart : public WindowPart
{
    Q_OBJECT

public:
    explicit RecoveryPart(LetterWindow& window);
    ~RecoveryPart() override;

    /** Where this window's recovery copy goes, in the window's data folder. */
    QString recoveryFilePath() const;
    /**
     * Writes the recovery copy of an unsaved letter now, as the autosave
     * timer does when it fires; false when it could not be written.
     */
    bool writeRecoveryCopy();
    /** True while changes wait for the autosave timer. */
    bool isRecoveryCopyPending() const;

    /** Offers the copies of runs that are gone, newest first, until one is taken. */
    void windowShown() override;

private:
    /** A change to the letter: the copy is due soon. */
    void scheduleCopy();
    /** The letter is saved or given up: its copy has served. */
    void dropCopy();
    /** The store in the window's data folder as it is now, made at the first use. */
    RecoveryStore& store();

    /** Chosen once, so that the copy's path is known before the store is made. */
    const QString m_copyName;
    std::unique_ptr<RecoveryStore> m_store;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_clock;
    AutosaveSchedule m_schedule;
    /** The copies of earlier runs are offered once, at the first showing. */
    bool m_offered = false;
    /** A failed write is reported once in the status bar, not at every key. */
    bool m_failureShown = false;
};

} // namespace quillory::app
