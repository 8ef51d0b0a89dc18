#include "AddressTable.h"

#include "AddressBook.h"
#include "AddressCsv.h"

#include <algorithm>

namespace quillory::records {

AddressTable addressTable(AddressBook& book, const QString& group)
{
    AddressTable result;
    const std::vector<Entry> entries = book.list(group);
    if (!book.errorString().isEmpty()) {
        result.error =
            QStringLiteral("Das Adressbuch kann nicht gelesen werden: %1").arg(book.errorString());
        return result;
    }
    if (entries.empty()) {
        result.error = group.trimmed().isEmpty()
                           ? QStringLiteral("Das Adressbuch hat keine Einträge.")
                           : QStringLiteral("Die Gruppe „%1“ des Adressbuchs hat keine Einträge.")
                                 .arg(group.trimmed());
        return result;
    }
    // Read back as written, the table is the very one an export gives.
    merge::CsvResult read =
        merge::readCsv(entriesToCsv(entries), {QLatin1Char(';'), merge::CsvEncoding::Utf8});
    if (!read) {
        result.error = read.error.text();
        return result;
    }
    result.table = std::move(read.table);
    return result;
}

QString addressTableName(const QString& group)
{
    return group.trimmed().isEmpty()
               ? QStringLiteral("Adressbuch")
               : QStringLiteral("Adressbuch, Gruppe „%1“").arg(group.trimmed());
}

QStringList groupsOf(const std::vector<Entry>& entries)
{
    QStringList groups;
    for (const Entry& entry : entries)
        groups += entry.groups;
    groups.removeDuplicates();
    std::sort(groups.begin(), groups.end(),
              [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    return groups;
}

} // namespace quillory::records
