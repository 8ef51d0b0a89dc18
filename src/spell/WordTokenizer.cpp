#include "WordTokenizer.h"

namespace quillory::spell {
namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

/** An address rather than prose: the whole run up to the next space is skipped. */
bool isAddress(QStringView chunk)
{
    if (chunk.contains(u"://") || chunk.startsWith(u"www.", Qt::CaseInsensitive))
        return true;
    const qsizetype at = chunk.indexOf(u'@');
    return at > 0 && at + 1 < chunk.size() && isWordChar(chunk[at - 1]) &&
           isWordChar(chunk[at + 1]);
}

bool isCheckable(QStringView word)
{
    if (word.size() < 2)
        return false;
    bool lower = false;
    for (const QChar c : word) {
        if (c.isDigit())
            return false;
        lower = lower || c.isLower();
    }
    return lower;
}

} // namespace

QList<WordSpan> checkableWords(QStringView line)
{
    QList<WordSpan> words;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        const QChar c = line[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        qsizetype chunkEnd = i;
        while (chunkEnd < n && !line[chunkEnd].isSpace())
            ++chunkEnd;
        if (isAddress(line.mid(i, chunkEnd - i))) {
            i = chunkEnd;
            continue;
        }
        if (c == u'{') {
            // A placeholder may name a column with spaces, "{PLZ Ort}".
            const qsizetype close = line.indexOf(u'}', i + 1);
            if (close > 0) {
                i = close + 1;
                continue;
            }
        }
        if (!isWordChar(c)) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && isWordChar(line[end]))
            ++end;
        if (isCheckable(line.mid(i, end - i)))
            words.append({i, end - i});
        i = end;
    }
    return words;
}

} // namespace quillory::spell
