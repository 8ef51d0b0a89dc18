#include "features/find/TextSearch.h"

#include <algorithm>

namespace quillory::app {
namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

TextSearch::TextSearch(const QString& pattern, Options options)
    : m_pattern(pattern), m_options(options)
{}

bool TextSearch::standsAlone(const QString& text, qsizetype start) const
{
    if (!m_options.wholeWords)
        return true;
    const qsizetype end = start + m_pattern.size();
    return (start == 0 || !isWordChar(text.at(start - 1))) &&
           (end >= text.size() || !isWordChar(text.at(end)));
}

qsizetype TextSearch::forwardFrom(const QString& text, qsizetype from) const
{
    const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = text.indexOf(m_pattern, from, cs); at >= 0;
         at = text.indexOf(m_pattern, at + 1, cs))
        if (standsAlone(text, at))
            return at;
    return -1;
}

qsizetype TextSearch::backwardTo(const QString& text, qsizetype end) const
{
    const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // lastIndexOf() counts a negative start from the end: stop at 0 instead.
    qsizetype from = std::min(end, text.size()) - m_pattern.size();
    while (from >= 0) {
        const qsizetype at = text.lastIndexOf(m_pattern, from, cs);
        if (at < 0)
            return -1;
        if (standsAlone(text, at))
            return at;
        from = at - 1;
    }
    return -1;
}

std::optional<TextSearch::Hit> TextSearch::next(const QStringList& texts, int text,
                                                qsizetype position, bool backwards) const
{
    const int count = int(texts.size());
    if (m_pattern.isEmpty() || text < 0 || text >= count)
        return std::nullopt;
    // The starting text twice: from position first, and as the last stop
    // once round, where whatever is left of it counts as wrapped.
    for (int step = 0; step <= count; ++step) {
        const int index =
            backwards ? ((text - step) % count + count) % count : (text + step) % count;
        const QString& searched = texts.at(index);
        const bool first = step == 0;
        qsizetype at = -1;
        if (backwards)
            at = backwardTo(searched, first ? position : searched.size());
        else
            at = forwardFrom(searched, first ? position : 0);
        if (at >= 0) {
            const bool wrapped =
                backwards ? (index > text || step == count) : (index < text || step == count);
            return Hit{index, at, m_pattern.size(), wrapped};
        }
    }
    return std::nullopt;
}

bool TextSearch::isMatch(const QString& text, qsizetype start, qsizetype length) const
{
    if (m_pattern.isEmpty() || length != m_pattern.size() || start < 0 ||
        start + length > text.size())
        return false;
    const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return QStringView(text).mid(start, length).compare(m_pattern, cs) == 0 &&
           standsAlone(text, start);
}

QList<qsizetype> TextSearch::matches(const QString& text) const
{
    QList<qsizetype> starts;
    if (m_pattern.isEmpty())
        return starts;
    for (qsizetype at = forwardFrom(text, 0); at >= 0;
         at = forwardFrom(text, at + m_pattern.size()))
        starts.append(at);
    return starts;
}

QString TextSearch::replaceAll(const QString& text, const QString& replacement) const
{
    QString result;
    qsizetype done = 0;
    for (const qsizetype at : matches(text)) {
        result += QStringView(text).mid(done, at - done);
        result += replacement;
        done = at + m_pattern.size();
    }
    result += QStringView(text).mid(done);
    return result;
}

} // namespace quillory::app
