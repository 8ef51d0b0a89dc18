#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillory::app {

/**
 * What "Suchen..." looks for, over plain texts: one text per field, in the
 * order the search walks them. No widgets, so the walk through the fields,
 * its turn at either end and the options are the same wherever they run.
 */
class TextSearch
{
public:
    struct Options
    {
        bool matchCase = false;
        /** The match may not sit inside a longer word ("Rat" is not found in "Beirat"). */
        bool wholeWords = false;
    };
    /** A match: text index, position and length in that text. */
    struct Hit
    {
        int text = 0;
        qsizetype start = 0;
        qsizetype length = 0;
        /** The search went past the last text (backwards: the first) to find it. */
        bool wrapped = false;
    };

    TextSearch(const QString& pattern, Options options);

    /**
     * The next match from position in texts[text]: forwards the first one
     * starting at or after it, backwards the last one ending at or before
     * it, then on through the other texts and round to where it began.
     */
    std::optional<Hit> next(const QStringList& texts, int text, qsizetype position,
                            bool backwards) const;
    /** Whether exactly [start, start + length) of text is a match. */
    bool isMatch(const QString& text, qsizetype start, qsizetype length) const;
    /** Where every match in text starts, left to right, none overlapping. */
    QList<qsizetype> matches(const QString& text) const;
    /** text with every match replaced. */
    QString replaceAll(const QString& text, const QString& replacement) const;

private:
    /** The first match at or after from, or -1. */
    qsizetype forwardFrom(const QString& text, qsizetype from) const;
    /** The last match ending at or before end, or -1. */
    qsizetype backwardTo(const QString& text, qsizetype end) const;
    bool standsAlone(const QString& text, qsizetype start) const;

    QString m_pattern;
    Options m_options;
};

} // namespace quillory::app
