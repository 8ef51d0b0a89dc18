#include "RecoveryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace quillory::app {
namespace {

const QString kStem = QStringLiteral("unsaved-letter");
const QString kSuffix = QStringLiteral(".bri");

/** 1 for "unsaved-letter.bri", n for "unsaved-letter-n.bri", 0 for other names. */
int numberOf(const QString& fileName)
{
    if (!fileName.startsWith(kStem) || !fileName.endsWith(kSuffix))
        return 0;
    const QString middle =
        fileName.mid(kStem.size(), fileName.size() - kStem.size() - kSuffix.size());
    if (middle.isEmpty())
        return 1;
    bool ok = false;
    const int n = middle.startsWith(QLatin1Char('-')) ? middle.mid(1).toInt(&ok) : 0;
    return ok && n >= 2 ? n : 0;
}

} // namespace

QString RecoveryFile::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

RecoveryFile::RecoveryFile(QString folder) : m_folder(std::move(folder)) {}

QString RecoveryFile::firstPath() const
{
    return QDir(m_folder).filePath(kStem + kSuffix);
}

QString RecoveryFile::freePath() const
{
    if (!QFileInfo::exists(firstPath()))
        return firstPath();
    for (int n = 2;; ++n) {
        const QString path =
            QDir(m_folder).filePath(kStem + QStringLiteral("-%1").arg(n) + kSuffix);
        if (!QFileInfo::exists(path))
            return path;
    }
}

QStringList RecoveryFile::waiting() const
{
    QFileInfoList files;
    const QDir dir(m_folder);
    for (const QFileInfo& file :
         dir.entryInfoList({kStem + QLatin1Char('*') + kSuffix}, QDir::Files))
        if (numberOf(file.fileName()) > 0)
            files.append(file);
    // Oldest first; the number decides between files of the same moment.
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        if (a.lastModified() != b.lastModified())
            return a.lastModified() < b.lastModified();
        return numberOf(a.fileName()) < numberOf(b.fileName());
    });
    QStringList paths;
    for (const QFileInfo& file : files)
        paths.append(file.filePath());
    return paths;
}

document::FileError RecoveryFile::write(const QString& path, const document::Letter& letter) const
{
    QDir().mkpath(m_folder);
    return document::LetterFile::writeFile(path, letter);
}

document::FileResult<document::LetterFile::Loaded>
RecoveryFile::read(const QString& path, const document::Letter& current)
{
    return document::LetterFile::readFile(path, current);
}

bool RecoveryFile::remove(const QString& path)
{
    return !QFileInfo::exists(path) || QFile::remove(path);
}

} // namespace quillory::app
