#include "HunspellChecker.h"

#include <QFile>

#include <hunspell.hxx>

namespace quillory::spell {

std::unique_ptr<HunspellChecker> HunspellChecker::open(const Dictionary& dictionary,
                                                       QString* problem)
{
    // Hunspell reports an unreadable file only on stderr and then accepts
    // nothing, so the files are tried first.
    for (const QString& path : {dictionary.affPath, dictionary.dicPath}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            if (problem)
                *problem = QStringLiteral("%1: %2").arg(path, file.errorString());
            return nullptr;
        }
    }
    // Hunspell opens the files with fopen(), which takes the local 8-bit
    // name on Windows as well.
    auto hunspell = std::make_unique<Hunspell>(dictionary.affPath.toLocal8Bit().constData(),
                                               dictionary.dicPath.toLocal8Bit().constData());
    return std::unique_ptr<HunspellChecker>(new HunspellChecker(std::move(hunspell)));
}

HunspellChecker::HunspellChecker(std::unique_ptr<Hunspell> hunspell)
    : m_hunspell(std::move(hunspell))
{
    const std::string encoding = m_hunspell->get_dict_encoding();
    m_utf8 = encoding == "UTF-8" || encoding == "utf-8" || encoding == "UTF8";
}

HunspellChecker::~HunspellChecker() = default;

std::string HunspellChecker::encode(const QString& word) const
{
    return m_utf8 ? word.toStdString() : word.toLatin1().toStdString();
}

QString HunspellChecker::decode(const std::string& bytes) const
{
    return m_utf8 ? QString::fromStdString(bytes)
                  : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

bool HunspellChecker::isCorrect(const QString& word) const
{
    // A word Latin-1 cannot hold is not in a Latin-1 dictionary either.
    if (!m_utf8 && decode(encode(word)) != word)
        return false;
    return m_hunspell->spell(encode(word));
}

QStringList HunspellChecker::suggestions(const QString& word, int max) const
{
    QStringList result;
    for (const std::string& suggestion : m_hunspell->suggest(encode(word))) {
        if (result.size() >= max)
            break;
        const QString text = decode(suggestion);
        // The German dictionary offers affix fragments such as "-standart".
        if (!text.startsWith(QLatin1Char('-')) && !result.contains(text))
            result << text;
    }
    return result;
}

void HunspellChecker::addWord(const QString& word)
{
    m_hunspell->add(encode(word));
    m_added.insert(word);
}

void HunspellChecker::removeWord(const QString& word)
{
    if (m_added.remove(word))
        m_hunspell->remove(encode(word));
}

} // namespace quillory::spell
