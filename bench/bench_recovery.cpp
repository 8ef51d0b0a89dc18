// The recovery copy is written on the user-interface thread while the user
// types: a typical letter must cost well under a millisecond, and a 1 MB body
// must not take longer than a frame (16 ms), or the write would have to move
// off that thread with a snapshot of the letter.
#include "LongLetter.h"
#include "window/MainForm.h"
#include "features/recovery/RecoveryPart.h"
#include "features/recovery/RecoveryStore.h"

#include "GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

using namespace quillory;

namespace {

document::Letter typicalLetter()
{
    document::Letter letter = bench::longLetter(4); // about one page
    letter.senderName = QStringLiteral("Erika Beispiel");
    return letter;
}

document::Letter megabyteLetter()
{
    document::Letter letter = bench::longLetter(1);
    letter.body = quillory::bench::megabyteBody();
    return letter;
}

void writeCopy(benchmark::State& state, const document::Letter& letter)
{
    QTemporaryDir dir;
    app::RecoveryStore store(dir.path());
    for (auto _ : state) {
        if (store.write(letter, QStringLiteral("/home/erika/Briefe/Kündigung.bri")))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * letter.body.size() * 2);
}

void recoveryCopyTypical(benchmark::State& state)
{
    writeCopy(state, typicalLetter());
}
BENCHMARK(recoveryCopyTypical)->Unit(benchmark::kMicrosecond);

void recoveryCopy1MB(benchmark::State& state)
{
    writeCopy(state, megabyteLetter());
}
BENCHMARK(recoveryCopy1MB)->Unit(benchmark::kMillisecond);

/** What the timer costs the window: gathering the letter from the fields, then the write. */
void recoveryCopyFromWindow1MB(benchmark::State& state)
{
    QTemporaryDir dir;
    app::MainForm form;
    form.setDataFolder(dir.path());
    form.setLetter(megabyteLetter());
    form.SetChanged();
    auto& recovery = *form.findChild<app::RecoveryPart*>();
    for (auto _ : state) {
        form.SetChanged();
        if (!recovery.writeRecoveryCopy())
            state.SkipWithError("write failed");
    }
}
BENCHMARK(recoveryCopyFromWindow1MB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return quillory::bench::runGuiBenchmarks<QApplication>(argc, argv);
}
