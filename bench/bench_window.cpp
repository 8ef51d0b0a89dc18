// A keystroke in the window with the preview on screen: the edit goes
// through the form and every part that listens to it, then the page is
// painted again. What the user waits for between two keys.
#include "GuiBenchmarkMain.h"
#include "LongLetter.h"
#include "widgets/PaintSurface.h"
#include "window/MainForm.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace quillory;

namespace {

void repaintWindowAfterEdit(benchmark::State& state)
{
    app::MainForm form;
    form.setLetter(bench::longLetter(state.range(0)));
    form.PageControl1->setCurrentWidget(form.TabSheet3);
    form.PaintBox1->grab();
    int edit = 0;
    for (auto _ : state) {
        form.Edit6->setText(QString::number(++edit));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.PaintBox1->grab());
    }
}
BENCHMARK(repaintWindowAfterEdit)->Arg(10)->Arg(1300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The window's own settings and data go to a folder of this run.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    return bench::runGuiBenchmarks<QApplication>(argc, argv);
}
