#include "support/KeptCopy.h"

#include "support/ErrorReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillory::app {

bool KeptCopy::isOwn(const QString& path, const QString& dataFolder) const
{
    const QFileInfo file(path);
    return !path.isEmpty() && file.dir() == QDir(dataFolder) &&
           file.completeBaseName() == m_baseName;
}

QString KeptCopy::keep(const QString& chosen, const QString& dataFolder, const QString& old) const
{
    const QDir folder(dataFolder);
    if (!folder.mkpath(QStringLiteral(".")))
        throw CommandError(QStringLiteral("Der Ordner „%1“ lässt sich nicht anlegen")
                               .arg(QDir::toNativeSeparators(dataFolder)));
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    const QString copy =
        folder.filePath(m_baseName + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix));
    if (QFileInfo(chosen) == QFileInfo(copy))
        return copy;
    // Into a new file first: the old copy stays until the new one is whole.
    const QString incoming = folder.filePath(m_baseName + QStringLiteral("-neu"));
    QFile::remove(incoming);
    if (!QFile::copy(chosen, incoming))
        throw CommandError(QStringLiteral("Das Bild lässt sich nicht nach „%1“ kopieren")
                               .arg(QDir::toNativeSeparators(folder.absolutePath())));
    // A read-only original would give a copy that Windows refuses to replace later.
    QFile::setPermissions(incoming, QFile::ReadOwner | QFile::WriteOwner);
    if (isOwn(old, dataFolder))
        QFile::remove(old);
    QFile::remove(copy);
    if (!QFile::rename(incoming, copy)) {
        QFile::remove(incoming);
        throw CommandError(QStringLiteral("Das Bild lässt sich nicht nach „%1“ kopieren")
                               .arg(QDir::toNativeSeparators(copy)));
    }
    return copy;
}

} // namespace quillory::app
