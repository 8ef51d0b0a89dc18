// The letter archive: a search over 20,000 letters must take under 20 ms;
// `quillory-cli archive add` of a folder of 10,000 letter files under 20 s.
#include "ArchiveCommand.h"
#include "document/LetterFile.h"
#include "records/LetterArchive.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

using namespace quillory;
using records::LetterArchive;

namespace {

const char* const kNames[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber",
                              "Meyer",  "Wagner",  "Becker",    "Schulz",  "Hoffmann"};
const char* const kSubjects[] = {"Rechnung", "Kündigung",   "Angebot",     "Mahnung",
                                 "Anfrage",  "Bestätigung", "Widerspruch", "Antrag"};

/** Letter number i: recipients and subjects repeat, the numbers in them do not. */
document::Letter letter(int i)
{
    document::Letter letter = document::Letter::makeNew(QDate(2010, 1, 1).addDays(i % 5000));
    letter.recipientName = QStringLiteral("Herrn Peter %1").arg(QString::fromUtf8(kNames[i % 10]));
    letter.recipientStreet = QStringLiteral("Hauptstraße %1").arg(i % 200);
    letter.recipientCity = QStringLiteral("%1 Musterstadt").arg(10000 + i % 90000);
    letter.subject = QStringLiteral("%1 Nr. %2").arg(QString::fromUtf8(kSubjects[i % 8])).arg(i);
    letter.body = QStringLiteral("hiermit bestätige ich den Eingang Ihres Schreibens vom "
                                 "%1. Den Zählerstand teile ich Ihnen gesondert mit; ein "
                                 "Guthaben überweisen Sie bitte auf das bekannte Konto.\r\n\r\n"
                                 "Vielen Dank für Ihre Mühe.")
                      .arg(letter.date.toString(QStringLiteral("dd.MM.yyyy")))
                      .repeated(3);
    return letter;
}

/** An archive of 20,000 letters, made once for every search benchmark. */
struct Filled
{
    QTemporaryDir dir;
    records::Database database{dir.filePath(QStringLiteral("archive.sqlite"))};
    LetterArchive archive{database};

    Filled()
    {
        std::vector<LetterArchive::Record> records;
        for (int i = 0; i < 20000; ++i) {
            records.push_back({LetterArchive::Event::Saved,
                               dir.filePath(QStringLiteral("brief-%1.bri").arg(i)),
                               QDateTime(QDate(2010, 1, 1), QTime()).addSecs(3600LL * i),
                               {records::LetterText::of(letter(i))}});
        }
        if (!database.open() || !archive.add(records))
            qFatal("the archive cannot be filled: %s", qPrintable(archive.errorString()));
    }
};

// Closed in main(), while the application that its connection needs is there.
std::unique_ptr<Filled> g_filled;

LetterArchive& archive()
{
    if (!g_filled)
        g_filled = std::make_unique<Filled>();
    return g_filled->archive;
}

void search(benchmark::State& state, const char* words, size_t expected)
{
    LetterArchive& letters = archive();
    const QString query = QString::fromUtf8(words);
    for (auto _ : state) {
        const auto hits = letters.search(query, 100);
        if (hits.size() != expected) {
            state.SkipWithError("unexpected number of letters found");
            return;
        }
        benchmark::DoNotOptimize(hits.data());
    }
}
// Two letters (one's subject, the other's postcode); a tenth of the letters, of
// which the newest 100; an eighth and a tenth of them at once; a word in every letter.
BENCHMARK_CAPTURE(search, twoLetters, "Nr. 12345", 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, tenthByUmlaut, "muller", 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, twoWords, "kundig fisch", 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, everyLetter, "zähler", 100)->Unit(benchmark::kMillisecond);

/** quillory-cli archive add over a folder of 10,000 letter files, as the command runs it. */
void addFolder(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("briefe"));
    for (int i = 0; i < 10000; ++i) {
        const QString sub = QStringLiteral("%1/%2").arg(folder).arg(2010 + i / 1000);
        if ((i % 1000 == 0 && !QDir().mkpath(sub)) ||
            document::LetterFile::writeFile(QStringLiteral("%1/brief-%2.bri").arg(sub).arg(i),
                                            letter(i))) {
            state.SkipWithError("the letter files cannot be written");
            return;
        }
    }
    int run = 0;
    for (auto _ : state) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        cli::Console console{outStream, errStream};
        const QString database = dir.filePath(QStringLiteral("archive-%1.sqlite").arg(run++));
        if (cli::ArchiveCommand().run(
                {QStringLiteral("add"), folder, QStringLiteral("--database"), database}, console) !=
                cli::Success ||
            !out.startsWith(QStringLiteral("10000 Briefe"))) {
            state.SkipWithError(qPrintable(err));
            return;
        }
    }
}
BENCHMARK(addFolder)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_filled.reset();
    return 0;
}
