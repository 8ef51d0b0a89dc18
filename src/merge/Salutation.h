#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quillory::merge {

/**
 * The two words a letter to one person needs, derived from the form of
 * address ("Frau", "Herr", "divers", "Firma", ...), a title and the name.
 */
struct Salutation
{
    QString letter;  ///< the salutation line, e.g. "Sehr geehrte Frau Dr. Müller,"
    QString address; ///< the first address line's word: "Frau", "Herrn" or nothing

    static QString letterColumn() { return QStringLiteral("Briefanrede"); }
    static QString addressColumn() { return QStringLiteral("Anschriftanrede"); }

    /**
     * "Frau"/"Fr." and "Herr"/"Hr."/"Herrn" (in any case, spaces around them
     * ignored) speak to the person by title and surname; "divers", "d" or no
     * form at all greet them by first name and surname ("Guten Tag ...,"); a
     * company ("Firma"), any other form and a record without a surname get
     * "Sehr geehrte Damen und Herren,". The address word is the accusative
     * ("Herrn"), and only where a woman or man is named.
     */
    static Salutation derive(QStringView form, QStringView title, QStringView surname,
                             QStringView firstName);

    friend bool operator==(const Salutation&, const Salutation&) = default;
};

/**
 * The columns a salutation is derived from, by name. Its text form
 * "ANREDE,TITEL,NACHNAME[,VORNAME]" is how a choice is given and kept; an
 * empty name is no column, and without form or surname nothing is derived.
 */
struct SalutationColumns
{
    QString form;
    QString title;
    QString surname;
    QString firstName;

    /** Whether the columns are enough to derive anything. */
    bool derives() const { return !form.isEmpty() && !surname.isEmpty(); }

    /** The text form; the first name only where there is one. */
    QString toString() const;
    /** A choice from its text form; none for an empty text or one of other than 3 or 4 names. */
    static std::optional<SalutationColumns> parse(QStringView text);
    /** Found by name in columns, in any case: "Anrede", "Titel", "Nachname" (else "Name"),
     * "Vorname". */
    static SalutationColumns find(const QStringList& columns);

    friend bool operator==(const SalutationColumns&, const SalutationColumns&) = default;
};

/**
 * The columns "Briefanrede" and "Anschriftanrede" a table gains, each
 * derived for every record, unless the table has a column of that name.
 */
class SalutationFields
{
public:
    SalutationFields() = default;
    /**
     * For a table of columns: the chosen columns (matched as given, else in
     * any case), or without a choice those found by name.
     */
    SalutationFields(const QStringList& columns, const std::optional<SalutationColumns>& chosen);

    /** "Unbekannte Spalte „X“ ..." for a chosen column the table lacks (nothing is derived). */
    QString problem() const { return m_problem; }
    /** The table's columns in use, as the table names them. */
    const SalutationColumns& used() const { return m_used; }
    /** The derived columns, to follow the table's. */
    QStringList names() const;
    /** Their values for record, the values of the table's columns. */
    QStringList values(const QStringList& record) const;

private:
    SalutationColumns m_used;
    int m_form = -1;
    int m_title = -1;
    int m_surname = -1;
    int m_firstName = -1;
    bool m_letter = false;
    bool m_address = false;
    QString m_problem;
};

} // namespace quillory::merge
