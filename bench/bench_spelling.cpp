// Typing in a long body: the time from a keystroke to its paragraph being
// re-checked, with the system's German dictionary, in the middle of a 1 MB
// body; and how the idle check of the whole body is sliced. Then what must
// never stall either program: reading a user word list of 200,000 lines,
// and a body of 5 MB of binary bytes, listed and underlined.
#include "document/Windows1252.h"
#include "spell/Dictionaries.h"
#include "spell/HunspellChecker.h"
#include "spell/UnknownWords.h"
#include "spell/UserWordList.h"
#include "features/spelling/SpellHighlighter.h"

#include "GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextDocumentLayout>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <random>
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

/** 5 MB of random bytes as a letter file's body holds them: decoded as Windows-1252. */
QString binaryBody()
{
    std::mt19937 random(1);
    QByteArray bytes(5 * 1024 * 1024, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random() & 0xff);
    return quillory::document::Windows1252::decode(bytes);
}

void wordListOf200000Lines(benchmark::State& state)
{
    auto checker = germanChecker();
    if (!checker) {
        state.SkipWithError("no German Hunspell dictionary installed (hunspell-de-de)");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("woerterbuch.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the word list");
            return;
        }
        std::mt19937 random(3);
        const char letters[] = "abcdefghijklmnopqrstuvwxyz";
        for (int line = 0; line < 200000; ++line) {
            QByteArray word = "Quillwort";
            for (int i = 0; i < 6; ++i)
                word += letters[random() % 26];
            file.write(word + QByteArray::number(line, 36) + '\n');
        }
    }
    qsizetype words = 0;
    double readMs = 0;
    for (auto _ : state) {
        // Read, then given to a checker, as at every start of either program.
        state.PauseTiming();
        checker = germanChecker();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        quillory::spell::UserWordList list(path);
        if (!list.load()) {
            state.SkipWithError("cannot read the word list");
            return;
        }
        readMs = std::max(readMs, double(clock.nsecsElapsed()) / 1e6);
        list.applyTo(*checker);
        words = list.words().size();
    }
    state.counters["words"] = double(words);
    state.counters["worst_read_ms"] = readMs;
}
BENCHMARK(wordListOf200000Lines)->Iterations(3)->Unit(benchmark::kMillisecond);

void listingOfBinaryBody(benchmark::State& state)
{
    const auto checker = germanChecker();
    if (!checker) {
        state.SkipWithError("no German Hunspell dictionary installed (hunspell-de-de)");
        return;
    }
    const QList<quillory::spell::TextField> fields{{QStringLiteral("body"), binaryBody()}};
    qsizetype unknown = 0;
    for (auto _ : state)
        unknown = quillory::spell::findUnknownWords(*checker, fields).size();
    state.counters["unknown_words"] = double(unknown);
}
BENCHMARK(listingOfBinaryBody)->Iterations(1)->Unit(benchmark::kMillisecond);

void underliningOfBinaryBody(benchmark::State& state)
{
    const auto checker = germanChecker();
    if (!checker) {
        state.SkipWithError("no German Hunspell dictionary installed (hunspell-de-de)");
        return;
    }
    const QString body = binaryBody();
    // The longest the event loop waits for one turn: what the user feels as a stall.
    double worstMs = 0;
    double setTextMs = 0;
    int paragraphs = 0;
    for (auto _ : state) {
        // As in the window: the highlighter and its checker are in place
        // when a letter with such a body is opened.
        state.PauseTiming();
        QTextDocument document;
        document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
        auto* highlighter = new SpellHighlighter(&document);
        highlighter->setChecker(checker.get());
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QElapsedTimer turn;
        turn.start();
        document.setPlainText(body);
        setTextMs = double(turn.nsecsElapsed()) / 1e6;
        while (highlighter->isChecking()) {
            turn.start();
            QCoreApplication::processEvents();
            worstMs = std::max(worstMs, double(turn.nsecsElapsed()) / 1e6);
        }
        paragraphs = document.blockCount();
    }
    state.counters["worst_turn_ms"] = worstMs;
    state.counters["set_text_ms"] = setTextMs;
    state.counters["paragraphs"] = paragraphs;
}
BENCHMARK(underliningOfBinaryBody)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return quillory::bench::runGuiBenchmarks<QApplication>(argc, argv);
}
