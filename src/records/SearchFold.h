#pragma once

#include <QString>
#include <QStringList>

namespace quillory::records {

struct Entry;

/**
 * Text as completion compares it: lower case, "ä", "ö", "ü" as "a", "o", "u",
 * "ß" as "ss", and every other letter without its accents ("é" as "e", "ł"
 * kept). So "muller" and "müller" both find "Müller".
 */
QString foldForSearch(QStringView text);

/** The folded words of text: runs of letters and digits, everything else separates them. */
QStringList searchWords(QStringView text);

/**
 * The folded words an entry is found by: those of its first and last name,
 * company, first recipient line, city line and e-mail address, each once.
 */
QStringList entrySearchWords(const Entry& entry);

/** The folded name and address that make two entries one person ("duplicates"). */
QString duplicateKey(const Entry& entry);

} // namespace quillory::records
