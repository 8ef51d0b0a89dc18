#pragma once

#include <QList>
#include <QStringView>

namespace quillory::spell {

/** Where a word to check sits in a text, in UTF-16 units. */
struct WordSpan
{
    qsizetype start = 0;
    qsizetype length = 0;

    friend bool operator==(const WordSpan&, const WordSpan&) = default;
};

/**
 * The words of one line of text that a dictionary can judge. Left out, since
 * no dictionary knows them and underlining them would only be noise: words
 * with a digit ("A4", "3er"), all-caps abbreviations ("GmbH" is checked,
 * "AG" and "IBAN" are not), single letters, URLs, e-mail addresses and
 * serial-letter placeholders such as "{Spalte}", letter runs longer than
 * any word, and every run between two spaces that holds a control or
 * unassigned character (the bytes of a file pasted as text). Hyphens and
 * apostrophes split words, so each part of "Max-Planck-Straße" is checked on
 * its own. Linear in the length of line.
 */
QList<WordSpan> checkableWords(QStringView line);

} // namespace quillory::spell
