#pragma once

#include "document/Letter.h"
#include "document/LetterFile.h"

#include <QString>

namespace quillory::app {

/**
 * The letter kept when the program is ended with nobody there to answer the
 * question about unsaved changes (the desktop session ends it): one letter
 * file in a per-user folder, offered at the next start and removed once the
 * window has been closed normally.
 */
class RecoveryFile
{
public:
    /** QStandardPaths::AppDataLocation. */
    static QString defaultFolder();

    explicit RecoveryFile(QString folder = defaultFolder());

    QString path() const;
    bool exists() const;
    /** Creates the folder when needed; the old file stays until the new one is complete. */
    document::FileError write(const document::Letter& letter) const;
    document::FileResult<document::LetterFile::Loaded> read(const document::Letter& current) const;
    /** True when no file is left behind. */
    bool remove() const;

private:
    QString m_folder;
};

} // namespace quillory::app
