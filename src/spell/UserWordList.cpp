#include "UserWordList.h"

#include "document/SafeWrite.h"
#include "SpellChecker.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillory::spell {
namespace {

// A word list is small; anything larger is not one.
constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

} // namespace

QString UserWordList::defaultPath()
{
    // Not AppDataLocation: that follows the program's name, and the window
    // and quillory-cli must read the same list.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("quillory/woerterbuch.txt"));
}

UserWordList::UserWordList(QString path) : m_path(std::move(path)) {}

bool UserWordList::load(QString* problem)
{
    m_words.clear();
    if (!QFileInfo::exists(m_path))
        return true;
    auto bytes = document::readWholeFile(m_path, kMaxBytes);
    if (!bytes) {
        if (problem)
            *problem = bytes.error().message();
        return false;
    }
    for (const QString& line : QString::fromUtf8(*bytes).split(QLatin1Char('\n'))) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !m_words.contains(word))
            m_words << word;
    }
    return true;
}

bool UserWordList::add(const QString& word, QString* problem)
{
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty() || m_words.contains(trimmed))
        return true;
    QStringList words = m_words;
    words << trimmed;
    if (!save(words, problem))
        return false;
    m_words = std::move(words);
    return true;
}

bool UserWordList::remove(const QString& word, QString* problem)
{
    QStringList words = m_words;
    if (words.removeAll(word.trimmed()) == 0)
        return true;
    if (!save(words, problem))
        return false;
    m_words = std::move(words);
    return true;
}

bool UserWordList::save(const QStringList& words, QString* problem) const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QByteArray bytes = words.isEmpty()
                                 ? QByteArray()
                                 : (words.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    const document::FileError error = document::writeWholeFile(m_path, bytes);
    if (error) {
        if (problem)
            *problem = error.message();
        return false;
    }
    return true;
}

void UserWordList::applyTo(SpellChecker& checker) const
{
    for (const QString& word : m_words)
        checker.addWord(word);
}

} // namespace quillory::spell
