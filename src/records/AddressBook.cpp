#include "AddressBook.h"

#include "Database.h"
#include "SearchFold.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace quillory::records {
namespace {

const char kColumns[] = "id, line1, line2, line3, line4, line5, salutation, title, first_name, "
                        "surname, company, email, note, last_used, "
                        "(SELECT group_concat(name, char(31)) FROM entry_groups g "
                        "WHERE g.entry_id = entries.id)";
const char kOrder[] = " ORDER BY surname, first_name, line1, id";

Entry entryAt(const QSqlQuery& query)
{
    Entry entry;
    entry.id = query.value(0).toLongLong();
    for (int i = 0; i < 5; ++i)
        entry.lines[i] = query.value(1 + i).toString();
    entry.salutation = query.value(6).toString();
    entry.title = query.value(7).toString();
    entry.firstName = query.value(8).toString();
    entry.surname = query.value(9).toString();
    entry.company = query.value(10).toString();
    entry.email = query.value(11).toString();
    entry.note = query.value(12).toString();
    if (!query.value(13).isNull())
        entry.lastUsed = QDateTime::fromMSecsSinceEpoch(query.value(13).toLongLong(), Qt::UTC);
    const QString groups = query.value(14).toString();
    if (!groups.isEmpty())
        entry.groups = groups.split(QChar(31));
    return entry;
}

/** The first text after every text that starts with prefix. */
QString pastPrefix(const QString& prefix)
{
    // U+10FFFF sorts after every character in SQLite's byte order.
    return prefix + QString::fromUcs4(U"\U0010FFFF");
}

/** A text to bind: a null QString would be bound as NULL. */
QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

void fillEmpty(QString& field, const QString& other)
{
    if (field.isEmpty())
        field = other;
}

} // namespace

AddressBook::AddressBook(Database& database) : m_database(database) {}

bool AddressBook::fail(const QSqlQuery& query)
{
    m_error =
        QStringLiteral("Das Adressbuch kann nicht gelesen oder geschrieben werden: %1")
            .arg(query.lastError().databaseText().isEmpty() ? query.lastError().text()
                                                            : query.lastError().databaseText());
    return false;
}

std::vector<Entry> AddressBook::select(const QString& where, const QVariantList& values,
                                       const QString& tail)
{
    m_error.clear();
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT %1 FROM entries %2%3").arg(QLatin1String(kColumns), where, tail));
    for (const QVariant& value : values)
        query.addBindValue(value);
    std::vector<Entry> entries;
    if (!query.exec()) {
        fail(query);
        return entries;
    }
    while (query.next())
        entries.push_back(entryAt(query));
    return entries;
}

bool AddressBook::write(Entry& entry)
{
    entry.groups = normalizedGroups(entry.groups);
    QSqlQuery query(m_database.connection());
    query.prepare(entry.id == 0
                      ? QStringLiteral("INSERT INTO entries (line1, line2, line3, line4, line5, "
                                       "salutation, title, first_name, surname, company, email, "
                                       "note, last_used, duplicate_key) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                      : QStringLiteral("UPDATE entries SET line1 = ?, line2 = ?, line3 = ?, "
                                       "line4 = ?, line5 = ?, salutation = ?, title = ?, "
                                       "first_name = ?, surname = ?, company = ?, email = ?, "
                                       "note = ?, last_used = ?, duplicate_key = ? WHERE id = ?"));
    for (const QString& line : entry.lines)
        query.addBindValue(text(line));
    for (const QString* field : {&entry.salutation, &entry.title, &entry.firstName, &entry.surname,
                                 &entry.company, &entry.email, &entry.note})
        query.addBindValue(text(*field));
    query.addBindValue(entry.lastUsed.isValid() ? QVariant(entry.lastUsed.toMSecsSinceEpoch())
                                                : QVariant(QMetaType(QMetaType::LongLong)));
    query.addBindValue(duplicateKey(entry));
    if (entry.id != 0)
        query.addBindValue(entry.id);
    if (!query.exec())
        return fail(query);
    if (entry.id == 0)
        entry.id = query.lastInsertId().toLongLong();
    else if (query.numRowsAffected() != 1) {
        m_error = QStringLiteral("Der Eintrag steht nicht mehr im Adressbuch.");
        return false;
    }

    for (const char* table : {"entry_words", "entry_groups"}) {
        if (!query.exec(QStringLiteral("DELETE FROM %1 WHERE entry_id = %2")
                            .arg(QLatin1String(table))
                            .arg(entry.id)))
            return fail(query);
    }
    const auto insertAll = [&](const char* statement, const QStringList& values) {
        query.prepare(QLatin1String(statement));
        for (const QString& value : values) {
            query.addBindValue(value);
            query.addBindValue(entry.id);
            if (!query.exec())
                return fail(query);
        }
        return true;
    };
    return insertAll("INSERT INTO entry_words (word, entry_id) VALUES (?, ?)",
                     entrySearchWords(entry)) &&
           insertAll("INSERT INTO entry_groups (name, entry_id) VALUES (?, ?)", entry.groups);
}

