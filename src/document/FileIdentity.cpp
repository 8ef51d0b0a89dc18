#include "FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace quillory::document {
namespace {

#ifdef Q_OS_UNIX
/** Device and inode agree: one file, however many names lead to it. */
bool sameInode(const QString& a, const QString& b)
{
    struct stat first;
    struct stat second;
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
#endif

} // namespace

bool isSameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
#ifdef Q_OS_WIN
    // Windows finds "Brief.bri" under "brief.BRI" as well.
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    const QFileInfo first(a);
    const QFileInfo second(b);
    const QString canonicalFirst = first.canonicalFilePath();
    const QString canonicalSecond = second.canonicalFilePath();
    if (canonicalFirst.isEmpty() || canonicalSecond.isEmpty())
        return QDir::cleanPath(first.absoluteFilePath())
                   .compare(QDir::cleanPath(second.absoluteFilePath()), kCase) == 0;
    if (canonicalFirst.compare(canonicalSecond, kCase) == 0)
        return true;
#ifdef Q_OS_UNIX
    return sameInode(canonicalFirst, canonicalSecond);
#else
    return false;
#endif
}

QString inputAt(const QString& output, const QStringList& inputs)
{
    for (const QString& input : inputs) {
        if (isSameFile(output, input))
            return input;
    }
    return QString();
}

QString outputIsInputText(const QString& input)
{
    return QStringLiteral("„%1“ wird gelesen und kann nicht zugleich die Ausgabe sein")
        .arg(QDir::toNativeSeparators(input));
}

} // namespace quillory::document
