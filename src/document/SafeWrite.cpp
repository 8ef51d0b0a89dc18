#include "SafeWrite.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

namespace quillory::document {

FileError writeWholeFile(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
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

FileResult<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return FileError::fromFailedOpen(path, false, errno);
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileError::other(errno != 0 ? errno : EIO);
    return bytes;
}

} // namespace quillory::document
