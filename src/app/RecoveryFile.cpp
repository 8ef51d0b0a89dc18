#include "RecoveryFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace quillory::app {

QString RecoveryFile::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

RecoveryFile::RecoveryFile(QString folder) : m_folder(std::move(folder)) {}

QString RecoveryFile::path() const
{
    return QDir(m_folder).filePath(QStringLiteral("unsaved-letter.bri"));
}

bool RecoveryFile::exists() const
{
    return QFile::exists(path());
}

document::FileError RecoveryFile::write(const document::Letter& letter) const
{
    QDir().mkpath(m_folder);
    return document::LetterFile::writeFile(path(), letter);
}

document::FileResult<document::LetterFile::Loaded>
RecoveryFile::read(const document::Letter& current) const
{
    return document::LetterFile::readFile(path(), current);
}

bool RecoveryFile::remove() const
{
    return !exists() || QFile::remove(path());
}

} // namespace quillory::app