std::optional<qint64> AddressBook::add(const Entry& entry)
{
    Entry stored = entry;
    stored.id = 0;
    if (!m_database.beginWrite()) {
        m_error = m_database.errorString();
        return std::nullopt;
    }
    if (!write(stored) || !m_database.commit()) {
        m_database.rollback();
        return std::nullopt;
    }
    return stored.id;
}

bool AddressBook::update(const Entry& entry)
{
    Entry stored = entry;
    if (stored.id == 0) {
        m_error = QStringLiteral("Der Eintrag steht nicht im Adressbuch.");
        return false;
    }
    if (!m_database.beginWrite()) {
        m_error = m_database.errorString();
        return false;
    }
    if (!write(stored) || !m_database.commit()) {
        m_database.rollback();
        return false;
    }
    return true;
}

bool AddressBook::remove(qint64 id)
{
    QSqlQuery query(m_database.connection());
    query.prepare(QStringLiteral("DELETE FROM entries WHERE id = ?"));
    query.addBindValue(id);
    return query.exec() || fail(query);
}

bool AddressBook::markUsed(qint64 id, const QDateTime& when)
{
    QSqlQuery query(m_database.connection());
    query.prepare(QStringLiteral("UPDATE entries SET last_used = ? WHERE id = ?"));
    query.addBindValue(when.toMSecsSinceEpoch());
    query.addBindValue(id);
    return query.exec() || fail(query);
}

std::optional<Entry> AddressBook::find(qint64 id)
{
    std::vector<Entry> found = select(QStringLiteral("WHERE id = ?"), {id});
    if (found.empty())
        return std::nullopt;
    return std::move(found.front());
}

std::vector<Entry> AddressBook::list(const QString& group)
{
    if (group.isEmpty())
        return select({}, {}, QLatin1String(kOrder));
    return select(QStringLiteral("WHERE id IN (SELECT entry_id FROM entry_groups WHERE name = ?)"),
                  {group.trimmed()}, QLatin1String(kOrder));
}

int AddressBook::count()
{
    QSqlQuery query(m_database.connection());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM entries")) || !query.next()) {
        fail(query);
        return 0;
    }
    return query.value(0).toInt();
}

std::vector<Entry> AddressBook::complete(const QString& typed, int limit)
{
    const QStringList words = searchWords(typed);
    if (words.isEmpty() || limit <= 0)
        return {};
    // Each typed word narrows through the index of words: a range of it,
    // never a scan of every entry.
    QStringList conditions;
    QVariantList values;
    for (const QString& word : words) {
        conditions << QStringLiteral(
            "id IN (SELECT entry_id FROM entry_words WHERE word >= ? AND word < ?)");
        values << word << pastPrefix(word);
    }
    values << limit;
    return select(QStringLiteral("WHERE ") + conditions.join(QLatin1String(" AND ")), values,
                  QStringLiteral(" ORDER BY last_used IS NULL, last_used DESC, surname, "
                                 "first_name, line1, id LIMIT ?"));
}

std::optional<AddressBook::ImportCount> AddressBook::import(const std::vector<Entry>& entries)
{
    if (!m_database.beginWrite()) {
        m_error = m_database.errorString();
        return std::nullopt;
    }
    ImportCount count;
    QSqlQuery lookup(m_database.connection());
    lookup.prepare(QStringLiteral("SELECT id FROM entries WHERE duplicate_key = ? LIMIT 1"));
    for (const Entry& incoming : entries) {
        if (incoming.isEmpty())
            continue;
        Entry entry = incoming;
        entry.id = 0;
        lookup.addBindValue(duplicateKey(entry));
        if (!lookup.exec()) {
            fail(lookup);
            m_database.rollback();
            return std::nullopt;
        }
        if (lookup.next()) {
            const qint64 id = lookup.value(0).toLongLong();
            lookup.finish();
            std::optional<Entry> stored = find(id);
            if (!stored) {
                m_database.rollback();
                return std::nullopt;
            }
            for (auto [field, other] : {std::pair{&stored->salutation, &entry.salutation},
                                        {&stored->title, &entry.title},
                                        {&stored->company, &entry.company},
                                        {&stored->email, &entry.email},
                                        {&stored->note, &entry.note}})
                fillEmpty(*field, *other);
            stored->groups += entry.groups;
            if (entry.lastUsed > stored->lastUsed)
                stored->lastUsed = entry.lastUsed;
            entry = *stored;
            ++count.merged;
        } else {
            ++count.added;
        }
        lookup.finish();
        if (!write(entry)) {
            m_database.rollback();
            return std::nullopt;
        }
    }
    if (!m_database.commit()) {
        m_error = m_database.errorString();
        m_database.rollback();
        return std::nullopt;
    }
    return count;
}

} // namespace quillory::records
