#include "FileError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace quillory::document {

QString FileError::message() const
{
    switch (m_kind) {
    case None:
        return QString();
    case FileNotFound:
        return QStringLiteral("File not found");
    case InvalidFilename:
        return QStringLiteral("Invalid filename");
    case TooManyOpenFiles:
        return QStringLiteral("Too many open files");
    case AccessDenied:
        return QStringLiteral("File access denied");
    case ReadBeyondEnd:
        return QStringLiteral("Read beyond end of file");
    case DiskFull:
        return QStringLiteral("Disk full");
    case TooLarge:
        return QStringLiteral("Datei zu groß (mehr als %1 MB)").arg(m_maxBytes / (1024 * 1024));
    case NameTooLong:
        return QStringLiteral("Dateiname zu lang");
    case IsFolder:
        return QStringLiteral("Ist ein Ordner, keine Datei");
    case FolderNotFound:
        return QStringLiteral("Ordner nicht gefunden");
    case Damaged:
        return QStringLiteral("Datei beschädigt");
    case NotRegularFile:
        return QStringLiteral("„%1“ ist keine gewöhnliche Datei").arg(m_path);
    case Other:
        break;
    }
    return QStringLiteral("I/O error %1").arg(m_systemError);
}

FileError FileError::tooLarge(qint64 maxBytes)
{
    FileError error(TooLarge);
    error.m_maxBytes = maxBytes;
    return error;
}

FileError FileError::notRegularFile(const QString& path)
{
    FileError error(NotRegularFile);
    error.m_path = path;
    return error;
}

FileError FileError::fromFailedOpen(const QString& path, bool forWriting, int systemError)
{
    if (path.isEmpty())
        return FileError(InvalidFilename);
    // Systems refuse a folder as "access denied", "is a directory" or with no
    // number at all: whichever, the name is a folder.
    if (QFileInfo(path).isDir())
        return FileError(IsFolder);
    switch (systemError) {
    case ENOENT:
        // A missing file only matters when reading.
        if (!QFileInfo(path).dir().exists())
            return FileError(FolderNotFound);
        return FileError(forWriting ? InvalidFilename : FileNotFound);
    case ENAMETOOLONG:
        return FileError(NameTooLong);
    case ENOTDIR:
    case EINVAL:
        return FileError(InvalidFilename);
    case EMFILE:
    case ENFILE:
        return FileError(TooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return FileError(AccessDenied);
    case ENOSPC:
        return FileError(DiskFull);
    case 0:
        break;
    default:
        return other(systemError);
    }

    const QFileInfo info(path);
    if (!info.dir().exists())
        return FileError(FolderNotFound);
    if (!forWriting && !info.exists())
        return FileError(FileNotFound);
    return FileError(AccessDenied);
}

FileError FileError::fromFailedWrite(int systemError)
{
    switch (systemError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return FileError(AccessDenied);
    case 0:
    case ENOSPC:
    case EFBIG:
        return FileError(DiskFull);
    case ENAMETOOLONG:
        return FileError(NameTooLong);
    default:
        return other(systemError);
    }
}

} // namespace quillory::document
