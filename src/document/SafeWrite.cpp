#include "SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace quillory::document {

namespace {

// The system's own bound on a chain of links; a longer one is taken for a loop.
constexpr int kMaxLinkHops = 40;

/**
 * The file a write to path replaces: links are followed to their end, and a
 * target that exists as anything but a file or a folder is refused. A folder
 * is left to the open, which refuses it as a denied access.
 */
FileResult<QString> writeTarget(const QString& path)
{
    QString target = path;
    for (int hops = 0; QFileInfo(target).isSymbolicLink(); ++hops) {
        if (hops == kMaxLinkHops)
            return FileError(FileError::InvalidFilename);
        target = QFileInfo(target).symLinkTarget();
    }
    const QFileInfo info(target);
    if (info.exists() && !info.isFile() && !info.isDir())
        return FileError::notRegularFile(path);
    return target;
}

} // namespace

SafeWrite::SafeWrite(QString path) : m_path(std::move(path)) {}

SafeWrite::~SafeWrite()
{
    cancel();
}

FileError SafeWrite::open()
{
    cancel();
    const FileResult<QString> target = writeTarget(m_path);
    if (!target)
        return target.error();
    m_target = *target;
    auto file = std::make_unique<QSaveFile>(m_target);
    // Qt's own in-place fallback cannot put the old bytes back; commitInPlace() can.
    file->setDirectWriteFallback(false);
    errno = 0;
    if (file->open(QIODevice::WriteOnly)) {
        m_file = std::move(file);
        return FileError();
    }
    const int systemError = errno;
    file.reset();
    // The folder refused the temporary file; the file itself may still be writable.
    if ((systemError == EACCES || systemError == EPERM) && QFileInfo(m_target).isFile()) {
        auto inPlace = std::make_unique<QFile>(m_target);
        errno = 0;
        // Read and write, so that nothing is cut off before the new bytes are in.
        if (inPlace->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
            m_inPlace = std::move(inPlace);
            return FileError();
        }
        return FileError::fromFailedOpen(m_target, true, errno);
    }
    return FileError::fromFailedOpen(m_target, true, systemError);
}

FileError SafeWrite::commit(QByteArrayView bytes)
{
    if (m_inPlace)
        return commitInPlace(bytes);
    if (!m_file)
        return FileError::other(EBADF);
    errno = 0;
    // The last buffered bytes go out only at commit(), and QSaveFile's own
    // record of errors misses a failure there: so they are flushed and checked
    // here, while the old file is still untouched.
    bool written = m_file->write(bytes.data(), bytes.size()) == bytes.size() && m_file->flush() &&
                   m_file->error() == QFileDevice::NoError;
    int systemError = errno;
    if (written) {
        errno = 0;
        written = m_file->commit();
        systemError = errno;
    } else {
        m_file->cancelWriting();
    }
    m_file.reset();
    return written ? FileError() : FileError::fromFailedWrite(systemError);
}

FileError SafeWrite::commitInPlace(QByteArrayView bytes)
{
    QFile& file = *m_inPlace;
    const qint64 oldSize = file.size();
    // Only the part the new bytes cover is overwritten before they are all in;
    // it is kept to be put back, where it fits again whatever the disk's room.
    const qint64 covered = qMin(oldSize, qint64(bytes.size()));
    errno = 0;
    const QByteArray old = file.read(covered);
    if (old.size() != covered) {
        const int systemError = errno;
        m_inPlace.reset();
        return FileError::other(systemError != 0 ? systemError : EIO);
    }
    errno = 0;
    const bool written = file.seek(0) && file.write(bytes.data(), bytes.size()) == bytes.size() &&
                         file.flush() && file.resize(bytes.size()) &&
                         file.error() == QFileDevice::NoError;
    const int systemError = errno;
    if (!written) {
        file.seek(0);
        file.write(old);
        file.resize(oldSize);
    }
    m_inPlace.reset();
    return written ? FileError() : FileError::fromFailedWrite(systemError);
}

void SafeWrite::cancel()
{
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
    m_inPlace.reset();
}

FileError writeWholeFile(const QString& path, QByteArrayView bytes)
{
    SafeWrite file(path);
    if (const FileError error = file.open())
        return error;
    return file.commit(bytes);
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
