#pragma once

#include "FileError.h"

#include <QByteArrayView>
#include <QString>

#include <memory>

class QFile;
class QSaveFile;

namespace quillory::document {

/**
 * Replaces the file at path with new bytes, or leaves it as it was: the bytes
 * go to a temporary file in the same folder that is renamed over the old file
 * only once every byte of it is written and flushed.
 *
 * A link is written through to the file it names, which is replaced while the
 * link stays. A target that exists and is no regular file (a device, a pipe,
 * a socket) is refused: replacing it with a file would destroy it.
 *
 * Only where the folder forbids creating the temporary file is the file
 * itself overwritten in place (a letter the user may write, kept in a folder
 * they may not add to); a failure partway then puts the old bytes back as far
 * as the disk allows and is reported all the same.
 *
 * open() early finds a target that cannot be written before the bytes are
 * made; commit() writes them. Dropped without commit(), nothing changes.
 */
class SafeWrite
{
public:
    explicit SafeWrite(QString path);
    ~SafeWrite();
    SafeWrite(const SafeWrite&) = delete;
    SafeWrite& operator=(const SafeWrite&) = delete;

    FileError open();
    /** The whole new content; the file is closed afterwards, written or not. */
    FileError commit(QByteArrayView bytes);
    void cancel();

private:
    FileError commitInPlace(QByteArrayView bytes);

    QString m_path;
    QString m_target; // m_path with its links followed
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QFile> m_inPlace;
};

/** SafeWrite's open() and commit() in one. */
FileError writeWholeFile(const QString& path, QByteArrayView bytes);

/**
 * Reads a whole file, or tells why not. A file of more than maxBytes is
 * refused (FileError::tooLarge); from a device or pipe, which tells no size,
 * at most maxBytes + 1 bytes are read to find that out.
 */
FileResult<QByteArray> readWholeFile(const QString& path, qint64 maxBytes);

} // namespace quillory::document
