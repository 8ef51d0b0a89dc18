#include "TextBlockFolder.h"

#include "SafeWrite.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace quillory::document {

namespace {

const QString kExtension = QStringLiteral(".txt");
// A block is a paragraph or a page, not a book: anything larger is no block.
constexpr qint64 kMaxBlockBytes = 1024 * 1024;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString invalidName(const QString& name)
{
    return QStringLiteral("„%1“ ist kein gültiger Name für einen Textbaustein").arg(name);
}

} // namespace

TextBlockFolder::TextBlockFolder(QString folder) : m_folder(std::move(folder)) {}

QStringList TextBlockFolder::names() const
{
    QStringList names;
    const QStringList files =
        QDir(m_folder).entryList({QLatin1Char('*') + kExtension}, QDir::Files | QDir::Readable);
    for (const QString& file : files) {
        const QString name = file.chopped(kExtension.size());
        if (isValidName(name))
            names << name;
    }
    // The program speaks German whatever the system's language: "Ärger"
    // belongs beside "Angebot", and "Mahnung 2" before "Mahnung 10".
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(names.begin(), names.end(), collator);
    return names;
}

bool TextBlockFolder::isValidName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.front().isSpace() || name.back().isSpace())
        return false;
    // Separators on any system, and what Windows refuses in a file name.
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || refused.contains(c);
    });
}

QString TextBlockFolder::filePath(const QString& name) const
{
    return QDir(m_folder).filePath(name + kExtension);
}

bool TextBlockFolder::contains(const QString& name) const
{
    return isValidName(name) && QFileInfo(filePath(name)).isFile();
}

std::optional<QString> TextBlockFolder::read(const QString& name, QString& error) const
{
    if (!isValidName(name)) {
        error = invalidName(name);
        return std::nullopt;
    }
    const QString path = filePath(name);
    FileResult<QByteArray> bytes = readWholeFile(path, kMaxBlockBytes);
    if (!bytes) {
        error = QStringLiteral("Der Textbaustein „%1“ kann nicht gelesen werden.\n%2")
                    .arg(shown(path), bytes.error().message());
        return std::nullopt;
    }
    QByteArrayView content = *bytes;
    if (content.startsWith("\xEF\xBB\xBF"))
        content = content.sliced(3);
    QString text = QString::fromUtf8(content);
    // Written on Windows or an old Mac, read into an editor that breaks lines at LF.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    error.clear();
    return text;
}

QString TextBlockFolder::save(const QString& name, const QString& text) const
{
    if (!isValidName(name))
        return invalidName(name);
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden").arg(shown(m_folder));
    const QString path = filePath(name);
    if (const FileError error = writeWholeFile(path, text.toUtf8()))
        return QStringLiteral("Der Textbaustein „%1“ kann nicht gespeichert werden.\n%2")
            .arg(shown(path), error.message());
    return QString();
}

QString TextBlockFolder::rename(const QString& from, const QString& to) const
{
    // A name with a separator would reach beyond the folder.
    if (!isValidName(from) || !isValidName(to))
        return invalidName(isValidName(from) ? to : from);
    if (from == to)
        return QString();
    const QString oldPath = filePath(from);
    const QString newPath = filePath(to);
    // Where names ignore case, "gruss" to "Gruss" finds its own file there.
    const QFileInfo target(newPath);
    if (target.exists() && target.canonicalFilePath() != QFileInfo(oldPath).canonicalFilePath())
        return QStringLiteral("Den Textbaustein „%1“ gibt es schon").arg(shown(newPath));
    if (!QFile::rename(oldPath, newPath))
        return QStringLiteral("„%1“ kann nicht in „%2“ umbenannt werden")
            .arg(shown(oldPath), shown(newPath));
    return QString();
}

QString TextBlockFolder::remove(const QString& name) const
{
    if (!isValidName(name))
        return invalidName(name);
    const QString path = filePath(name);
    if (!QFile::remove(path))
        return QStringLiteral("Der Textbaustein „%1“ kann nicht gelöscht werden").arg(shown(path));
    return QString();
}

} // namespace quillory::document
