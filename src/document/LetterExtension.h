#pragma once

#include "Letter.h"

#include <QByteArray>
#include <QString>

namespace quillory::document {

/**
 * The extension block of the letter file: what a letter holds beyond the
 * file's 35 fields (information block, postal notes, enclosures,
 * distribution, payment code), written after the last field, where readers of the format
 * stop. A letter without any of it gets no block, so its file stays as it
 * always was.
 *
 * The block is text in UTF-8, self-delimiting and versioned:
 *
 *     QUILLORY-EXTENSION LF
 *     1 LF                               the version of the entry syntax
 *     <N> SP <crc> LF                    payload length in bytes (decimal) and
 *                                        its CRC-32 (8 lowercase hex digits)
 *     <payload of N bytes>
 *
 * The payload is a sequence of entries, each
 *
 *     <key> SP <length> LF <value: length bytes of UTF-8> LF
 *
 * with keys of 1 to 64 characters from a-z, A-Z, 0-9, '.', '-' and '_', and
 * lengths in decimal without leading zeros. Version 1 knows these keys, each
 * entry one item in the letter's order:
 *
 *     info.label, info.value   one row of the information block; a label is
 *                              always followed directly by its value
 *     postal-note              one line of the postal notes
 *     enclosure                one enclosure
 *     distribution             one line of the distribution list
 *     serial.table             the path of the serial letter's table, at most
 *                              once and not empty: relative to the letter
 *                              file's folder with "/" between names, or
 *                              absolute; "<Adressbuch>" for the entries of
 *                              the address book, which no file can be named
 *     serial.option            one "name=value" entry of how that table is
 *                              read (e.g. "delimiter=;"); only after
 *                              serial.table. Names this version does not
 *                              know are kept as they are
 *     payment.payee, payment.iban, payment.bic, payment.amount,
 *     payment.reference, payment.text
 *                              the payment code's fields, each at most once
 *                              and only when not empty
 *
 * Entries with other keys are kept as they are and written back after the
 * known ones: a later version adds keys, and only a change older readers
 * must not misread raises the version. Bytes after the payload are ignored.
 */
namespace LetterExtension {

/** The block's first line, by which a reader tells it from other trailing bytes. */
inline constexpr char kMagic[] = "QUILLORY-EXTENSION\n";

/** The block for letter; empty when the letter has nothing beyond the 35 fields. */
QByteArray serialize(const Letter& letter);

/** A block around payload, with the version and checksum a reader expects. */
QByteArray frame(QByteArrayView payload);

/** How reading the bytes after the 35 fields went. */
enum class Outcome {
    NoBlock, ///< nothing there, or bytes that are no block of this program
    Read,    ///< the block was read into the letter
    Damaged, ///< a block, but damaged or cut short: nothing of it was taken
    Newer,   ///< a block of a version this program cannot read
};

/**
 * Reads the bytes after field 35 into letter's extension fields, which are
 * left empty unless the whole block is sound.
 */
Outcome parse(QByteArrayView tail, Letter& letter);

/** The message for a block that was lost; empty for NoBlock and Read. */
QString lossMessage(Outcome outcome);

} // namespace LetterExtension
} // namespace quillory::document
