#pragma once

#include "merge/CsvTable.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quillory::records {

class AddressBook;
struct Entry;

/** The address book as a table of recipients, or why there is none. */
struct AddressTable
{
    std::optional<merge::CsvTable> table;
    QString error;

    explicit operator bool() const { return table.has_value(); }
};

/**
 * The entries of book (every one, or those of group) as the table a serial
 * letter reads: the columns and values entriesToCsv() exports, so a letter
 * fills "{Vorname}" or "{Anschrift 1}" from the address book as from its
 * exported table, and "Briefanrede" and "Anschriftanrede" derive from
 * Anrede, Titel, Nachname and Vorname alike. No entry is an error, as an
 * empty table is.
 */
AddressTable addressTable(AddressBook& book, const QString& group = {});

/** "Adressbuch" or "Adressbuch, Gruppe „Kunden“": where the records came from. */
QString addressTableName(const QString& group);

/** Every group of entries, each once, in alphabetical order. */
QStringList groupsOf(const std::vector<Entry>& entries);

} // namespace quillory::records
