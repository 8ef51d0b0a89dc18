#include "AddressCsv.h"

#include "merge/CsvTable.h"

#include <array>

namespace quillory::records {
namespace {

enum Field {
    Salutation,
    Title,
    FirstName,
    Surname,
    Company,
    Extra,
    Street,
    Postcode,
    City,
    Country,
    Email,
    Note,
    Groups,
    Line1,
    FieldCount = Line1 + 5
};

/** Each field's names, the first the one written. */
const std::array<QStringList, FieldCount>& fieldNames()
{
    static const std::array<QStringList, FieldCount> names{
        QStringList{QStringLiteral("Anrede")},
        {QStringLiteral("Titel")},
        {QStringLiteral("Vorname")},
        {QStringLiteral("Nachname"), QStringLiteral("Name")},
        {QStringLiteral("Firma")},
        {QStringLiteral("Zusatz")},
        {QStringLiteral("Straße"), QStringLiteral("Strasse")},
        {QStringLiteral("PLZ")},
        {QStringLiteral("Ort")},
        {QStringLiteral("Land")},
        {QStringLiteral("E-Mail")},
        {QStringLiteral("Notiz")},
        {QStringLiteral("Gruppen")},
        {QStringLiteral("Anschrift 1")},
        {QStringLiteral("Anschrift 2")},
        {QStringLiteral("Anschrift 3")},
        {QStringLiteral("Anschrift 4")},
        {QStringLiteral("Anschrift 5")},
    };
    return names;
}

int fieldNamed(const QString& name)
{
    for (int field = 0; field < FieldCount; ++field) {
        if (fieldNames()[field].contains(name.trimmed(), Qt::CaseInsensitive))
            return field;
    }
    return -1;
}

int columnNamed(const QStringList& columns, const QString& name)
{
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns[i].trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QByteArray csvValue(const QString& value)
{
    QByteArray bytes = value.toUtf8();
    if (!bytes.contains(';') && !bytes.contains('"') && !bytes.contains('\n') &&
        !bytes.contains('\r'))
        return bytes;
    return '"' + bytes.replace('"', "\"\"") + '"';
}

} // namespace

QStringList csvFieldNames()
{
    QStringList names;
    for (const QStringList& each : fieldNames())
        names << each.first();
    return names;
}

QStringList csvFieldColumns(const QStringList& columns, const QString& mapping)
{
    QStringList found;
    for (const QStringList& names : fieldNames()) {
        int column = -1;
        for (const QString& name : names)
            if (column < 0)
                column = columnNamed(columns, name);
        found << (column < 0 ? QString() : columns[column]);
    }
    for (const QString& pair : mapping.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        const int field = equals < 0 ? -1 : fieldNamed(pair.left(equals));
        const QString column = pair.mid(equals + 1).trimmed();
        if (field >= 0 && (column.isEmpty() || columnNamed(columns, column) >= 0))
            found[field] = column.isEmpty() ? QString() : columns[columnNamed(columns, column)];
    }
    return found;
}

CsvEntries entriesFromCsv(const merge::CsvTable& table, const QString& mapping)
{
    CsvEntries result;
    std::array<int, FieldCount> columnOf;
    for (int field = 0; field < FieldCount; ++field) {
        columnOf[field] = -1;
        for (const QString& name : fieldNames()[field]) {
            if (columnOf[field] < 0)
                columnOf[field] = columnNamed(table.columns, name);
        }
    }
    for (const QString& pair : mapping.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        const int field = fieldNamed(pair.left(equals));
        if (equals < 0 || field < 0) {
            result.error = QStringLiteral("„%1“ nennt kein Feld; Felder sind: %2")
                               .arg(pair, csvFieldNames().join(QLatin1String(", ")));
            return result;
        }
        // "Feld=" leaves the field empty even where a column has its name.
        const QString column = pair.mid(equals + 1).trimmed();
        columnOf[field] = column.isEmpty() ? -1 : columnNamed(table.columns, column);
        if (columnOf[field] < 0 && !column.isEmpty()) {
            result.error = QStringLiteral("Die Tabelle hat keine Spalte „%1“.").arg(column);
            return result;
        }
    }

    for (int record = 0; record < table.recordCount(); ++record) {
        const auto value = [&](int field) {
            // Line breaks as a vCard keeps them, so an entry reads the same from either.
            return columnOf[field] < 0 ? QString()
                                       : table.value(record, columnOf[field])
                                             .trimmed()
                                             .toString()
                                             .replace(QLatin1String("\r\n"), QLatin1String("\n"));
        };
        Entry entry;
        entry.salutation = value(Salutation);
        entry.title = value(Title);
        entry.firstName = value(FirstName);
        entry.surname = value(Surname);
        entry.company = value(Company);
        entry.email = value(Email);
        entry.note = value(Note);
        entry.groups = normalizedGroups(value(Groups).split(u','));
        fillRecipientLines(
            entry, {value(Extra), value(Street), value(Postcode), value(City), value(Country)});
        std::array<QString, 5> given;
        bool linesGiven = false;
        for (int i = 0; i < 5; ++i) {
            given[i] = value(Line1 + i);
            linesGiven = linesGiven || !given[i].isEmpty();
        }
        if (linesGiven)
            entry.lines = given;
        if (!entry.isEmpty())
            result.entries.push_back(std::move(entry));
    }
    return result;
}

QByteArray entriesToCsv(const std::vector<Entry>& entries)
{
    QByteArray out("\xEF\xBB\xBF");
    for (int field = 0; field < FieldCount; ++field)
        out += (field > 0 ? ";" : "") + csvValue(fieldNames()[field].first());
    out += "\r\n";
    for (const Entry& entry : entries) {
        const AddressParts parts = addressParts(entry);
        std::array<QString, FieldCount> values{
            entry.salutation,
            entry.title,
            entry.firstName,
            entry.surname,
            entry.company,
            entry.company.isEmpty() ? entry.lines[1] : QString(),
            parts.street,
            parts.postcode,
            parts.city,
            parts.country,
            entry.email,
            entry.note,
            entry.groups.join(QLatin1String(", ")),
        };
        for (int i = 0; i < 5; ++i)
            values[Line1 + i] = entry.lines[i];
        for (int field = 0; field < FieldCount; ++field)
            out += (field > 0 ? ";" : "") + csvValue(values[field]);
        out += "\r\n";
    }
    return out;
}

} // namespace quillory::records
