#pragma once

#include "UnknownWords.h"
#include "WordTokenizer.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace quillory::spell {

class SpellChecker;

/**
 * The walk of "Rechtschreibung prüfen..." through a letter's text fields,
 * one unknown word at a time, and the listing of quillory-cli spell, which
 * is the same walk to its end. The fields are passed anew at every step, so
 * the user may change any of them between two words.
 *
 * The walk remembers only where it stands: the field, the line and the
 * column after the last word dealt with. What the user did with that word
 * (changed, ignored, added, passed over) tells how far it moves on.
 */
class SpellWalk
{
public:
    /** True for words left alone for now, e.g. the ones "Ignorieren" was given for. */
    using Ignored = std::function<bool(const QString& word)>;

    /** A word the walk stopped at, with where it stands in its field's text. */
    struct Stop
    {
        UnknownWord word;
        /** Index into the fields passed. */
        int fieldIndex = 0;
        /**
         * UTF-16 offset from the start of the field, each line break counted
         * as one character, as an editor holds the text (the letter file's
         * "\r\n" is one paragraph break in the body's editor).
         */
        qsizetype position = 0;
    };

    /** With maxSuggestions 0 no suggestions are looked up (the listing does that itself). */
    explicit SpellWalk(Ignored ignored = {}, int maxSuggestions = 5);

    /**
     * The first word at or after where the walk stands that checker does not
     * know; nothing when none is left. The walk stays on it until one of the
     * calls below. The checker may differ from step to step (another
     * dictionary chosen meanwhile).
     */
    std::optional<Stop> next(const SpellChecker& checker, const QList<TextField>& fields);

    /** Moves past the word stopped at ("Weiter", "Ignorieren", "Hinzufügen"). */
    void pass();
    /** Moves past the text that replaced the word stopped at ("Ändern"). */
    void replaced(const QString& replacement);

private:
    /** One line of a field's text: where it starts there and in the editor's count. */
    struct Line
    {
        qsizetype start = 0;
        qsizetype length = 0;
        qsizetype position = 0;
    };
    const QList<Line>& linesOf(const QString& text);
    const QList<WordSpan>& wordsOf(QStringView line);

    Ignored m_ignored;
    int m_maxSuggestions;
    int m_field = 0;
    qsizetype m_line = 0;
    qsizetype m_column = 0;
    std::optional<Stop> m_stop;
    // The last field's lines and the words of the line the walk is in, kept
    // while the same text is passed again, so a listing of a long body
    // splits and tokenizes it once, not once for every word it stops at.
    QString m_text;
    QList<Line> m_lines;
    qsizetype m_wordsLine = -1;
    QList<WordSpan> m_words;
};

} // namespace quillory::spell
