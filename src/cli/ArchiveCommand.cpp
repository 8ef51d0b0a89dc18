#include "ArchiveCommand.h"

#include "LetterFiles.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace quillory::cli {
namespace {

using records::Database;
using records::LetterArchive;

// Files read between two commits: few enough that a failure loses little,
// many enough that the commits cost nothing next to the reading.
constexpr qsizetype kBatch = 500;
constexpr int kDefaultLimit = 100;

struct Options
{
    QString action;
    QStringList rest;
    QString database = Database::defaultPath();
    int limit = kDefaultLimit;
    bool json = false;
};

bool openDatabase(Database& database, Console& console)
{
    if (!database.open()) {
        console.fileFailure(database.path(), database.errorString());
        return false;
    }
    if (!database.notice().isEmpty())
        console.err << "quillory-cli: " << visible(database.notice()) << Qt::endl;
    return true;
}

/** The letter files a path names: itself, or every .bri below a folder, in order. */
QStringList letterFiles(const QString& path)
{
    if (!QFileInfo(path).isDir())
        return {path};
    QStringList files;
    QDirIterator it(path, {QStringLiteral("*.bri")}, QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    std::sort(files.begin(), files.end());
    return files;
}

int addFiles(const Options& options, LetterArchive& archive, Console& console)
{
    QStringList files;
    for (const QString& path : options.rest)
        files << letterFiles(path);
    std::vector<LetterArchive::Record> batch;
    int added = 0;
    int failed = 0;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& file = files[i];
        auto read = document::LetterFile::readFile(file, document::Letter::makeNew());
        if (!read) {
            ++failed;
            console.fileFailure(file, QStringLiteral("Der Brief kann nicht gelesen werden: %1")
                                          .arg(read.error().message()));
        } else {
            if (!read->warning.isEmpty())
                console.fileFailure(file, read->warning);
            // A file's time is when it was last saved: years of letters keep their order.
            batch.push_back({LetterArchive::Event::Saved,
                             file,
                             QFileInfo(file).lastModified().toUTC(),
                             {records::LetterText::of(read->letter)}});
        }
        if (qsizetype(batch.size()) < kBatch && i + 1 < files.size())
            continue;
        if (!archive.add(batch))
            return console.fileFailure(options.database, archive.errorString());
        added += int(batch.size());
        batch.clear();
        if (files.size() > kBatch)
            console.err << QStringLiteral("quillory-cli: %1 von %2 Dateien gelesen")
                               .arg(i + 1)
                               .arg(files.size())
                        << Qt::endl;
    }
    console.out << (added == 1 ? QStringLiteral("1 Brief aufgenommen")
                               : QStringLiteral("%1 Briefe aufgenommen").arg(added))
                << Qt::endl;
    if (failed == 0)
        return Success;
    console.err << "quillory-cli: "
                << (failed == 1
                        ? QStringLiteral("1 Datei konnte nicht gelesen werden")
                        : QStringLiteral("%1 Dateien konnten nicht gelesen werden").arg(failed))
                << Qt::endl;
    return FileFailure;
}

QJsonObject toJson(const LetterArchive::Hit& hit)
{
    return {{QStringLiteral("when"), hit.when.toString(Qt::ISODate)},
            {QStringLiteral("event"), LetterArchive::eventName(hit.event)},
            {QStringLiteral("path"), hit.path},
            {QStringLiteral("missing"), hit.missing},
            {QStringLiteral("recipient"), hit.letter.recipient},
            {QStringLiteral("subject"), hit.letter.subject},
            {QStringLiteral("date"), hit.letter.date},
            {QStringLiteral("body"), hit.letter.body}};
}

int search(const Options& options, LetterArchive& archive, Console& console)
{
    const auto hits = archive.search(options.rest.join(QLatin1Char(' ')), options.limit);
    if (!archive.errorString().isEmpty())
        return console.fileFailure(options.database, archive.errorString());
    if (options.json) {
        QJsonArray array;
        for (const auto& hit : hits)
            array << toJson(hit);
        console.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return Success;
    }
    for (const auto& hit : hits) {
        QStringList parts{hit.when.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")),
                          LetterArchive::eventName(hit.event), hit.path,
                          hit.letter.recipient.section(QLatin1Char('\n'), 0, 0),
                          hit.letter.subject};
        if (hit.missing)
            parts << QStringLiteral("(Datei fehlt)");
        console.out << visible(parts.join(QLatin1String("  "))) << '\n';
    }
    console.out.flush();
    return Success;
}

} // namespace

int ArchiveCommand::run(const QStringList& arguments, Console& console)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        bool ok = true;
        if (argument == QLatin1String("--json"))
            options.json = true;
        else if (argument == QLatin1String("--database") && hasValue)
            options.database = arguments[++i];
        else if (argument == QLatin1String("--limit") && hasValue)
            options.limit = arguments[++i].toInt(&ok);
        else if (argument.startsWith(QLatin1Char('-')))
            return console.usageFailure(QStringLiteral("unbekannte Angabe %1").arg(argument),
                                        usageLine());
        else if (options.action.isEmpty())
            options.action = argument;
        else
            options.rest << argument;
        if (!ok || options.limit < 1)
            return console.usageFailure(
                QStringLiteral("--limit nimmt eine Zahl ab 1, nicht %1").arg(arguments[i]),
                usageLine());
    }
    const bool add = options.action == QLatin1String("add");
    if ((!add && options.action != QLatin1String("search")) || (add && options.rest.isEmpty()))
        return console.usageFailure(QStringLiteral("archive nimmt add PFAD... oder search WÖRTER"),
                                    usageLine());

    Database database(options.database);
    if (!openDatabase(database, console))
        return FileFailure;
    LetterArchive archive(database);
    return add ? addFiles(options, archive, console) : search(options, archive, console);
}

int ArchiveCommand::record(const std::vector<LetterArchive::Record>& records, Console& console,
                           const QString& path)
{
    Database database(path);
    if (!openDatabase(database, console))
        return FileFailure;
    LetterArchive archive(database);
    if (!archive.add(records))
        return console.fileFailure(database.path(), archive.errorString());
    return Success;
}

} // namespace quillory::cli
