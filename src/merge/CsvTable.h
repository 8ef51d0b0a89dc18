#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quillory::merge {

/** The text encodings a table is read in; UTF-16 only where a byte order mark says so. */
enum class CsvEncoding { Detect, Utf8, Windows1252, Utf16 };

/** How to read a table; a null delimiter and Detect mean "find out". */
struct CsvOptions
{
    QChar delimiter;
    CsvEncoding encoding = CsvEncoding::Detect;
};

/**
 * A table of recipients as spreadsheets save it: the first row names the
 * columns, every further row is one record with exactly one value per column.
 * The values of all records lie one after the other in one text, so a table
 * takes little more memory than its file, however many rows it has.
 */
class CsvTable
{
public:
    QStringList columns;
    std::vector<int> recordLines; ///< the line each record starts on, from 1
    QChar delimiter;              ///< as found or given
    CsvEncoding encoding = CsvEncoding::Utf8;
    bool byteOrderMark = false;
    /** What was read other than written, each naming its lines ("Zeile 4: ..."); empty when all is
     * well. */
    QStringList warnings;

    int recordCount() const { return int(recordLines.size()); }

    /** The value of column in record, both counted from 0. */
    QStringView value(int record, int column) const;

    /** Every value of record (counted from 0), one per column. */
    QStringList record(int record) const;

private:
    friend class CsvTableBuilder;

    QString m_values;            ///< every value of every record, one after the other
    std::vector<quint32> m_ends; ///< where each value ends in m_values, record after record
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
 * anything else Windows-1252, which German spreadsheets write; a line that
 * is not UTF-8 in a table that is gets read as Windows-1252 on its own, and
 * a line that is not UTF-8 where UTF-8 is given keeps "\uFFFD" for what
 * cannot be read; both are warnings naming the line. A UTF-16 byte order mark
 * means UTF-16 whatever is given. Without a given delimiter the one of ';',
 * ',' and tab found most often in the header is taken. Blank lines (and rows
 * of nothing but empty fields) are skipped; empty names at the end of the
 * header, as spreadsheets export an empty last column, are dropped, and so
 * are empty fields beyond the last column. A row with fewer fields than
 * columns gets empty values for the rest, with a warning naming its line.
 * Empty or doubled column names, a row with more values than columns, a
 * quote left open and a table without records are errors naming their line.
 */
CsvResult readCsv(QByteArrayView bytes, const CsvOptions& options = {});

/** Reads the table in the file at path; a file that cannot be read is an error of line 0. */
CsvResult readCsvFile(const QString& path, const CsvOptions& options = {});

/** "Semikolon", "Komma", "Tabulator" or the character itself in quotes. */
QString delimiterName(QChar delimiter);

/** "UTF-8", "Windows-1252" or "UTF-16". */
QString encodingName(CsvEncoding encoding);

/**
 * The options as a letter keeps them with its table: "delimiter=;" and
 * "encoding=Windows-1252", each only when given, so that "find out" is
 * found out again at the next reading.
 */
QStringList csvOptionEntries(const CsvOptions& options);

/**
 * The options given by entries as csvOptionEntries() makes them. Every other
 * entry (another name, a value this version cannot read) goes to others when
 * asked for, to be kept as it is.
 */
CsvOptions csvOptionsFromEntries(const QStringList& entries, QStringList* others = nullptr);

} // namespace quillory::merge
