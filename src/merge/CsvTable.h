#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quillory::merge {

/** The text encodings a table is read in. */
enum class CsvEncoding { Detect, Utf8, Windows1252 };

/** How to read a table; a null delimiter and Detect mean "find out". */
struct CsvOptions
{
    QChar delimiter;
    CsvEncoding encoding = CsvEncoding::Detect;
};

/**
 * A table of recipients as spreadsheets save it: the first row names the
 * columns, every further row is one record with exactly one value per column.
 */
struct CsvTable
{
    QStringList columns;
    std::vector<QStringList> records;
    std::vector<int> recordLines; ///< the line each record starts on, from 1
    QChar delimiter;              ///< as found or given
    CsvEncoding encoding = CsvEncoding::Utf8;
    bool byteOrderMark = false;

    int recordCount() const { return int(records.size()); }
};

/** Why a table could not be read: the line (from 1; 0 for the file as a whole) and the cause. */
struct CsvError
{
    int line = 0;
    QString message;

    /** "Zeile 4: ..." or the message alone. */
    QString text() const;
};

/** A table, or why there is none. */
struct CsvResult
{
    std::optional<CsvTable> table;
    CsvError error;

    explicit operator bool() const { return table.has_value(); }
};

/**
 * Reads a table in the CSV dialect of spreadsheet programs (RFC 4180: fields
 * in double quotes may hold the delimiter, line breaks and doubled quotes).
 *
 * Without a given encoding a byte order mark or valid UTF-8 means UTF-8, and
 * anything else Windows-1252, which German spreadsheets write. Without a
 * given delimiter the one of ';', ',' and tab found most often in the header
 * is taken. Blank lines (and rows of nothing but empty fields) are skipped; a
 * row with fewer fields than columns gets empty values for the rest. Empty or
 * doubled column names, a row with more fields than columns, a quote left
 * open and a table without records are errors naming their line.
 */
CsvResult readCsv(QByteArrayView bytes, const CsvOptions& options = {});

/** Reads the table in the file at path; a file that cannot be read is an error of line 0. */
CsvResult readCsvFile(const QString& path, const CsvOptions& options = {});

/** "Semikolon", "Komma", "Tabulator" or the character itself in quotes. */
QString delimiterName(QChar delimiter);

/** "UTF-8" or "Windows-1252". */
QString encodingName(CsvEncoding encoding);

} // namespace quillory::merge
