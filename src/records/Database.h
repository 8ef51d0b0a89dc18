#pragma once

#include <QSqlDatabase>
#include <QString>

namespace quillory::records {

/**
 * The program's one SQLite file, shared by the window and quillory-cli, even
 * while both run: it is written ahead (WAL), so readers never wait for a
 * writer, and a writer waits up to five seconds for another.
 *
 * Its schema carries a version; open() brings an older file up to date one
 * migration after the other (see Database.cpp). A file that is no database or
 * fails SQLite's quick check is moved aside as "NAME.damaged" (numbered when
 * that is taken) and a new one is made; notice() then tells so, once.
 *
 * Each instance has a connection of its own, so several may live in one
 * process and in different threads (each used by the thread that opened it).
 */
class Database
{
public:
    /** "quillory.sqlite" in defaultFolder(). */
    static QString defaultPath();
    /**
     * The window's data folder (the writable AppDataLocation of "quillory"),
     * or the folder named by the environment variable QUILLORY_DATA_DIR.
     */
    static QString defaultFolder();
    /** The schema version open() leaves a file at. */
    static int latestVersion();

    explicit Database(QString path = defaultPath());
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    /** Opens, repairs and migrates the file; false with errorString() when it cannot be used. */
    bool open();
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    QString errorString() const { return m_error; }
    /** What open() did that the user should know (a damaged file moved aside); empty if none. */
    QString notice() const { return m_notice; }
    /** The file's schema version, as open() left it. */
    int schemaVersion() const;

    QSqlDatabase connection() const;

    /**
     * Starts a transaction that writes: it waits for another writer up to the
     * busy timeout instead of failing halfway when both started by reading.
     */
    bool beginWrite();
    bool commit();
    void rollback();

private:
    enum class Check { Usable, Damaged, Failed };

    Check connect();
    void disconnect();
    bool moveAside();
    bool migrate();
    bool exec(const QString& statement);

    QString m_path;
    QString m_connectionName;
    QString m_error;
    QString m_notice;
    bool m_open = false;
};

} // namespace quillory::records
