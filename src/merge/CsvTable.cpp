#include "CsvTable.h"

#include "document/FileError.h"
#include "document/SafeWrite.h"
#include "document/Windows1252.h"

#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace quillory::merge {
namespace {

// Far beyond any address list; keeps a wrong file from filling the memory.
constexpr qint64 kMaxTableBytes = 256LL * 1024 * 1024;

const char kUtf8Bom[] = "\xEF\xBB\xBF";

/**
 * Splits decoded text into fields, counting lines as it goes. Each value is
 * written back over text already read (a value is never longer than its
 * field), so the text turns into the table's values one after the other and
 * no row needs memory of its own.
 */
class Parser
{
public:
    Parser(QString& text, QChar delimiter)
        : m_text(text.data()), m_size(text.size()), m_delimiter(delimiter)
    {}

    bool atEnd() const { return m_read >= m_size; }
    int line() const { return m_line; }
    /** Where the next value goes; the values so far end here. */
    qsizetype written() const { return m_written; }
    /** Drops the values written from written on. */
    void rewind(qsizetype written) { m_written = written; }
    QStringView values(qsizetype from, qsizetype to) const { return {m_text + from, to - from}; }

    /** Reads one field and writes its value; false when its quote never closes. */
    bool field()
    {
        if (m_read < m_size && m_text[m_read] == QLatin1Char('"')) {
            if (!quoted())
                return false;
        }
        // Unquoted text, or what follows a closing quote before the
        // delimiter: taken as it stands, as spreadsheets do.
        const qsizetype start = m_read;
        while (m_read < m_size) {
            const QChar c = m_text[m_read];
            if (c == m_delimiter || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                break;
            ++m_read;
        }
        put(start, m_read);
        return true;
    }

    /** After a field: true past a delimiter, false past the end of the row. */
    bool nextField()
    {
        if (m_read < m_size && m_text[m_read] == m_delimiter) {
            ++m_read;
            return true;
        }
        skipLineEnd();
        return false;
    }

private:
    /** A field in quotes from the opening quote on; false when it never closes. */
    bool quoted()
    {
        ++m_read;
        for (;;) {
            const qsizetype quote =
                QStringView(m_text + m_read, m_size - m_read).indexOf(QLatin1Char('"'));
            if (quote < 0)
                return false;
            countLines(m_read, m_read + quote);
            put(m_read, m_read + quote);
            m_read += quote + 1;
            if (m_read < m_size && m_text[m_read] == QLatin1Char('"')) {
                // The opening quote was read and not written, so this stays behind the reading.
                m_text[m_written++] = QLatin1Char('"');
                ++m_read;
                continue;
            }
            return true;
        }
    }

    /** Appends text[from, to) to the values; never ahead of the reading, so copied forwards. */
    void put(qsizetype from, qsizetype to)
    {
        if (from != m_written)
            std::copy(m_text + from, m_text + to, m_text + m_written);
        m_written += to - from;
    }

    void countLines(qsizetype from, qsizetype to)
    {
        for (qsizetype i = from; i < to; ++i) {
            if (m_text[i] == QLatin1Char('\n') ||
                (m_text[i] == QLatin1Char('\r') &&
                 (i + 1 >= to || m_text[i + 1] != QLatin1Char('\n'))))
                ++m_line;
        }
    }

    void skipLineEnd()
    {
        if (m_read < m_size && m_text[m_read] == QLatin1Char('\r'))
            ++m_read;
        if (m_read < m_size && m_text[m_read] == QLatin1Char('\n'))
            ++m_read;
        ++m_line;
    }

    QChar* m_text;
    qsizetype m_size;
    QChar m_delimiter;
    qsizetype m_read = 0;
    qsizetype m_written = 0;
    int m_line = 1;
};

/** Line numbers for a warning: the first few of them and how many there are in all. */
class LineList
{
public:
    void add(int line)
    {
        if (m_lines.size() < kShown)
            m_lines.push_back(line);
        ++m_count;
    }

    bool isEmpty() const { return m_count == 0; }

