#include "MergeCommand.h"

#include "ArchiveCommand.h"
#include "document/FileIdentity.h"
#include "LetterFiles.h"
#include "merge/SerialRun.h"
#include "output/PdfTarget.h"
#include "output/PrinterTarget.h"
#include "records/AddressBook.h"
#include "records/AddressTable.h"
#include "ViewArguments.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <limits>
#include <optional>

namespace quillory::cli {
namespace {

struct Options
{
    QString letter;
    QString table;
    bool addressBook = false; // the records are the address book's entries
    QString group;            // of the address book; empty: all
    QString database = records::Database::defaultPath();
    QString pdf;
    QString folder;
    QString pattern = merge::SerialRun::defaultNamePattern();
    bool overwrite = false;
    bool print = false;
    bool archive = false; // each letter goes into the letter archive
    QString printer;
    merge::CsvOptions csv;
    merge::MergeOptions merge;
};

/**
 * A record number of --records; one too large for a number is beyond every
 * table all the same, and is refused as such rather than misread.
 */
int recordNumber(const QString& digits)
{
    bool ok = false;
    const int number = digits.toInt(&ok);
    return ok ? number : std::numeric_limits<int>::max();
}

std::optional<Options> parse(const QStringList& arguments, QString& problem)
{
    Options options;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (ViewArguments::take(argument, options.merge.view))
            continue;
        if (argument == QLatin1String("--duplex")) {
            options.merge.duplex = true;
            continue;
        }
        if (argument == QLatin1String("--print")) {
            options.print = true;
            continue;
        }
        if (argument == QLatin1String("--archive")) {
            options.archive = true;
            continue;
        }
        if (argument == QLatin1String("--overwrite")) {
            options.overwrite = true;
            continue;
        }
        if (argument == QLatin1String("--adressbuch")) {
            options.addressBook = true;
            continue;
        }
        static const QStringList valued = {QStringLiteral("-o"),
                                           QStringLiteral("--each"),
                                           QStringLiteral("--name"),
                                           QStringLiteral("--printer"),
                                           QStringLiteral("--layout"),
                                           QStringLiteral("--delimiter"),
                                           QStringLiteral("--encoding"),
                                           QStringLiteral("--records"),
                                           QStringLiteral("--anrede-spalten"),
                                           QStringLiteral("--gruppe"),
                                           QStringLiteral("--database")};
        if (valued.contains(argument)) {
            if (i + 1 >= arguments.size()) {
                problem = QStringLiteral("%1 needs a value").arg(argument);
                return std::nullopt;
            }
            const QString value = arguments[++i];
            bool ok = true;
            if (argument == QLatin1String("-o")) {
                options.pdf = value;
            } else if (argument == QLatin1String("--each")) {
                options.folder = value;
            } else if (argument == QLatin1String("--name")) {
                options.pattern = value;
            } else if (argument == QLatin1String("--printer")) {
                options.printer = value;
            } else if (argument == QLatin1String("--gruppe")) {
                options.group = value.trimmed();
                ok = !options.group.isEmpty();
            } else if (argument == QLatin1String("--database")) {
                options.database = value;
            } else if (argument == QLatin1String("--layout")) {
                const std::optional<layout::LayoutKind> kind = ViewArguments::layoutNamed(value);
                ok = kind.has_value();
                options.merge.kind = kind.value_or(layout::LayoutKind::Layout1);
            } else if (argument == QLatin1String("--delimiter")) {
                const QString c = value == QLatin1String("\\t") || value == QLatin1String("tab")
                                      ? QStringLiteral("\t")
                                      : value;
                ok = c.size() == 1 && c != QLatin1String("\"") && c != QLatin1String("\n") &&
                     c != QLatin1String("\r");
                if (ok)
                    options.csv.delimiter = c.front();
            } else if (argument == QLatin1String("--encoding")) {
                if (value.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0)
                    options.csv.encoding = merge::CsvEncoding::Utf8;
                else if (value.compare(QLatin1String("windows-1252"), Qt::CaseInsensitive) == 0)
                    options.csv.encoding = merge::CsvEncoding::Windows1252;
                else
                    ok = false;
            } else if (argument == QLatin1String("--anrede-spalten")) {
                options.merge.salutation = merge::SalutationColumns::parse(value);
                ok = options.merge.salutation.has_value();
            } else if (argument == QLatin1String("--records")) {
                static const QRegularExpression range(QStringLiteral("^(\\d+)-(\\d*)$"));
                const auto match = range.match(value);
                ok = match.hasMatch();
                if (ok) {
                    options.merge.first = recordNumber(match.captured(1));
                    options.merge.last =
                        match.captured(2).isEmpty() ? 0 : recordNumber(match.captured(2));
                    ok = options.merge.first >= 1 &&
                         (options.merge.last == 0 || options.merge.last >= options.merge.first);
                }
            }
            if (!ok) {
                problem = QStringLiteral("invalid value for %1: %2").arg(argument, value);
                return std::nullopt;
            }
            continue;
        }
        if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            problem = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        }
        files.append(argument);
    }
    if (files.size() != (options.addressBook ? 1 : 2)) {
        problem = QStringLiteral("merge takes a letter file and a table, or a letter file and "
                                 "--adressbuch");
        return std::nullopt;
    }
    // A table's reading options for the address book, or a group of a table,
    // are a mistake the user should hear of rather than see ignored.
    if (!options.addressBook && !options.group.isEmpty()) {
        problem = QStringLiteral("--gruppe names a group of the address book (--adressbuch)");
        return std::nullopt;
    }
    if (options.addressBook &&
        (!options.csv.delimiter.isNull() || options.csv.encoding != merge::CsvEncoding::Detect)) {
        problem = QStringLiteral("--delimiter and --encoding read a table, not the address book");
        return std::nullopt;
    }
    options.letter = files[0];
    options.table = options.addressBook ? options.database : files[1];
    const int outputs =
        int(!options.pdf.isEmpty()) + int(!options.folder.isEmpty()) + int(options.print);
    if (outputs != 1)
        problem = QStringLiteral("merge writes to one of -o OUT.pdf, --each DIR and --print");
    else if (!options.pdf.isEmpty() && !hasExtension(options.pdf, "pdf"))
        problem = QStringLiteral("merge writes OUT.pdf (-o)");
    if (!problem.isEmpty())
        return std::nullopt;
    return options;
}

