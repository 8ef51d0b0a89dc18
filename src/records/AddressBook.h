#pragma once

#include "Entry.h"

#include <QString>

#include <optional>
#include <vector>

class QSqlQuery;

namespace quillory::records {

class Database;

/**
 * The address book's entries in an open Database. Every change is one
 * transaction: it happens whole or not at all, also while another program
 * writes to the same file. A failing call returns false, std::nullopt or
 * nothing and leaves errorString().
 */
class AddressBook
{
public:
    explicit AddressBook(Database& database);

    /** Stores a new entry; its id. */
    std::optional<qint64> add(const Entry& entry);
    /** Replaces the stored entry of entry.id; false also when there is none. */
    bool update(const Entry& entry);
    bool remove(qint64 id);
    /** Sets when the entry went into a letter, which puts it first in completions. */
    bool markUsed(qint64 id, const QDateTime& when);

    std::optional<Entry> find(qint64 id);
    /** Every entry, or those of group, by surname, first name and first line. */
    std::vector<Entry> list(const QString& group = {});
    int count();

    /**
     * The entries that every word typed finds: a word finds an entry when one
     * of the entry's words (its names, first line, city line, e-mail address)
     * starts with it, compared as foldForSearch() folds them. At most limit:
     * those used in letters first, the latest first; then the others in the
     * alphabetical order of the entry's word that the longest typed word found.
     */
    std::vector<Entry> complete(const QString& typed, int limit);

    /** What import() did. */
    struct ImportCount
    {
        int added = 0;
        int merged = 0;
    };

    /**
     * Adds entries in one transaction. An entry with the name and address of
     * one stored (or added before it), compared folded, is merged into that
     * one instead: its empty fields are filled and the groups joined.
     */
    std::optional<ImportCount> import(const std::vector<Entry>& entries);

    QString errorString() const { return m_error; }

private:
    bool write(Entry& entry);
    bool fail(const QSqlQuery& query);
    std::vector<Entry> select(const QString& where, const QVariantList& values,
                              const QString& tail = {});

    Database& m_database;
    QString m_error;
};

} // namespace quillory::records
