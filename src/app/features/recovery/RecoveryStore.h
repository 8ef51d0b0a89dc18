#pragma once

#include "document/FileError.h"
#include "document/Letter.h"

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace quillory::app {

/**
 * The recovery copies in the program's data folder: one letter file per
 * running instance ("copy-<id>.bri"), a side file with the name of the
 * letter's own file ("copy-<id>.name") and a lock file ("copy-<id>.lock")
 * held for as long as the instance runs.
 *
 * A copy whose lock nobody holds belongs to an instance that is gone
 * (crashed, killed, ended by the session) and is offered at the next start;
 * a copy whose lock is held is another running instance's and is neither
 * offered nor touched. Letters kept by earlier versions ("unsaved-letter*.bri")
 * count as copies without a lock.
 *
 * No widgets here: what exists, what is stale and how the files are named is
 * decided without a window, so tests can set up any folder and ask.
 */
class RecoveryStore
{
public:
    /** A copy of an instance that is gone. */
    struct StaleCopy
    {
        QString path;
        /** The letter's own file, empty for a letter never saved. */
        QString originalName;
        QDateTime written;
    };

    /** QStandardPaths::AppDataLocation. */
    static QString defaultFolder();

    /** A name for an instance's copy ("copy-<id>.bri") that no other instance has. */
    static QString newCopyName();

    /** This instance's copy goes into folder under copyName; nothing is written yet. */
    explicit RecoveryStore(QString folder = defaultFolder(),
                           const QString& copyName = newCopyName());
    ~RecoveryStore();

    QString folder() const { return m_folder; }
    /** Where this instance's copy goes. */
    QString ownPath() const { return m_ownPath; }

    /**
     * Writes this instance's copy with the name of the letter's own file,
     * taking the lock first. The old copy stays until the new one is complete.
     */
    document::FileError write(const document::Letter& letter, const QString& originalName);
    /** Removes this instance's copy; true when none is left. */
    bool removeOwn();

    /** Copies of instances that are gone, newest first. */
    std::vector<StaleCopy> staleCopies() const;
    /** Removes a stale copy with its side files; true when the letter file is gone. */
    static bool removeStale(const QString& path);
    /**
     * Moves an unreadable copy aside (".unreadable" appended), so that it is
     * kept for whoever wants to look into it but is not offered again.
     * Gives the new name, or path when it could not be moved.
     */
    static QString setAside(const QString& path);

    /** The side file with the original name, for a copy at path. */
    static QString namePathOf(const QString& path);
    /** The lock file of a copy at path. */
    static QString lockPathOf(const QString& path);

private:
    QString m_folder;
    QString m_ownPath;
    std::unique_ptr<QLockFile> m_lock;
    /** What the side file of this instance's copy holds, once written. */
    std::optional<QString> m_writtenName;
};

} // namespace quillory::app
