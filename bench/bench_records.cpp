// Completion in the address book must answer within 5 ms per keystroke over
// 50,000 entries, however much the typed text matches.
#include "records/AddressBook.h"
#include "records/Database.h"
#include "SampleAddresses.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace quillory::records;

namespace {

constexpr int kEntries = 50000;

/**
 * 50,000 entries of common German names and cities, 5,000 of them used in
 * letters, made once for every benchmark.
 */
struct Book
{
    QTemporaryDir dir;
    Database database{dir.filePath(QStringLiteral("quillory.sqlite"))};
    AddressBook book{database};

    Book()
    {
        const std::vector<Entry> entries = quillory::bench::sampleAddresses(kEntries);
        if (!database.open() || !book.import(entries))
            qFatal("the address book could not be filled");
    }
};

Book& book()
{
    static Book filled;
    return filled;
}

void complete(benchmark::State& state, const char* typed)
{
    AddressBook& addresses = book().book;
    const QString text = QString::fromUtf8(typed);
    std::size_t found = 0;
    for (auto _ : state)
        found = addresses.complete(text, 10).size();
    state.counters["found"] = double(found);
}
BENCHMARK_CAPTURE(complete, one_letter, "m")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(complete, surname, "mül")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(complete, exact_surname, "Özdemir165")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(complete, name_and_city, "max koln")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(complete, nothing, "xyz")->Unit(benchmark::kMicrosecond);

// What the window pays once, after it shows: the quick check reads every page.
void openDatabase(benchmark::State& state)
{
    const QString path = book().database.path();
    for (auto _ : state) {
        Database database(path);
        if (!database.open())
            state.SkipWithError("the database did not open");
    }
}
BENCHMARK(openDatabase)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
