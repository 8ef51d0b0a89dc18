#include "AddressBookCommand.h"

#include "document/SafeWrite.h"
#include "LetterFiles.h"
#include "merge/CsvTable.h"
#include "records/AddressBook.h"
#include "records/AddressCsv.h"
#include "records/Database.h"
#include "records/VCard.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quillory::cli {
namespace {

using namespace quillory::records;

// Far beyond any address book; keeps a wrong file from filling the memory.
constexpr qint64 kMaxVCardBytes = 256LL * 1024 * 1024;

QString entryCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 Eintrag") : QStringLiteral("%1 Einträge").arg(count);
}

struct Options
{
    QString action;
    QString file;
    QString mapping;
    QString group;
    QString database;
    QString usage;
    bool json = false;
};

int importFile(const Options& options, AddressBook& book, Console& console)
{
    std::vector<Entry> entries;
    if (hasExtension(options.file, "vcf")) {
        const auto bytes = document::readWholeFile(options.file, kMaxVCardBytes);
        if (!bytes)
            return console.fileFailure(options.file, bytes.error().message());
        VCardResult read = readVCards(*bytes);
        for (const QString& warning : read.warnings)
            console.err << "quillory-cli: " << visible(options.file) << ": " << visible(warning)
                        << Qt::endl;
        if (!read.error.isEmpty())
            return console.fileFailure(options.file, read.error);
        entries = std::move(read.entries);
    } else {
        const merge::CsvResult read = merge::readCsvFile(options.file);
        if (!read)
            return console.fileFailure(options.file, read.error.text());
        for (const QString& warning : read.table->warnings)
            console.err << "quillory-cli: " << visible(options.file) << ": " << visible(warning)
                        << Qt::endl;
        CsvEntries made = entriesFromCsv(*read.table, options.mapping);
        if (!made.error.isEmpty())
            return console.usageFailure(made.error, options.usage);
        entries = std::move(made.entries);
    }
    if (!options.group.isEmpty()) {
        for (Entry& entry : entries)
            entry.groups << options.group;
    }
    const auto count = book.import(entries);
    if (!count)
        return console.fileFailure(options.database, book.errorString());
    console.out << entryCount(count->added) << " hinzugefügt, " << count->merged
                << " zusammengeführt" << Qt::endl;
    return Success;
}

int exportFile(const Options& options, AddressBook& book, Console& console)
{
    const std::vector<Entry> entries = book.list(options.group);
    if (!book.errorString().isEmpty())
        return console.fileFailure(options.database, book.errorString());
    const QByteArray bytes =
        hasExtension(options.file, "vcf") ? writeVCards(entries) : entriesToCsv(entries);
    if (const document::FileError error = document::writeWholeFile(options.file, bytes))
        return console.fileFailure(options.file, error.message());
    console.out << entryCount(qsizetype(entries.size())) << " geschrieben" << Qt::endl;
    return Success;
}

QJsonObject toJson(const Entry& entry)
{
    QJsonArray lines;
    for (const QString& line : entry.lines)
        lines << line;
    return {{QStringLiteral("id"), entry.id},
            {QStringLiteral("lines"), lines},
            {QStringLiteral("salutation"), entry.salutation},
            {QStringLiteral("title"), entry.title},
            {QStringLiteral("firstName"), entry.firstName},
            {QStringLiteral("surname"), entry.surname},
            {QStringLiteral("company"), entry.company},
            {QStringLiteral("email"), entry.email},
            {QStringLiteral("note"), entry.note},
            {QStringLiteral("groups"), QJsonArray::fromStringList(entry.groups)},
            {QStringLiteral("lastUsed"), entry.lastUsed.isValid()
                                             ? QJsonValue(entry.lastUsed.toString(Qt::ISODate))
                                             : QJsonValue()}};
}

int listEntries(const Options& options, AddressBook& book, Console& console)
{
    const std::vector<Entry> entries = book.list(options.group);
    if (!book.errorString().isEmpty())
        return console.fileFailure(options.database, book.errorString());
    if (options.json) {
        QJsonArray array;
        for (const Entry& entry : entries)
            array << toJson(entry);
        console.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return Success;
    }
    for (const Entry& entry : entries) {
        QStringList parts;
        for (const QString& line : entry.lines) {
            if (!line.isEmpty())
                parts << line;
        }
        if (!entry.email.isEmpty())
            parts << QLatin1Char('<') + entry.email + QLatin1Char('>');
        if (!entry.groups.isEmpty())
            parts << QLatin1Char('[') + entry.groups.join(QLatin1String(", ")) + QLatin1Char(']');
        console.out << visible(parts.join(QLatin1String(", "))) << '\n';
    }
    console.out.flush();
    return Success;
}

} // namespace

int AddressBookCommand::run(const QStringList& arguments, Console& console)
{
    Options options;
    options.database = Database::defaultPath();
    options.usage = usageLine();
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--json"))
            options.json = true;
        else if (argument == QLatin1String("--map") && hasValue)
            options.mapping = arguments[++i];
        else if (argument == QLatin1String("--group") && hasValue)
            options.group = arguments[++i];
        else if (argument == QLatin1String("--database") && hasValue)
            options.database = arguments[++i];
        else if (argument.startsWith(QLatin1Char('-')))
            return console.usageFailure(QStringLiteral("unbekannte Angabe %1").arg(argument),
                                        usageLine());
        else
            rest << argument;
    }
    options.action = rest.value(0);
    const bool withFile =
        options.action == QLatin1String("import") || options.action == QLatin1String("export");
    if (withFile && rest.size() == 2)
        options.file = rest[1];
    else if (options.action != QLatin1String("list") || rest.size() != 1)
        return console.usageFailure(QStringLiteral("addressbook nimmt import DATEI, export DATEI "
                                                   "oder list"),
                                    usageLine());
    if (withFile && !hasExtension(options.file, "csv") && !hasExtension(options.file, "vcf"))
        return console.usageFailure(
            QStringLiteral("%1: das Adressbuch liest und schreibt .csv und .vcf").arg(options.file),
            usageLine());
    if (options.action == QLatin1String("export")) {
        if (const int status = console.checkOutput(options.file, {options.database}, usageLine()))
            return status;
    }

    Database database(options.database);
    if (!database.open())
        return console.fileFailure(options.database, database.errorString());
    if (!database.notice().isEmpty())
        console.err << "quillory-cli: " << visible(database.notice()) << Qt::endl;
    AddressBook book(database);
    if (options.action == QLatin1String("import"))
        return importFile(options, book, console);
    if (options.action == QLatin1String("export"))
        return exportFile(options, book, console);
    return listEntries(options, book, console);
}

} // namespace quillory::cli
