#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace quillory::document {
struct Letter;
}

namespace quillory::spell {

class SpellChecker;
struct WordSpan;

/** A text field of a letter under the key quillory-cli's JSON uses ("recipient.name", "body"). */
struct TextField
{
    QString key;
    QString text;
};

/**
 * The fields a spelling check walks, in the order they stand on the page:
 * recipient lines, subject, salutation, body, closing, signature text. The
 * sender's own lines are left out: names, streets and numbers the user
 * typed once and sees on every letter.
 */
QList<TextField> checkedFields(const document::Letter& letter);

/** One word the dictionary does not know; line and column count from 1. */
struct UnknownWord
{
    QString field;
    int line = 0;
    int column = 0;
    QString word;
    QStringList suggestions;
};

/**
 * Whether the word at span of line is known; an abbreviation counts with
 * the full stop after it ("Nr." and "bzw." are in the dictionary, "Nr" is not).
 */
bool isKnownWord(const SpellChecker& checker, QStringView line, const WordSpan& span);

/** Every unknown word of fields, in order, each with up to maxSuggestions suggestions. */
QList<UnknownWord> findUnknownWords(const SpellChecker& checker, const QList<TextField>& fields,
                                    int maxSuggestions = 5);

} // namespace quillory::spell