    /** "Zeile 4", "Zeilen 4, 7 und 9" or "Zeilen 4, 7, ..., 30 und 117 weitere". */
    QString text() const
    {
        if (m_count == 1)
            return QStringLiteral("Zeile %1").arg(m_lines.front());
        QStringList numbers;
        for (int line : m_lines)
            numbers.append(QString::number(line));
        const qsizetype more = m_count - qsizetype(m_lines.size());
        const QString last = more > 0 ? QStringLiteral("%1 weitere").arg(more) : numbers.takeLast();
        return QStringLiteral("Zeilen %1 und %2").arg(numbers.join(QStringLiteral(", ")), last);
    }

private:
    static constexpr std::size_t kShown = 10;
    std::vector<int> m_lines;
    qsizetype m_count = 0;
};

/** Calls visit(line, begin, end) for each line of bytes, its line break left out, until it returns
 * false. */
template <typename Visit>
void forEachLine(QByteArrayView bytes, Visit visit)
{
    int line = 1;
    for (qsizetype begin = 0;; ++line) {
        qsizetype end = begin;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        if (!visit(line, begin, end) || end >= bytes.size())
            return;
        begin =
            end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
        if (begin >= bytes.size())
            return;
    }
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

/** The candidate found most often in the first non-blank line outside quotes; ';' when none. */
QChar detectDelimiter(QStringView text)
{
    const QChar candidates[] = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')};
    int counts[3] = {0, 0, 0};
    bool inQuotes = false;
    bool seenText = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
        } else if (!inQuotes && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            if (seenText)
                break;
            continue;
        } else if (!inQuotes) {
            for (int i = 0; i < 3; ++i)
                counts[i] += c == candidates[i];
        }
        seenText = true;
    }
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return candidates[best];
}

QString unreadableText(const LineList& lines, CsvEncoding encoding)
{
    return QStringLiteral("%1: kein gültiges %2, unlesbare Zeichen durch „\uFFFD“ ersetzt")
        .arg(lines.text(), encodingName(encoding));
}

/** UTF-16 after its byte order mark (little-endian without one). */
QString decodeUtf16(QByteArrayView bytes, CsvTable& table)
{
    const bool bigEndian = bytes.startsWith("\xFE\xFF");
    table.byteOrderMark = bigEndian || bytes.startsWith("\xFF\xFE");
    if (table.byteOrderMark)
        bytes = bytes.sliced(2);
    table.encoding = CsvEncoding::Utf16;
    QStringDecoder utf16(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE,
                         QStringConverter::Flag::Stateless);
    QString text = utf16(bytes);
    if (utf16.hasError()) {
        // The decoder leaves a replacement character where it failed.
        LineList lines;
        int line = 1;
        bool marked = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == QChar::ReplacementCharacter && !marked) {
                lines.add(line);
                marked = true;
            } else if (c == QLatin1Char('\n') ||
                       (c == QLatin1Char('\r') &&
                        (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n')))) {
                ++line;
                marked = false;
            }
        }
        table.warnings.append(unreadableText(lines, CsvEncoding::Utf16));
    }
    return text;
}

/**
 * The text of bytes in the encoding given or found. A file of valid UTF-8
 * is UTF-8; one where no line with more than ASCII is UTF-8 is Windows-1252.
 * In between, someone added lines in another program: each of them is read
 * as Windows-1252 on its own, or with "\uFFFD" where UTF-8 was given, and
 * named in a warning, so one line does not spoil the whole table.
 */
QString decode(QByteArrayView bytes, CsvEncoding given, CsvTable& table)
{
    if (given == CsvEncoding::Utf16 || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes, table);
    table.byteOrderMark = bytes.startsWith(QByteArrayView(kUtf8Bom, 3));
    if (table.byteOrderMark)
        bytes = bytes.sliced(3);
    table.encoding = given == CsvEncoding::Windows1252 ? given : CsvEncoding::Utf8;
    if (given == CsvEncoding::Windows1252)
        return document::Windows1252::decode(bytes);
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);

    if (given == CsvEncoding::Detect && !table.byteOrderMark) {
        bool someUtf8 = false;
        forEachLine(bytes, [&](int, qsizetype begin, qsizetype end) {
            const QByteArrayView line = bytes.sliced(begin, end - begin);
            someUtf8 = !isAscii(line) && line.isValidUtf8();
            return !someUtf8;
        });
        if (!someUtf8) {
            table.encoding = CsvEncoding::Windows1252;
            return document::Windows1252::decode(bytes);
        }
    }
    QString text;
    text.reserve(bytes.size());
    LineList lines;
    qsizetype utf8From = 0; // the lines of valid UTF-8 since the last other one
    forEachLine(bytes, [&](int line, qsizetype begin, qsizetype end) {
        const QByteArrayView bad = bytes.sliced(begin, end - begin);
        if (bad.isValidUtf8())
            return true;
        text += QString::fromUtf8(bytes.sliced(utf8From, begin - utf8From));
        text += given == CsvEncoding::Utf8 ? QString::fromUtf8(bad)
                                           : document::Windows1252::decode(bad);
        lines.add(line);
        utf8From = end;
        return true;
    });
    text += QString::fromUtf8(bytes.sliced(utf8From));
    table.warnings.append(
        given == CsvEncoding::Utf8
            ? unreadableText(lines, CsvEncoding::Utf8)
            : QStringLiteral("%1: nicht in UTF-8 gespeichert, als Windows-1252 gelesen")
                  .arg(lines.text()));
    return text;
}

} // namespace

