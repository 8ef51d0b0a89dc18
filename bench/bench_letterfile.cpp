// Reading and writing a letter with a 1 MB body: opening or saving must feel
// instant even for a letter far longer than anyone writes.
#include "document/LetterFile.h"
#include "LongLetter.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace quillory::document;

namespace {

Letter largeLetter()
{
    Letter letter = Letter::makeNew(QDate(2026, 12, 8));
    letter.body = quillory::bench::megabyteBody();
    return letter;
}

void serialize(benchmark::State& state)
{
    const Letter letter = largeLetter();
    for (auto _ : state)
        benchmark::DoNotOptimize(LetterFile::serialize(letter));
    state.SetBytesProcessed(state.iterations() * letter.body.size());
}
BENCHMARK(serialize)->Unit(benchmark::kMillisecond);

void parse(benchmark::State& state)
{
    const QByteArray bytes = LetterFile::serialize(largeLetter());
    const Letter current = Letter::makeNew();
    for (auto _ : state)
        benchmark::DoNotOptimize(LetterFile::parse(bytes, current));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(parse)->Unit(benchmark::kMillisecond);

void writeFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.bri"));
    const Letter letter = largeLetter();
    for (auto _ : state) {
        if (LetterFile::writeFile(path, letter))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * letter.body.size());
}
BENCHMARK(writeFile)->Unit(benchmark::kMillisecond);

void readFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.bri"));
    if (LetterFile::writeFile(path, largeLetter())) {
        state.SkipWithError("write failed");
        return;
    }
    const Letter current = Letter::makeNew();
    for (auto _ : state) {
        auto loaded = LetterFile::readFile(path, current);
        if (!loaded)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(readFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
