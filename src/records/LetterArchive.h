#pragma once

#include "Database.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

class QSqlQuery;

namespace quillory::document {
struct Letter;
}

namespace quillory::records {

/** The searchable words of one letter, as the archive keeps and returns them. */
struct LetterText
{
    QString recipient; ///< the recipient's lines that are filled, joined by "\n"
    QString subject;
    QString date; ///< the letter's date as its date field shows it
    QString body; ///< lines joined by "\n"

    static LetterText of(const document::Letter& letter);
    bool operator==(const LetterText&) const = default;
};

/**
 * The archive of letters: which letter file was saved, printed or written as
 * PDF, when, and its recipient, subject, date and text, found again by any of
 * their words.
 *
 * It keeps an index, never a copy of a file: the rows name the file by its
 * absolute path, and the words live once, in an FTS5 table (tokenizer
 * unicode61 with diacritics removed, so "muller" finds "Müller"). A row whose
 * file is gone stays and is flagged missing when found.
 *
 * What a row stands for: a saved file or a PDF holds one state of its letters,
 * so recording it again replaces that file's rows of the same event; paper
 * stays printed, so a printed letter keeps its row per recipient and printing
 * it again to the same recipient only brings that row's time up to date.
 */
class LetterArchive
{
public:
    enum class Event { Saved = 1, Printed = 2, Pdf = 3 }; // stored as these numbers

    /** One thing that happened to one file: a serial letter's PDF holds several letters. */
    struct Record
    {
        Event event = Event::Saved;
        QString path;
        QDateTime when = QDateTime::currentDateTimeUtc();
        std::vector<LetterText> letters;
    };

    struct Hit
    {
        qint64 id = 0;
        QDateTime when;
        Event event = Event::Saved;
        QString path;
        LetterText letter;
        bool missing = false; ///< the file is no longer there
    };

    /** "gespeichert", "gedruckt", "PDF". */
    static QString eventName(Event event);

    /**
     * The FTS5 query for what the user typed: each word, quoted so nothing in
     * it is read as FTS5 syntax, is a prefix, and all must be found. A word
     * with "ß" also matches it spelled "ss", and "ss" matches "ß" (the
     * tokenizer folds accents but not that). Empty when no word has a letter
     * or digit.
     */
    static QString matchExpression(const QString& words);

    /** Works on an open database that outlives the archive. */
    explicit LetterArchive(Database& database) : m_database(database) {}

    bool add(const Record& record) { return add(std::vector<Record>{record}); }
    /** Adds all in one transaction, or none; false with errorString(). */
    bool add(const std::vector<Record>& records);

    /**
     * The rows with every word (see matchExpression()) in their recipient,
     * subject or text, newest first, at most limit; all rows when words is
     * blank, none when it has no letter or digit. Sets errorString() and returns nothing when the
     * database fails.
     */
    std::vector<Hit> search(const QString& words, int limit = 100);

    QString errorString() const { return m_error; }

private:
    bool addOne(const Record& record);
    bool failed(const QSqlQuery& query);

    Database& m_database;
    QString m_error;
};

} // namespace quillory::records