QString CsvError::text() const
{
    return line > 0 ? QStringLiteral("Zeile %1: %2").arg(line).arg(message) : message;
}

/** Makes a table of decoded text, the text becoming the table's values. */
class CsvTableBuilder
{
public:
    static CsvResult build(QString text, CsvTable table);

private:
    CsvTableBuilder(QString& text, CsvTable& table)
        : m_parser(text, table.delimiter), m_table(table)
    {}

    /** Takes the header's names; false with error set when one is empty or doubled. */
    bool takeColumns(const std::vector<qsizetype>& ends, int line, CsvError& error);

    Parser m_parser;
    CsvTable& m_table;
};

CsvResult CsvTableBuilder::build(QString text, CsvTable table)
{
    CsvResult result;
    CsvTableBuilder builder(text, table);
    Parser& parser = builder.m_parser;
    std::vector<qsizetype> headerEnds;
    bool haveHeader = false;
    int headerLine = 1;
    LineList shortRows;
    while (!parser.atEnd()) {
        const int rowLine = parser.line();
        const qsizetype rowStart = parser.written();
        const std::size_t endsBefore = table.m_ends.size();
        const qsizetype columns = table.columns.size();
        qsizetype fields = 0;
        bool anyValue = false;
        bool valueBeyond = false;
        do {
            const qsizetype from = parser.written();
            if (!parser.field()) {
                result.error = {rowLine,
                                QStringLiteral("Anführungszeichen wird nicht geschlossen")};
                return result;
            }
            const bool empty = parser.written() == from;
            anyValue = anyValue || !empty;
            if (!haveHeader) {
                headerEnds.push_back(parser.written());
            } else if (fields < columns) {
                table.m_ends.push_back(quint32(parser.written()));
            } else {
                // Only counted: a row of a million delimiters must not take memory.
                valueBeyond = valueBeyond || !empty;
                parser.rewind(from);
            }
            ++fields;
        } while (parser.nextField());

        if (!anyValue) {
            table.m_ends.resize(endsBefore);
            headerEnds.clear();
            parser.rewind(rowStart);
            continue;
        }
        if (!haveHeader) {
            if (!builder.takeColumns(headerEnds, rowLine, result.error))
                return result;
            headerEnds = {};
            parser.rewind(0);
            haveHeader = true;
            headerLine = rowLine;
            continue;
        }
        if (valueBeyond) {
            result.error = {
                rowLine, QStringLiteral("%1 Felder, aber nur %2 Spalten").arg(fields).arg(columns)};
            return result;
        }
        if (fields < columns) {
            shortRows.add(rowLine);
            table.m_ends.resize(endsBefore + std::size_t(columns), quint32(parser.written()));
        }
        table.recordLines.push_back(rowLine);
    }
    if (!haveHeader) {
        result.error = {1, QStringLiteral("Die Tabelle ist leer")};
        return result;
    }
    if (table.recordLines.empty()) {
        result.error = {headerLine,
                        QStringLiteral("Unter den Spaltennamen stehen keine Datensätze")};
        return result;
    }
    if (!shortRows.isEmpty()) {
        table.warnings.append(
            QStringLiteral("%1: weniger Felder als Spalten, die übrigen Werte bleiben leer")
                .arg(shortRows.text()));
    }
    const qsizetype used = parser.written();
    text.resize(used);
    // Quoted fields with little in them leave much of the text unused.
    if (used < text.capacity() / 2)
        text.squeeze();
    table.m_values = std::move(text);
    result.table = std::move(table);
    return result;
}

