#include "SpellWalk.h"

#include "SpellChecker.h"

#include <algorithm>

namespace quillory::spell {

SpellWalk::SpellWalk(Ignored ignored, int maxSuggestions)
    : m_ignored(std::move(ignored)), m_maxSuggestions(maxSuggestions)
{}

const QList<SpellWalk::Line>& SpellWalk::linesOf(const QString& text)
{
    // While m_text holds the same buffer nobody can change it in place, so
    // the same buffer is the same text.
    if (text.constData() == m_text.constData() && text.size() == m_text.size() &&
        !m_lines.isEmpty())
        return m_lines;
    m_text = text;
    m_lines.clear();
    m_wordsLine = -1;
    Line line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r')
            continue;
        line.length = i - line.start;
        m_lines.append(line);
        // "\r\n", "\r" and "\n" are one break each, as the editor counts them.
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        line.position += line.length + 1;
        line.start = i + 1;
    }
    line.length = text.size() - line.start;
    m_lines.append(line);
    return m_lines;
}

const QList<WordSpan>& SpellWalk::wordsOf(QStringView line)
{
    if (m_wordsLine != m_line) {
        m_words = checkableWords(line);
        m_wordsLine = m_line;
    }
    return m_words;
}

std::optional<SpellWalk::Stop> SpellWalk::next(const SpellChecker& checker,
                                               const QList<TextField>& fields)
{
    m_stop.reset();
    for (; m_field < fields.size(); ++m_field, m_line = 0, m_column = 0) {
        const TextField& field = fields[m_field];
        const QList<Line>& lines = linesOf(field.text);
        for (; m_line < lines.size(); ++m_line, m_column = 0) {
            const Line& line = lines[m_line];
            const QStringView text = QStringView(m_text).sliced(line.start, line.length);
            const QList<WordSpan>& words = wordsOf(text);
            // Past the words before the column at once: a long line may hold thousands.
            auto it = std::lower_bound(
                words.cbegin(), words.cend(), m_column,
                [](const WordSpan& span, qsizetype column) { return span.start < column; });
            for (; it != words.cend(); ++it) {
                const WordSpan& span = *it;
                if (isKnownWord(checker, text, span))
                    continue;
                const QString word = text.sliced(span.start, span.length).toString();
                if (m_ignored && m_ignored(word))
                    continue;
                m_column = span.start;
                const QStringList suggestions = m_maxSuggestions > 0
                                                    ? checker.suggestions(word, m_maxSuggestions)
                                                    : QStringList();
                m_stop = Stop{{field.key, int(m_line + 1), int(span.start + 1), word, suggestions},
                              m_field,
                              line.position + span.start};
                return m_stop;
            }
        }
        m_wordsLine = -1;
    }
    return std::nullopt;
}

void SpellWalk::pass()
{
    if (m_stop)
        m_column = m_stop->word.column - 1 + m_stop->word.word.size();
    m_stop.reset();
}

void SpellWalk::replaced(const QString& replacement)
{
    // A replacement of several lines would move the walk to another line;
    // the dialog's suggestions and the typed word are one line each.
    if (m_stop)
        m_column = m_stop->word.column - 1 + replacement.size();
    m_stop.reset();
}

} // namespace quillory::spell
