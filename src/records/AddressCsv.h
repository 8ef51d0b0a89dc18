#pragma once

#include "Entry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quillory::merge {
class CsvTable;
}

namespace quillory::records {

/** The entries made from a table, or why there are none. */
struct CsvEntries
{
    std::vector<Entry> entries;
    QString error; ///< a mapping that names an unknown field or column
};

/**
 * Entries from a table of the serial letters' reader. Columns are found by
 * their usual German names, in any case: Anrede, Titel, Vorname, Nachname (or
 * Name), Firma, Zusatz, Strasse (or Straße), PLZ, Ort, Land, E-Mail, Notiz,
 * Gruppen (separated by commas) and "Anschrift 1" to "Anschrift 5".
 *
 * mapping ("Feld=Spalte,Feld=Spalte") names the column of a field whose
 * column is named otherwise, e.g. "Nachname=Familienname,PLZ=Postleitzahl";
 * "Feld=" reads the field from no column.
 *
 * The recipient lines are the "Anschrift" columns where a record has them,
 * and otherwise made as fillRecipientLines() says. Rows without any value
 * are left out.
 */
CsvEntries entriesFromCsv(const merge::CsvTable& table, const QString& mapping = {});

/** The fields' names as a mapping names them, in their order. */
QStringList csvFieldNames();

/**
 * For each field of csvFieldNames() the column of columns it is read from,
 * empty for none: found by name, then as mapping says. Unlike
 * entriesFromCsv(), pairs naming no field or no column of these are skipped,
 * so a mapping kept from another table serves where it fits.
 */
QStringList csvFieldColumns(const QStringList& columns, const QString& mapping = {});

/**
 * Entries as a table the serial letters read: UTF-8 with a byte order mark
 * (spreadsheets take it for UTF-8 only then), semicolons, CR LF, values in
 * double quotes where they hold a delimiter, quote or line break. The columns
 * are those entriesFromCsv() finds, so an exported table reads back as it was.
 */
QByteArray entriesToCsv(const std::vector<Entry>& entries);

} // namespace quillory::records
