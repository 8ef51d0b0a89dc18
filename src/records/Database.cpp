#include "Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <atomic>

namespace quillory::records {
namespace {

/**
 * The schema, one step per version, in order. A step is never changed once
 * released: a newer schema is a new step, so every file, however old, goes
 * the same way up. (The archive of sent letters will be version 2.)
 */
struct Migration
{
    int version;
    std::initializer_list<const char*> statements;
};

const Migration kMigrations[] = {
    {1,
     {"CREATE TABLE entries ("
      " id INTEGER PRIMARY KEY,"
      " line1 TEXT NOT NULL DEFAULT '', line2 TEXT NOT NULL DEFAULT '',"
      " line3 TEXT NOT NULL DEFAULT '', line4 TEXT NOT NULL DEFAULT '',"
      " line5 TEXT NOT NULL DEFAULT '',"
      " salutation TEXT NOT NULL DEFAULT '', title TEXT NOT NULL DEFAULT '',"
      " first_name TEXT NOT NULL DEFAULT '', surname TEXT NOT NULL DEFAULT '',"
      " company TEXT NOT NULL DEFAULT '', email TEXT NOT NULL DEFAULT '',"
      " note TEXT NOT NULL DEFAULT '',"
      " last_used INTEGER," // milliseconds since 1970 (UTC), NULL when never used
      " duplicate_key TEXT NOT NULL)",
      "CREATE INDEX entries_duplicate_key ON entries(duplicate_key)",
      // Completion offers the entries used in letters first, the latest first.
      "CREATE INDEX entries_last_used ON entries(last_used) WHERE last_used IS NOT NULL",
      // Completion looks a typed prefix up here, in the index's order.
      "CREATE TABLE entry_words ("
      " word TEXT NOT NULL,"
      " entry_id INTEGER NOT NULL REFERENCES entries(id) ON DELETE CASCADE,"
      " PRIMARY KEY (word, entry_id)) WITHOUT ROWID",
      "CREATE INDEX entry_words_entry ON entry_words(entry_id)",
      "CREATE TABLE entry_groups ("
      " name TEXT NOT NULL,"
      " entry_id INTEGER NOT NULL REFERENCES entries(id) ON DELETE CASCADE,"
      " PRIMARY KEY (name, entry_id)) WITHOUT ROWID",
      "CREATE INDEX entry_groups_entry ON entry_groups(entry_id)"}},
    // The letter archive (see LetterArchive.h): what happened to which file
    // when, and the letter's words in an FTS5 table of the same rowid.
    {2,
     {"CREATE TABLE archive ("
      " id INTEGER PRIMARY KEY,"
      " happened INTEGER NOT NULL," // milliseconds since 1970 (UTC)
      " event INTEGER NOT NULL,"    // LetterArchive::Event
      " path TEXT NOT NULL,"
      " letter_date TEXT NOT NULL DEFAULT '')",
      "CREATE INDEX archive_path ON archive(path, event)",
      "CREATE INDEX archive_happened ON archive(happened)",
      "CREATE VIRTUAL TABLE archive_text USING fts5(recipient, subject, body,"
      " tokenize = 'unicode61 remove_diacritics 2')"}},
};

constexpr int kBusyTimeoutMs = 5000;

std::atomic<int> g_connections{0};

bool isDamageError(const QSqlError& error)
{
    // SQLITE_CORRUPT and SQLITE_NOTADB, possibly as extended codes.
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == 11 || code == 26);
}

QString sqlText(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

} // namespace

QString Database::defaultFolder()
{
    const QString given = qEnvironmentVariable("QUILLORY_DATA_DIR");
    if (!given.isEmpty())
        return given;
    // The window's data folder follows its program name; quillory-cli, named
    // otherwise, asks under the window's name to reach the same file.
    const QString ownName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("quillory"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCoreApplication::setApplicationName(ownName);
    return folder;
}

QString Database::defaultPath()
{
    return QDir(defaultFolder()).filePath(QStringLiteral("quillory.sqlite"));
}

int Database::latestVersion()
{
    return std::end(kMigrations)[-1].version;
}

Database::Database(QString path)
    : m_path(std::move(path)),
      m_connectionName(QStringLiteral("quillory-records-%1").arg(g_connections++))
{}

Database::~Database()
{
    disconnect();
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool Database::exec(const QString& statement)
{
    QSqlQuery query(connection());
    if (query.exec(statement))
        return true;
    m_error = QStringLiteral("Die Datenbank „%1“: %2")
                  .arg(QDir::toNativeSeparators(m_path), sqlText(query.lastError()));
    return false;
}

bool Database::beginWrite()
{
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

bool Database::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    QSqlQuery(connection()).exec(QStringLiteral("ROLLBACK"));
}

int Database::schemaVersion() const
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

void Database::disconnect()
{
    m_open = false;
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    connection().close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

Database::Check Database::connect()
{
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile()) {
        m_error = QStringLiteral("„%1“ ist keine Datei.").arg(QDir::toNativeSeparators(m_path));
        return Check::Failed;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        m_error = QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.")
                      .arg(QDir::toNativeSeparators(info.absolutePath()));
        return Check::Failed;
    }
    if (info.size() > 0) {
        // SQLite opens any file and finds out at the first read; a file that
        // does not even start like a database is damaged right away.
        QFile file(m_path);
        if (file.open(QIODevice::ReadOnly) && !file.read(16).startsWith("SQLite format 3"))
            return Check::Damaged;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        if (isDamageError(db.lastError()))
            return Check::Damaged;
        m_error = QStringLiteral("Die Datenbank „%1“ kann nicht geöffnet werden: %2")
                      .arg(QDir::toNativeSeparators(m_path), sqlText(db.lastError()));
        return Check::Failed;
    }
    QSqlQuery query(db);
    for (const QString& pragma :
         {QStringLiteral("PRAGMA busy_timeout = %1").arg(kBusyTimeoutMs),
          QStringLiteral("PRAGMA journal_mode = WAL"), QStringLiteral("PRAGMA foreign_keys = ON"),
          QStringLiteral("PRAGMA quick_check")}) {
        if (!query.exec(pragma)) {
            if (isDamageError(query.lastError()))
                return Check::Damaged;
            m_error = QStringLiteral("Die Datenbank „%1“ kann nicht geöffnet werden: %2")
                          .arg(QDir::toNativeSeparators(m_path), sqlText(query.lastError()));
            return Check::Failed;
        }
    }
    if (!query.next() || query.value(0).toString() != QLatin1String("ok"))
        return Check::Damaged;
    return Check::Usable;
}

bool Database::moveAside()
{
    disconnect();
    QString target = m_path + QStringLiteral(".damaged");
    for (int number = 2; QFileInfo::exists(target); ++number)
        target = m_path + QStringLiteral(".damaged.%1").arg(number);
    if (!QFile::rename(m_path, target)) {
        // Another program that found the same damage may have moved it first.
        if (!QFileInfo::exists(m_path))
            return true;
        m_error = QStringLiteral("Die Datenbank „%1“ ist beschädigt und kann nicht beiseitegelegt "
                                 "werden.")
                      .arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    // The write-ahead log belongs to the damaged file and goes with it; the
    // new file must not replay it.
    QFile::rename(m_path + QStringLiteral("-wal"), target + QStringLiteral("-wal"));
    QFile::remove(m_path + QStringLiteral("-shm"));
    m_notice = QStringLiteral("Die Datenbank „%1“ war beschädigt und wurde als „%2“ "
                              "beiseitegelegt; eine neue wurde angelegt.")
                   .arg(QDir::toNativeSeparators(m_path), QDir::toNativeSeparators(target));
    return true;
}

bool Database::migrate()
{
    if (!beginWrite())
        return false;
    // Read inside the transaction: another program may have migrated meanwhile.
    const int version = schemaVersion();
    if (version > latestVersion()) {
        rollback();
        m_error = QStringLiteral("Die Datenbank „%1“ stammt von einer neueren Version des "
                                 "Programms.")
                      .arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    for (const Migration& migration : kMigrations) {
        if (migration.version <= version)
            continue;
        for (const char* statement : migration.statements) {
            if (!exec(QString::fromLatin1(statement))) {
                rollback();
                return false;
            }
        }
        if (!exec(QStringLiteral("PRAGMA user_version = %1").arg(migration.version))) {
            rollback();
            return false;
        }
    }
    if (commit())
        return true;
    rollback();
    return false;
}

bool Database::open()
{
    disconnect();
    m_error.clear();
    m_notice.clear();
    Check check = connect();
    if (check == Check::Damaged) {
        if (!moveAside())
            return false;
        check = connect();
    }
    if (check != Check::Usable) {
        if (check == Check::Damaged)
            m_error = QStringLiteral("Die Datenbank „%1“ ist beschädigt.")
                          .arg(QDir::toNativeSeparators(m_path));
        disconnect();
        return false;
    }
    if (!migrate()) {
        disconnect();
        return false;
    }
    m_open = true;
    return true;
}

} // namespace quillory::records
