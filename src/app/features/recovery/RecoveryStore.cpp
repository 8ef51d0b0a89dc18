#include "features/recovery/RecoveryStore.h"

#include "document/LetterFile.h"
#include "document/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace quillory::app {
namespace {

const QString kLetterSuffix = QStringLiteral(".bri");

/** The file name without ".bri". */
QString stemOf(const QString& path)
{
    return path.endsWith(kLetterSuffix) ? path.left(path.size() - kLetterSuffix.size()) : path;
}

/** True when an instance that is still running holds the copy's lock. */
bool isLive(const QString& lockPath)
{
    if (!QFileInfo::exists(lockPath))
        return false;
    QLockFile probe(lockPath);
    // Only a running process keeps a lock alive, however old it is: a letter
    // written on for an hour is not stale.
    probe.setStaleLockTime(0);
    if (!probe.tryLock(0))
        return true;
    probe.unlock();
    return false;
}

QString readOriginalName(const QString& path)
{
    QFile file(RecoveryStore::namePathOf(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString RecoveryStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString RecoveryStore::newCopyName()
{
    return QStringLiteral("copy-") + QUuid::createUuid().toString(QUuid::Id128).left(16) +
           kLetterSuffix;
}

RecoveryStore::RecoveryStore(QString folder, const QString& copyName)
    : m_folder(std::move(folder)), m_ownPath(QDir(m_folder).filePath(copyName))
{}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::namePathOf(const QString& path)
{
    return stemOf(path) + QStringLiteral(".name");
}

QString RecoveryStore::lockPathOf(const QString& path)
{
    return stemOf(path) + QStringLiteral(".lock");
}

document::FileError RecoveryStore::write(const document::Letter& letter,
                                         const QString& originalName)
{
    if (!m_lock) {
        QDir().mkpath(m_folder);
        auto lock = std::make_unique<QLockFile>(lockPathOf(m_ownPath));
        // Without the lock another instance would take this copy for a dead one's.
        if (!lock->tryLock(0))
            return document::FileError::fromFailedOpen(lockPathOf(m_ownPath), true, 0);
        m_lock = std::move(lock);
        m_writtenName.reset();
    }
    if (m_writtenName != originalName) {
        if (const auto error =
                document::writeWholeFile(namePathOf(m_ownPath), originalName.toUtf8()))
            return error;
        m_writtenName = originalName;
    }
    return document::LetterFile::writeFile(m_ownPath, letter);
}

bool RecoveryStore::removeOwn()
{
    const bool gone = !QFileInfo::exists(m_ownPath) || QFile::remove(m_ownPath);
    QFile::remove(namePathOf(m_ownPath));
    m_writtenName.reset();
    // The lock goes last: until the letter is gone, no one may take it for a dead one's.
    m_lock.reset();
    return gone;
}

std::vector<RecoveryStore::StaleCopy> RecoveryStore::staleCopies() const
{
    std::vector<StaleCopy> copies;
    const QDir dir(m_folder);
    const QFileInfoList files = dir.entryInfoList(
        {QStringLiteral("copy-*.bri"), QStringLiteral("unsaved-letter*.bri")}, QDir::Files);
    for (const QFileInfo& file : files) {
        const QString path = file.filePath();
        if (path == m_ownPath || isLive(lockPathOf(path)))
            continue;
        copies.push_back({path, readOriginalName(path), file.lastModified()});
    }
    std::sort(copies.begin(), copies.end(), [](const StaleCopy& a, const StaleCopy& b) {
        if (a.written != b.written)
            return a.written > b.written;
        return a.path < b.path;
    });
    return copies;
}

bool RecoveryStore::removeStale(const QString& path)
{
    const bool gone = !QFileInfo::exists(path) || QFile::remove(path);
    QFile::remove(namePathOf(path));
    return gone;
}

QString RecoveryStore::setAside(const QString& path)
{
    const QString aside = path + QStringLiteral(".unreadable");
    QFile::remove(aside);
    if (!QFile::rename(path, aside))
        return path;
    QFile::rename(namePathOf(path), namePathOf(path) + QStringLiteral(".unreadable"));
    return aside;
}

} // namespace quillory::app
