#include "SpellWalk.h"

#include "SpellChecker.h"
#include "WordTokenizer.h"

#include <QRegularExpression>

namespace quillory::spell {

SpellWalk::SpellWalk(Ignored ignored, int maxSuggestions)
    : m_ignored(std::move(ignored)), m_maxSuggestions(maxSuggestions)
{}

std::optional<SpellWalk::Stop> SpellWalk::next(const SpellChecker& checker,
                                               const QList<TextField>& fields)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    m_stop.reset();
    for (; m_field < fields.size(); ++m_field, m_line = 0, m_column = 0) {
        const TextField& field = fields[m_field];
        const QStringList lines = field.text.split(lineBreak);
        qsizetype lineStart = 0;
        for (qsizetype l = 0; l < lines.size(); lineStart += lines[l].size() + 1, ++l) {
            if (l < m_line)
                continue;
            if (l > m_line) {
                m_line = l;
                m_column = 0;
            }
            for (const WordSpan& span : checkableWords(lines[l])) {
                if (span.start < m_column || isKnownWord(checker, lines[l], span))
                    continue;
                const QString word = lines[l].mid(span.start, span.length);
                if (m_ignored && m_ignored(word))
                    continue;
                m_column = span.start;
                m_stop = Stop{{field.key, int(l + 1), int(span.start + 1), word,
                               checker.suggestions(word, m_maxSuggestions)},
                              m_field,
                              lineStart + span.start};
                return m_stop;
            }
        }
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
