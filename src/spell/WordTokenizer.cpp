#include "WordTokenizer.h"

namespace quillory::spell {
namespace {

// No German word is longer, and Hunspell takes ever longer to try a
// letter run as a compound the longer it is.
constexpr qsizetype kMaxWordLength = 64;

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

/** A character no typed or pasted text holds: its chunk is bytes of some file, not prose. */
bool isBinary(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control: // spaces among them end a chunk before it gets here
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
        return true;
    default:
        return c == QChar::ReplacementCharacter;
    }
}

bool isCheckable(QStringView word)
{
    if (word.size() < 2 || word.size() > kMaxWordLength)
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
    // Every character is looked at a bounded number of times, so a pasted
    // file of megabytes costs no more than prose of that length.
    QList<WordSpan> words;
    const qsizetype n = line.size();
    qsizetype nextClose = -1; // the first '}' after the '{' last looked at; n: none
    qsizetype i = 0;
    while (i < n) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        qsizetype chunkEnd = i;
        bool binary = false;
        while (chunkEnd < n && !line[chunkEnd].isSpace()) {
            binary = binary || isBinary(line[chunkEnd]);
            ++chunkEnd;
        }
        if (binary) {
            i = chunkEnd;
            continue;
        }
        const QStringView chunk = line.sliced(i, chunkEnd - i);
        const qsizetype scheme = chunk.lastIndexOf(u"://");
        const qsizetype lastScheme = scheme < 0 ? -1 : i + scheme;
        qsizetype nextAt = -1; // the first '@' at or after i in the chunk; chunkEnd: none
        // An address rather than prose from i on: the rest up to the next space is skipped.
        const auto addressAt = [&](qsizetype from) {
            if (from <= lastScheme || line.sliced(from).startsWith(u"www.", Qt::CaseInsensitive))
                return true;
            if (nextAt < from) {
                nextAt = line.sliced(0, chunkEnd).indexOf(u'@', from);
                if (nextAt < 0)
                    nextAt = chunkEnd;
            }
            return nextAt > from && nextAt + 1 < chunkEnd && isWordChar(line[nextAt - 1]) &&
                   isWordChar(line[nextAt + 1]);
        };
        while (i < chunkEnd) {
            if (addressAt(i)) {
                i = chunkEnd;
                break;
            }
            const QChar c = line[i];
            if (c == u'{') {
                // A placeholder may name a column with spaces, "{PLZ Ort}".
                if (nextClose != n && nextClose <= i) {
                    nextClose = line.indexOf(u'}', i + 1);
                    if (nextClose < 0)
                        nextClose = n;
                }
                if (nextClose < n) {
                    i = nextClose + 1;
                    if (i > chunkEnd)
                        break; // past a space: a new chunk
                    continue;
                }
            }
            if (!isWordChar(c)) {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < chunkEnd && isWordChar(line[end]))
                ++end;
            if (isCheckable(line.sliced(i, end - i)))
                words.append({i, end - i});
            i = end;
        }
    }
    return words;
}

} // namespace quillory::spell
