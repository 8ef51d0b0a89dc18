#pragma once

#include <QObject>

#include <memory>

namespace quillory::records {
class Database;
}

namespace quillory::app {

class LetterWindow;

/**
 * The window's one connection to its database ("quillory.sqlite" in the data
 * folder), shared by the parts that keep addresses and letters, so the file is
 * opened, checked and migrated once per window. It opens on first use; the
 * parts ask for it after the window shows, so start-up never waits for it.
 * A damaged file set aside is said once; a database that cannot be opened at
 * all is said once, and database() then stays null: the letter is never
 * held up by its address book.
 */
class SharedRecords : public QObject
{
    Q_OBJECT

public:
    /** The window's, made on the first call. */
    static SharedRecords& of(LetterWindow& window);

    /** The open database, or null when it cannot be used. */
    records::Database* database();

    /** The file it is, or would be. */
    QString path() const;

private:
    explicit SharedRecords(LetterWindow& window);
    ~SharedRecords() override;

    LetterWindow& m_window;
    std::unique_ptr<records::Database> m_database;
    bool m_tried = false;
};

} // namespace quillory::app
