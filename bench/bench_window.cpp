// A keystroke in the window with the preview on screen: the edit goes
// through the form and every part that listens to it, then the page is
// painted again. What the user waits for between two keys. And a key typed
// into a 1 MB body, wrapped at the editor's width or not, to the editor
// painted again: the worst of 300 keys must stay within a frame (16 ms).
#include "features/spelling/SpellHighlighter.h"
#include "features/spelling/SpellingPart.h"
#include "features/spelling/SpellSupport.h"
#include "GuiBenchmarkMain.h"
#include "LongLetter.h"
#include "widgets/MemoField.h"
#include "widgets/PaintSurface.h"
#include "window/MainForm.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>

#include <algorithm>
#include <vector>

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

/** A key pressed and let go in widget, through its event filters as the user types it. */
void typeKey(QWidget* widget, Qt::Key key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void keystrokeInMegabyteBody(benchmark::State& state)
{
    const bool wrap = state.range(0) != 0;
    app::MainForm form;
    form.show();
    QCoreApplication::processEvents();
    form.findChild<QAction*>(QStringLiteral("Zeilenumbruch1"))->setChecked(wrap);
    // About 3,400 paragraphs of some 320 characters: just over a million characters.
    form.setLetter(bench::longLetter(3400));
    form.SetUnChanged();
    const app::SpellSupport* spelling = form.findChild<app::SpellingPart*>()->spelling();
    QTextDocument* document = form.Memo1->document();
    // In the middle, a paragraph long enough to take several screen lines.
    QTextBlock block = document->findBlockByNumber(document->blockCount() / 2);
    while (block.length() < 500 && block.next().isValid())
        block = block.next();
    QTextCursor cursor(block);
    // Near its end: the characters before it move on every key.
    cursor.setPosition(block.position() + block.length() - 40);
    form.Memo1->setTextCursor(cursor);
    form.Memo1->setFocus();
    form.Memo1->viewport()->repaint();
    // The system's German dictionary, where one is installed, is read and
    // the idle check of the whole body is over: each key is checked again.
    QElapsedTimer reading;
    reading.start();
    while (!spelling->checker() && reading.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    while (spelling->highlighter()->isChecking())
        QCoreApplication::processEvents();

    std::vector<double> samples;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        typeKey(form.Memo1, Qt::Key_R, QStringLiteral("r"));
        QCoreApplication::processEvents();
        form.Memo1->viewport()->repaint();
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000.0);
        samples.push_back(ms);
        state.PauseTiming();
        typeKey(form.Memo1, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2];
    state.counters["worst_ms"] = samples.back();
    state.counters["body_kb"] = double(document->characterCount()) / 1024.0;
    state.counters["screen_lines_of_paragraph"] = block.layout()->lineCount();
    state.counters["spell_checked"] = spelling->checker() ? 1 : 0;
    form.SetUnChanged();
}
BENCHMARK(keystrokeInMegabyteBody)
    ->ArgName("wrap")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The window's own settings and data go to a folder of this run.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    return bench::runGuiBenchmarks<QApplication>(argc, argv);
}
