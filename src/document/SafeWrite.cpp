#include "SafeWrite.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

namespace quillory::document {

FileError writeWholeFile(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Qt takes this way only when the temporary file is refused for lack of
    // permission; everywhere else the old file stays whole until the rename.
    file.setDirectWriteFallback(true);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return FileError::fromFailedOpen(path, true, errno);
    errno = 0;
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const int systemError = errno;
        file.cancelWriting();
        return FileError::fromFailedWrite(systemError);
    }
    errno = 0;
    if (!file.commit())
        return FileError::fromFailedWrite(errno);
    return FileError();
}

FileResult<QByteArray> readWholeFile(const QString& path, qint64 maxBytes)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return FileError::fromFailedOpen(path, false, errno);
    const qint64 size = file.size();
    if (size > maxBytes)
        return FileError::tooLarge(maxBytes);
    // A device or a pipe reports no size (or a wrong one), so the bound is
    // kept while reading: one byte beyond it is enough to refuse the file.
    QByteArray bytes;
    bytes.reserve(qsizetype(size));
    char chunk[64 * 1024];
    for (;;) {
        errno = 0;
        const qint64 count =
            file.read(chunk, qMin(qint64(sizeof chunk), maxBytes + 1 - bytes.size()));
        if (count < 0)
            return FileError::other(errno != 0 ? errno : EIO);
        if (count == 0)
            break;
        if (count > maxBytes - bytes.size())
            return FileError::tooLarge(maxBytes);
        bytes.append(chunk, qsizetype(count));
    }
    return bytes;
}

} // namespace quillory::document
