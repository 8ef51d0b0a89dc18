#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <optional>

namespace quillory::document {
struct Letter;
}

namespace quillory::spell {

class SpellChecker;
class SpellWalk;
struct WordSpan;

/** A text field of a letter under the key quillory-cli's JSON uses ("recipient.name", "body"). */
struct TextField
{
    QString key;
    QString text;
};

/**
 * The fields a spelling check walks, in the order they stand on the page:
 * recipient lines, subject, salutation, body, closing, and the signature
 * text when it is printed (signatureText: "Folgende Unterschrift verwenden:",
 * --signature-text). The sender's own lines are left out: names, streets and
 * numbers the user typed once and sees on every letter; so is the signature
 * text while the sender's name is printed in its place.
 */
QList<TextField> checkedFields(const document::Letter& letter, bool signatureText);

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
 * Whether the word at span of line is known. With a full stop after it, it
 * is known as an abbreviation ("Nr." and "bzw." are in the dictionary, "Nr"
 * is not; "gez.", "Str." and a few more of letters are known here besides),
 * or as a word the stop ends a sentence after.
 */
bool isKnownWord(const SpellChecker& checker, QStringView line, const WordSpan& span);

/**
 * How many suggestions a listing looks up. Hunspell takes tens of
 * milliseconds for a word's suggestions, so a letter full of names or a
 * pasted file would keep a listing busy for minutes.
 */
struct SuggestionLimits
{
    int perWord = 5;
    /** Only the first this many distinct unknown words get any; 0: none. */
    int words = 100;
};

/**
 * The walk of findUnknownWords one word at a time, for a listing that shows
 * each word as soon as it is found. Each distinct word's suggestions are
 * looked up once.
 */
class UnknownWordFinder
{
public:
    UnknownWordFinder(const SpellChecker& checker, QList<TextField> fields,
                      SuggestionLimits limits = {});
    ~UnknownWordFinder();

    /** The next unknown word; nothing once the fields are through. */
    std::optional<UnknownWord> next();
    /** Whether a word went without suggestions because of the limit. */
    bool suggestionsLeftOut() const { return m_leftOut; }

private:
    const SpellChecker& m_checker;
    QList<TextField> m_fields;
    SuggestionLimits m_limits;
    std::unique_ptr<SpellWalk> m_walk;
    QHash<QString, QStringList> m_suggestions;
    bool m_leftOut = false;
};

/** Every unknown word of fields, in order, with suggestions within limits. */
QList<UnknownWord> findUnknownWords(const SpellChecker& checker, const QList<TextField>& fields,
                                    SuggestionLimits limits = {});

} // namespace quillory::spell