bool CsvTableBuilder::takeColumns(const std::vector<qsizetype>& ends, int line, CsvError& error)
{
    std::vector<QStringView> names;
    names.reserve(ends.size());
    qsizetype from = 0;
    for (const qsizetype end : ends) {
        names.push_back(m_parser.values(from, end).trimmed());
        from = end;
    }
    // Spreadsheets export a formatted but empty last column as a delimiter at the end.
    while (names.size() > 1 && names.back().isEmpty())
        names.pop_back();
    QSet<QStringView> seen;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].isEmpty()) {
            error = {line, QStringLiteral("Spalte %1 hat keinen Namen").arg(i + 1)};
            return false;
        }
        if (seen.contains(names[i])) {
            error = {line, QStringLiteral("Der Spaltenname „%1“ kommt mehrfach vor").arg(names[i])};
            return false;
        }
        seen.insert(names[i]);
        m_table.columns.append(names[i].toString());
    }
    return true;
}

QStringView CsvTable::value(int record, int column) const
{
    const std::size_t at = std::size_t(record) * std::size_t(columns.size()) + std::size_t(column);
    const quint32 begin = at == 0 ? 0 : m_ends[at - 1];
    return QStringView(m_values).mid(begin, m_ends[at] - begin);
}

QStringList CsvTable::record(int record) const
{
    QStringList values;
    values.reserve(columns.size());
    for (int column = 0; column < columns.size(); ++column)
        values.append(value(record, column).toString());
    return values;
}

CsvResult readCsv(QByteArrayView bytes, const CsvOptions& options)
{
    if (bytes.size() > kMaxTableBytes) {
        // The values are found by 32-bit offsets; files are refused long before.
        CsvResult result;
        result.error = {0, document::FileError::tooLarge(kMaxTableBytes).message()};
        return result;
    }
    CsvTable table;
    QString text = decode(bytes, options.encoding, table);
    table.delimiter = options.delimiter.isNull() ? detectDelimiter(text) : options.delimiter;
    return CsvTableBuilder::build(std::move(text), std::move(table));
}

CsvResult readCsvFile(const QString& path, const CsvOptions& options)
{
    QString text;
    CsvTable table;
    {
        const auto bytes = document::readWholeFile(path, kMaxTableBytes);
        if (!bytes) {
            CsvResult result;
            result.error = {0, bytes.error().message()};
            return result;
        }
        text = decode(*bytes, options.encoding, table);
    } // the bytes are let go before the table is built from the text
    table.delimiter = options.delimiter.isNull() ? detectDelimiter(text) : options.delimiter;
    return CsvTableBuilder::build(std::move(text), std::move(table));
}

QString delimiterName(QChar delimiter)
{
    if (delimiter == QLatin1Char(';'))
        return QStringLiteral("Semikolon");
    if (delimiter == QLatin1Char(','))
        return QStringLiteral("Komma");
    if (delimiter == QLatin1Char('\t'))
        return QStringLiteral("Tabulator");
    return QStringLiteral("„%1“").arg(delimiter);
}

QString encodingName(CsvEncoding encoding)
{
    if (encoding == CsvEncoding::Windows1252)
        return QStringLiteral("Windows-1252");
    return encoding == CsvEncoding::Utf16 ? QStringLiteral("UTF-16") : QStringLiteral("UTF-8");
}

namespace {

const QString kDelimiterEntry = QStringLiteral("delimiter=");
const QString kEncodingEntry = QStringLiteral("encoding=");
constexpr CsvEncoding kNamedEncodings[] = {CsvEncoding::Utf8, CsvEncoding::Windows1252,
                                           CsvEncoding::Utf16};

} // namespace

QStringList csvOptionEntries(const CsvOptions& options)
{
    QStringList entries;
    if (!options.delimiter.isNull())
        entries.append(kDelimiterEntry + options.delimiter);
    if (options.encoding != CsvEncoding::Detect)
        entries.append(kEncodingEntry + encodingName(options.encoding));
    return entries;
}

CsvOptions csvOptionsFromEntries(const QStringList& entries, QStringList* others)
{
    CsvOptions options;
    for (const QString& entry : entries) {
        bool known = false;
        if (entry.startsWith(kDelimiterEntry) && entry.size() == kDelimiterEntry.size() + 1) {
            options.delimiter = entry.back();
            known = true;
        } else if (entry.startsWith(kEncodingEntry)) {
            const QStringView name = QStringView(entry).sliced(kEncodingEntry.size());
            for (CsvEncoding encoding : kNamedEncodings) {
                if (name == encodingName(encoding)) {
                    options.encoding = encoding;
                    known = true;
                }
            }
        }
        if (!known && others)
            others->append(entry);
    }
    return options;
}

} // namespace quillory::merge
