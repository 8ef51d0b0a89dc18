#include "AddressBook.h"

#include "Database.h"
#include "SearchFold.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

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
    m_error.clear();
    QStringList words = searchWords(typed);
    if (words.isEmpty() || limit <= 0)
        return {};
    // The longest word is the one walked through the index (it finds the
    // fewest); every other is checked per entry among its few words.
    std::stable_sort(words.begin(), words.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    QString others;
    QVariantList otherValues;
    for (qsizetype i = 1; i < words.size(); ++i) {
        others +=
            QStringLiteral(" AND EXISTS (SELECT 1 FROM entry_words x WHERE x.entry_id = ENTRY "
                           "AND x.word >= ? AND x.word < ?)");
        otherValues << words[i] << pastPrefix(words[i]);
    }

    // Both steps stop as soon as they have enough: however many entries a
    // letter or two match, no more than those shown are read and none sorted.
    std::vector<qint64> ids;
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    // First the entries used in letters, the latest first, ...
    query.prepare(
        QStringLiteral("SELECT id FROM entries WHERE last_used IS NOT NULL AND EXISTS "
                       "(SELECT 1 FROM entry_words x WHERE x.entry_id = entries.id "
                       "AND x.word >= ? AND x.word < ?)%1 "
                       "ORDER BY last_used DESC LIMIT ?")
            .arg(QString(others).replace(QLatin1String("ENTRY"), QLatin1String("entries.id"))));
    for (const QVariant& value : QVariantList{words[0], pastPrefix(words[0])} + otherValues)
        query.addBindValue(value);
    query.addBindValue(limit);
    if (!query.exec()) {
        fail(query);
        return {};
    }
    while (query.next())
        ids.push_back(query.value(0).toLongLong());
    // ... then the others in the order of the word that found them.
    if (int(ids.size()) < limit) {
        query.prepare(
            QStringLiteral("SELECT w.entry_id FROM entry_words w CROSS JOIN entries e "
                           "ON e.id = w.entry_id WHERE w.word >= ? AND w.word < ? "
                           "AND e.last_used IS NULL%1 ORDER BY w.word, w.entry_id")
                .arg(QString(others).replace(QLatin1String("ENTRY"), QLatin1String("w.entry_id"))));
        for (const QVariant& value : QVariantList{words[0], pastPrefix(words[0])} + otherValues)
            query.addBindValue(value);
        if (!query.exec()) {
            fail(query);
            return {};
        }
        while (int(ids.size()) < limit && query.next()) {
            const qint64 id = query.value(0).toLongLong();
            if (std::find(ids.cbegin(), ids.cend(), id) == ids.cend())
                ids.push_back(id);
        }
    }
    query.finish();
    if (ids.empty())
        return {};

    QStringList marks;
    QVariantList values;
    for (const qint64 id : ids) {
        marks << QStringLiteral("?");
        values << id;
    }
    std::vector<Entry> found =
        select(QStringLiteral("WHERE id IN (%1)").arg(marks.join(u',')), values);
    std::sort(found.begin(), found.end(), [&](const Entry& a, const Entry& b) {
        return std::find(ids.cbegin(), ids.cend(), a.id) <
               std::find(ids.cbegin(), ids.cend(), b.id);
    });
    return found;
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
