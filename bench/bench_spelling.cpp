// Typing in a long body: the time from a keystroke to its paragraph being
// re-checked, with the system's German dictionary, in the middle of a 1 MB
// body; and how the idle check of the whole body is sliced.
#include "spell/Dictionaries.h"
#include "spell/HunspellChecker.h"
#include "SpellHighlighter.h"

#include "GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using quillory::app::SpellHighlighter;

std::unique_ptr<quillory::spell::HunspellChecker> germanChecker()
{
    const auto dictionary =
        quillory::spell::chooseDictionary(quillory::spell::findGermanDictionaries());
    return dictionary ? quillory::spell::HunspellChecker::open(*dictionary, nullptr) : nullptr;
}

/** About 1 MB of letter prose, a few typos in it, one paragraph a line. */
QString megabyteBody()
{
    const QString paragraph = QStringLiteral(
        "Sehr geehrte Damen und Heren, hiermit kündige ich meinen Stromliefervertrag "
        "fristgerecht zum nächstmöglichen Zeitpunkt. Bitte senden Sie mir eine schriftliche "
        "Kündigungsbestätigung zu. Für Rückfragen stehe ich Ihnen gerne zur Verfügung, die "
        "Rechnug vom 12. Mai habe ich bereits bezahlt.\n");
    QString body;
    while (body.size() < 1024 * 1024)
        body += paragraph;
    return body;
}

struct Document
{
    QTextDocument document;
    std::unique_ptr<quillory::spell::HunspellChecker> checker = germanChecker();
    SpellHighlighter* highlighter = nullptr;
    qint64 idleMs = 0;

    Document()
    {
        document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
        document.setPlainText(megabyteBody());
        highlighter = new SpellHighlighter(&document);
        QElapsedTimer clock;
        clock.start();
        highlighter->setChecker(checker.get());
        while (highlighter->isChecking())
            QCoreApplication::processEvents();
        idleMs = clock.elapsed();
    }
};

void keystrokeInMiddleOfMegabyteBody(benchmark::State& state)
{
    Document doc;
    if (!doc.checker) {
        state.SkipWithError("no German Hunspell dictionary installed (hunspell-de-de)");
        return;
    }
    const int middle = doc.document.blockCount() / 2;
    const QTextBlock block = doc.document.findBlockByNumber(middle);
    QTextCursor cursor(&doc.document);
    std::vector<double> samples;
    for (auto _ : state) {
        // Typing the missing "r" of "Heren" in the middle paragraph, then taking it back.
        cursor.setPosition(block.position() + 26);
        QElapsedTimer clock;
        clock.start();
        cursor.insertText(QStringLiteral("r"));
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000.0);
        samples.push_back(ms);
        state.PauseTiming();
        cursor.deletePreviousChar();
        state.ResumeTiming();
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2];
    state.counters["worst_ms"] = samples.back();
    state.counters["idle_check_ms"] = double(doc.idleMs);
    state.counters["paragraphs"] = doc.document.blockCount();
}
BENCHMARK(keystrokeInMiddleOfMegabyteBody)
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return quillory::bench::runGuiBenchmarks<QApplication>(argc, argv);
}
