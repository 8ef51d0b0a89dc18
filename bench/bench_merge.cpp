// Serial letters: reading a 10,000-row table must take under 20 ms; a
// thousand one-page letters must take at most 2 ms each into one PDF and
// 6 ms each into a PDF of their own (process start aside, which
// quillory-cli adds once).
#include "GuiBenchmarkMain.h"
#include "merge/SerialRun.h"
#include "output/PdfTarget.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

using namespace quillory;

namespace {

/** A table as a German spreadsheet saves it: semicolons, Windows-1252, CR LF. */
QByteArray addressTable(int rows)
{
    QByteArray csv("Name;Anrede;Stra\xdf"
                   "e;PLZ;Ort;Notiz\r\n");
    for (int i = 1; i <= rows; ++i) {
        csv += "Empf\xe4nger " + QByteArray::number(i) +
               ";Frau;Hauptstra\xdf"
               "e " +
               QByteArray::number(i) + ";" + QByteArray::number(10000 + i) + ";K\xf6ln;" +
               (i % 10 == 0 ? QByteArray("\"zwei\r\nZeilen; mit \"\"Zitat\"\"\"")
                            : QByteArray("keine")) +
               "\r\n";
    }
    return csv;
}

document::Letter serialLetter()
{
    document::Letter letter = document::Letter::makeNew(QDate(2026, 3, 1));
    letter.recipientName = QStringLiteral("{Name}");
    letter.recipientStreet = QStringLiteral("{Straße}");
    letter.recipientCity = QStringLiteral("{PLZ} {Ort}");
    letter.salutation = QStringLiteral("Sehr geehrte {Anrede} {Name},");
    return letter;
}

void readTable(benchmark::State& state)
{
    const QByteArray csv = addressTable(10000);
    for (auto _ : state) {
        const merge::CsvResult result = merge::readCsv(csv);
        if (!result || result.table->recordCount() != 10000)
            state.SkipWithError("the table was not read");
    }
    state.counters["MB"] = csv.size() / 1e6;
}
BENCHMARK(readTable)->Unit(benchmark::kMillisecond);

const merge::CsvTable& thousandRecords()
{
    static const merge::CsvTable table = *merge::readCsv(addressTable(1000)).table;
    return table;
}

void oneLetterPerPageIntoOnePdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const merge::SerialRun run(serialLetter(), thousandRecords(), merge::MergeOptions());
    for (auto _ : state) {
        output::PdfTarget target(dir.filePath(QStringLiteral("alle.pdf")));
        const merge::MergeOutcome outcome = run.printAll(target);
        if (outcome.pages != 1000)
            state.SkipWithError("not a page per letter");
    }
    state.counters["per_letter"] = benchmark::Counter(
        1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(oneLetterPerPageIntoOnePdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void aPdfPerLetter(benchmark::State& state)
{
    QTemporaryDir dir;
    const merge::SerialRun run(serialLetter(), thousandRecords(), merge::MergeOptions());
    for (auto _ : state) {
        const merge::MergeOutcome outcome =
            run.writeEach(dir.path(), merge::SerialRun::defaultNamePattern(), true);
        if (outcome.letters != 1000)
            state.SkipWithError(qPrintable(outcome.error));
    }
    state.counters["per_letter"] = benchmark::Counter(
        1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(aPdfPerLetter)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    return bench::runGuiBenchmarks(argc, argv);
}
