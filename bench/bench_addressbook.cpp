// A keystroke in the recipient's first line with 50,000 entries in the
// address book: the completion's rows are looked up, put into its model and
// its popup shown, all before the next key (within 5 ms).
#include "GuiBenchmarkMain.h"
#include "records/AddressBook.h"
#include "SampleAddresses.h"
#include "support/SharedRecords.h"
#include "window/MainForm.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace quillory;

namespace {

constexpr int kEntries = 50000;

void fill(records::AddressBook& book)
{
    const std::vector<records::Entry> entries = bench::sampleAddresses(kEntries);
    if (!book.import(entries))
        qFatal("the address book could not be filled");
}

void keystrokeWithCompletion(benchmark::State& state, const char* typed)
{
    QTemporaryDir dir;
    app::MainForm form;
    form.setDataFolder(dir.path());
    form.show();
    QCoreApplication::processEvents();
    records::AddressBook book(*app::SharedRecords::of(form).database());
    fill(book);
    QLineEdit* line = form.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    line->setFocus();
    const QString text = QString::fromUtf8(typed);
    const QString before = text.chopped(1);
    const QString key = text.right(1);
    for (auto _ : state) {
        line->setText(before);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(line, &press);
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = form.findChild<QCompleter*>()->popup()->model()->rowCount();
}
BENCHMARK_CAPTURE(keystrokeWithCompletion, one_letter, "m")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystrokeWithCompletion, surname, "mül")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystrokeWithCompletion, name_and_city, "max koln")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystrokeWithCompletion, nothing, "xyz")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runGuiBenchmarks<QApplication>(argc, argv);
}
