#pragma once

#include "document/Letter.h"
#include "document/LetterFile.h"

#include <QString>
#include <QStringList>

namespace quillory::app {

/**
 * Letters kept when the program is ended with nobody there to answer the
 * question about unsaved changes (the desktop session ends it): letter
 * files in a per-user folder, offered one per start, oldest first, and
 * removed once the run that offered one has been closed normally.
 *
 * Each kept letter gets a file of its own ("unsaved-letter.bri",
 * "unsaved-letter-2.bri", ...): two copies of the program ended by the same
 * log-off must not write over each other's letter.
 */
class RecoveryFile
{
public:
    /** QStandardPaths::AppDataLocation. */
    static QString defaultFolder();

    explicit RecoveryFile(QString folder = defaultFolder());

    /** The name the first kept letter gets. */
    QString firstPath() const;
    /** A name no kept letter has yet. */
    QString freePath() const;
    /** The kept letters, oldest first. */
    QStringList waiting() const;

    /** Creates the folder when needed; an old file stays until the new one is complete. */
    document::FileError write(const QString& path, const document::Letter& letter) const;
    static document::FileResult<document::LetterFile::Loaded> read(const QString& path,
                                                                   const document::Letter& current);
    /** True when no file is left behind. */
    static bool remove(const QString& path);

private:
    QString m_folder;
};

} // namespace quillory::app
