// Feeds arbitrary bytes, read as a letter file's text, to the word tokenizer
// and the spelling walk: the words must lie inside their line, in order and
// apart, and the walk must reach its end with its stops in order.
#include "document/Windows1252.h"
#include "spell/SpellChecker.h"
#include "spell/SpellWalk.h"
#include "spell/WordTokenizer.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <tuple>

namespace {

/** Knows no word, so the walk stops at every word the tokenizer gives. */
class KnowsNothing : public quillory::spell::SpellChecker
{
public:
    bool isCorrect(const QString&) const override { return false; }
    QStringList suggestions(const QString&, int) const override { return {}; }
    void addWord(const QString&) override {}
    void removeWord(const QString&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillory;
    const QString text = document::Windows1252::decode(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    qsizetype words = 0;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        qsizetype end = 0;
        for (const spell::WordSpan& span : spell::checkableWords(line)) {
            if (span.start < end || span.length < 2 || span.start + span.length > line.size())
                __builtin_trap();
            end = span.start + span.length;
            ++words;
        }
    }
    // Two fields of the same text, as the walk passes them at every step.
    const QList<spell::TextField> fields{{QStringLiteral("body"), text},
                                         {QStringLiteral("closing"), text}};
    const KnowsNothing checker;
    spell::SpellWalk walk({}, 0);
    qsizetype stops = 0;
    std::tuple<int, int, int> last{-1, 0, 0};
    while (const auto stop = walk.next(checker, fields)) {
        const std::tuple<int, int, int> at{stop->fieldIndex, stop->word.line, stop->word.column};
        // Abbreviations with their stop are known even to this checker.
        if (!(last < at) || ++stops > 2 * words || stop->position > text.size())
            __builtin_trap();
        last = at;
        walk.pass();
    }
    return 0;
}