/**
 * The archive's rows for a finished run: one PDF or printed job holding
 * every letter, or a PDF of its own for each.
 */
int archive(const Options& options, const merge::SerialRun& run, Console& console)
{
    using records::LetterArchive;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    std::vector<records::LetterText> letters;
    for (int i = 0; i < run.letterCount(); ++i)
        letters.push_back(records::LetterText::of(run.letterFor(options.merge.first + i)));
    if (options.folder.isEmpty()) {
        const bool pdf = !options.pdf.isEmpty();
        return ArchiveCommand::record(
            {{pdf ? LetterArchive::Event::Pdf : LetterArchive::Event::Printed,
              pdf ? options.pdf : options.letter, now, letters}},
            console, options.database);
    }
    QString error;
    const QStringList names = run.fileNames(options.pattern, error);
    if (names.size() != qsizetype(letters.size()))
        return console.fileFailure(options.folder, error);
    std::vector<LetterArchive::Record> records;
    for (qsizetype i = 0; i < names.size(); ++i)
        records.push_back({LetterArchive::Event::Pdf,
                           QDir(options.folder).filePath(names[i]),
                           now,
                           {letters[size_t(i)]}});
    return ArchiveCommand::record(records, console, options.database);
}

/** The address book's entries as a table, or the failure's status. */
int readAddressBook(const Options& options, Console& console, merge::CsvTable& table)
{
    records::Database database(options.database);
    if (!database.open())
        return console.fileFailure(options.database, database.errorString());
    if (!database.notice().isEmpty())
        console.err << "quillory-cli: " << visible(database.notice()) << Qt::endl;
    records::AddressBook book(database);
    records::AddressTable read = records::addressTable(book, options.group);
    if (!read)
        return console.fileFailure(options.database, read.error);
    table = std::move(*read.table);
    console.err << "quillory-cli: " << visible(records::addressTableName(options.group)) << ": "
                << table.recordCount() << (table.recordCount() == 1 ? " Datensatz" : " Datensätze")
                << Qt::endl;
    return Success;
}

