#pragma once

#include <QString>
#include <QStringList>

namespace quillory::spell {

class SpellChecker;

/**
 * The user's own words ("Zum Wörterbuch hinzufügen"): a UTF-8 text file,
 * one word a line, in the program's data folder, shared by the window and
 * quillory-cli. A missing file is an empty list.
 */
class UserWordList
{
public:
    /** <data folder>/quillory/woerterbuch.txt, the same for both programs. */
    static QString defaultPath();

    explicit UserWordList(QString path = defaultPath());

    /** Reads the file again; false with problem set when it exists but cannot be read. */
    bool load(QString* problem = nullptr);
    const QString& path() const { return m_path; }
    const QStringList& words() const { return m_words; }
    /** Adds word and writes the file; false with problem set when that fails. */
    bool add(const QString& word, QString* problem = nullptr);
    /**
     * Takes word out and writes the file; false with problem set when that
     * fails, and then the list, in memory and on disk, is as it was.
     */
    bool remove(const QString& word, QString* problem = nullptr);
    void applyTo(SpellChecker& checker) const;

private:
    /** Writes words as the file, all or nothing. */
    bool save(const QStringList& words, QString* problem) const;

    QString m_path;
    QStringList m_words;
};

} // namespace quillory::spell
