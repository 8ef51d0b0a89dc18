#pragma once

#include "Entry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quillory::records {

/** The cards of a vCard file, or why there are none. */
struct VCardResult
{
    std::vector<Entry> entries;
    /** Cards left out and what else was read other than written; empty when all is well. */
    QStringList warnings;
    QString error; ///< set when no card could be read at all
};

/**
 * Reads the cards of a .vcf file (vCard 2.1, 3.0 and 4.0): lines folded with
 * a leading space or tab, QUOTED-PRINTABLE values with soft line breaks,
 * CHARSET (UTF-8, ISO-8859-1 and Windows-1252; without one, text that is no
 * UTF-8 is read as Windows-1252), the escapes "\\", "\;", "\," and "\n".
 * N gives the name (its prefix the form of address and title), FN the name
 * where N is missing, ORG the company, the first ADR the address, the first
 * EMAIL the address, TITLE the title where N has none, NOTE the note and
 * CATEGORIES the groups. The recipient lines are made as fillRecipientLines()
 * says, unless the card carries this program's X-QUILLORY-ANSCHRIFT.
 */
VCardResult readVCards(QByteArrayView bytes);

/** Entries as vCard 4.0 (UTF-8, CR LF, lines folded at 75 bytes). */
QByteArray writeVCards(const std::vector<Entry>& entries);

} // namespace quillory::records