/** The table of options, with what was read said (and warned) before anything is written. */
int readTable(const Options& options, Console& console, merge::CsvTable& table)
{
    if (options.addressBook)
        return readAddressBook(options, console, table);
    merge::CsvResult read = merge::readCsvFile(options.table, options.csv);
    if (!read)
        return console.fileFailure(options.table, read.error.text());
    table = std::move(*read.table);
    console.err << "quillory-cli: " << visible(options.table) << ": "
                << merge::delimiterName(table.delimiter) << ", "
                << merge::encodingName(table.encoding) << ", " << table.recordCount()
                << (table.recordCount() == 1 ? " Datensatz" : " Datensätze") << Qt::endl;
    // Before anything is written, so the user can stop and mend the table.
    for (const QString& warning : table.warnings)
        console.err << "quillory-cli: " << options.table << ": Warnung: " << warning << Qt::endl;
    return Success;
}

} // namespace

int MergeCommand::run(const QStringList& arguments, Console& console)
{
    QString problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options)
        return console.usageFailure(problem, usageLine());
    const QStringList inputs{options->letter, options->table};
    if (!options->pdf.isEmpty()) {
        if (const int status = console.checkOutput(options->pdf, inputs, usageLine()))
            return status;
    }

    const auto loaded = readLetterFile(options->letter, console);
    if (!loaded)
        return FileFailure;
    merge::CsvTable table;
    if (const int status = readTable(*options, console, table))
        return status;

    // A column named on the command line is a typing error, like an unknown option.
    if (const merge::SalutationFields salutation(table.columns, options->merge.salutation);
        !salutation.problem().isEmpty())
        return console.usageFailure(options->table + QStringLiteral(": ") + salutation.problem(),
                                    usageLine());

    const merge::SerialRun run(loaded->letter, table, options->merge);
    if (!run.problem().isEmpty())
        return console.fileFailure(options->letter, run.problem());
    if (!options->folder.isEmpty()) {
        const QString input = run.inputAmongFiles(options->folder, options->pattern, inputs);
        if (!input.isEmpty())
            return console.usageFailure(options->folder + QStringLiteral(": ") +
                                            document::outputIsInputText(input),
                                        usageLine());
    }
    if (const QString same = run.sameLettersWarning(); !same.isEmpty())
        console.err << "quillory-cli: " << options->letter << ": Warnung: " << same << Qt::endl;

    merge::MergeOutcome outcome;
    QString where;
    if (!options->pdf.isEmpty()) {
        where = options->pdf;
        output::PdfTarget target(options->pdf);
        outcome = run.printAll(target);
    } else if (!options->folder.isEmpty()) {
        where = options->folder;
        outcome = run.writeEach(options->folder, options->pattern, options->overwrite);
    } else {
        QPrinter printer(QPrinter::HighResolution);
        if (!options->printer.isEmpty()) {
            if (QPrinterInfo::printerInfo(options->printer).isNull())
                return console.fileFailure(options->printer,
                                           output::PrinterTarget::invalidPrinterText());
            printer.setPrinterName(options->printer);
        }
        if (options->merge.duplex)
            printer.setDuplex(QPrinter::DuplexLongSide);
        output::PrinterTarget target(printer);
        // Without a name the system's default printer is meant: the letter tells which run failed.
        where = printer.printerName().isEmpty() ? options->letter : printer.printerName();
        outcome = run.printAll(target);
    }
    if (!outcome.error.isEmpty()) {
        console.fileFailure(where, outcome.error);
        console.err << "quillory-cli: " << outcome.unfinishedSummary(run.letterCount()) << Qt::endl;
        return FileFailure;
    }
    console.out << outcome.summary() << Qt::endl;
    return options->archive ? archive(*options, run, console) : Success;
}

} // namespace quillory::cli
