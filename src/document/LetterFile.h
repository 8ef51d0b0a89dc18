#pragma once

#include "FileError.h"
#include "Letter.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class QIODevice;

namespace quillory::document {

/**
 * The ".bri" letter file: a flat little-endian sequence of 35 fields with no
 * header, whose last eleven fields form four optional tail groups A to D.
 * After them, a letter with an information block, postal notes, enclosures or
 * a distribution list has one extension block (see LetterExtension.h).
 *
 * Reading is all or nothing: the whole file is parsed into a new record, so a
 * damaged file leaves the caller's letter as it was. Writing goes through a
 * temporary file that replaces the old one only once it is complete.
 */
namespace LetterFile {

/**
 * The largest file that is read. A letter is a few kilobytes, and one with a
 * 30 MB body (some ten thousand pages) still opens in under a second; 64 MiB
 * leaves twice that room, while no file, device or pipe can make the program
 * read without end.
 */
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

/** A letter as read from a file. */
struct Loaded
{
    Letter letter;
    /** The tail groups the file held, in order: "ABCD", "AB", "" ... */
    QString tailGroups;
    /**
     * The two fonts at the resolution the file was written at, before letter
     * took them over at its own: for tools that show a file as it is.
     */
    LetterFont storedLetterFont;
    LetterFont storedFooterFont;
    /**
     * Set when the extension block after the 35 fields was there but could not
     * be taken: the one message that says so. The letter itself opened.
     */
    QString warning;
    /** Whether the letter differs from its file, so that closing it should ask to save. */
    bool modified = false;
};

/**
 * Parses a whole file's bytes. Fields the file does not carry (missing tail
 * groups) come from current; every value is made valid as when it is set in
 * the window, with today standing in for a date that is no date.
 */
FileResult<Loaded> parse(QByteArrayView bytes, const Letter& current,
                         QDate today = QDate::currentDate());

/**
 * Reads and parses a file of at most kMaxFileBytes. A serial letter's table
 * kept relative to the file's folder comes back as an absolute path.
 */
FileResult<Loaded> readFile(const QString& path, const Letter& current,
                            QDate today = QDate::currentDate());

/** The file's bytes; characters Windows-1252 cannot hold are written as '?'. */
QByteArray serialize(const Letter& letter);

/** What saving the letter would turn into '?', each character once. */
QString unencodableCharacters(const Letter& letter);

/** Writes the whole file to an open device; a short write is "Disk full". */
FileError write(QIODevice& device, const Letter& letter);

/**
 * Writes the file through a temporary file in the same folder and renames it
 * over path, so a failure at any point leaves an existing file untouched; in
 * place only where the folder allows no temporary file (writeWholeFile).
 * A letter of more than kMaxFileBytes is refused, as readFile() would refuse it.
 * A serial letter's table in path's folder or below is written relative to it.
 */
FileError writeFile(const QString& path, const Letter& letter);

} // namespace LetterFile
} // namespace quillory::document
