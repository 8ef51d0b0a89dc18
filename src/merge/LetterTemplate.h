#pragma once

#include "document/Letter.h"
#include "TextTemplate.h"

#include <QStringList>

#include <vector>

namespace quillory::merge {

/** A placeholder whose column the table lacks, and the field it is in. */
struct UnknownPlaceholder
{
    QString name;
    QString field; ///< the field as the window labels it, e.g. "Betreff"
    friend bool operator==(const UnknownPlaceholder&, const UnknownPlaceholder&) = default;
};

/**
 * A letter whose texts hold placeholders, made into one letter per record.
 * Every text of the letter takes them: the recipient lines, subject,
 * salutation, body, closing, signature text, footer, the sender fields and
 * each item of the information block (label and value), postal notes,
 * enclosures and distribution list, and the payment code's fields.
 * The letter itself is never changed; each record gets a copy.
 */
class LetterTemplate
{
public:
    explicit LetterTemplate(const document::Letter& letter);

    /**
     * Ties the placeholders to the columns. Returns every name the columns
     * lack with its field, in the order of the fields; a run must not start
     * unless this is empty.
     */
    std::vector<UnknownPlaceholder> bind(const QStringList& columns);

    /**
     * The letter with record's values in place of the placeholders. A value
     * is inserted as it stands, braces and all; in a one-line field its line
     * breaks become spaces, in the body they become the body's own. A
     * placeholder that names no column stays as typed, braces and all.
     */
    document::Letter fill(const QStringList& record) const;

    /** The letter as given, placeholders and all. */
    const document::Letter& letter() const { return m_letter; }

    /** Whether any text names a column; without, every record gets the same letter. */
    bool namesColumns() const;

    /** "Unbekannte Spalte „X“ in Betreff" lines, one per unknown name. */
    static QString describe(const std::vector<UnknownPlaceholder>& unknown);

private:
    struct Field
    {
        int index;     ///< of the text in the letter's walk over its texts
        QString label; ///< the field as an error names it
        bool body;     ///< whether line breaks of values stay
        TextTemplate text;
    };

    document::Letter m_letter;
    std::vector<Field> m_fields; ///< only those that hold placeholders
};

} // namespace quillory::merge
