#pragma once

#include "document/Letter.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace quillory::cli {

/**
 * The letter as one JSON object, for reading by people and scripts. Every
 * value of the letter file has a key; fonts are given as stored (point size
 * and the resolution they were written at; a negative size stands for a cell
 * height), so a file converted to JSON and back is the same file.
 *
 * "infoBlock" ([{"label", "value"}]), "postalNotes", "enclosures" and
 * "distribution" (arrays of strings) and "payment" ({"payee", "iban", "bic",
 * "amount", "reference", "text"}) are written only when not empty, and a
 * missing one reads as empty; a payment's valid values are stored normalised
 * ("149,90" as "149.90", the IBAN without spaces in upper case). So is
 * "serial" ({"table", "options"}), the serial letter's table: its path as
 * read (absolute from a letter file) and its "name=value" options. Entries
 * of the letter file's extension block
 * that this version does not know have no key: they stay in the letter file.
 */
namespace LetterJson {

QJsonObject toJson(const document::Letter& letter, const QString& tailGroups);

/** Result of reading a letter from JSON: the letter, or what was wrong. */
struct Parsed
{
    std::optional<document::Letter> letter;
    QString error;
};

/**
 * Reads a letter; keys that are missing keep the values of base, except the
 * four lists beyond the letter file's fields, "serial" and "payment", which are then empty. An
 * unknown key, a value of the wrong type or a date that is no date is an error naming the key.
 * Numbers are made valid as the letter file's reader does, and the body's line breaks become CR LF,
 * as the window stores them.
 */
Parsed fromJson(const QJsonObject& object, const document::Letter& base);

/** Parses JSON text, reporting syntax errors with their offset. */
Parsed fromJsonText(const QByteArray& text, const document::Letter& base);

} // namespace LetterJson
} // namespace quillory::cli
