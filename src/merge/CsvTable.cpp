#include "CsvTable.h"

#include "document/SafeWrite.h"
#include "document/Windows1252.h"

#include <QSet>
#include <QStringDecoder>

namespace quillory::merge {
namespace {

// Far beyond any address list; keeps a wrong file from filling the memory.
constexpr qint64 kMaxTableBytes = 256LL * 1024 * 1024;

const char kUtf8Bom[] = "\xEF\xBB\xBF";

/** Splits decoded text into rows of fields, counting lines as it goes. */
class Parser
{
public:
    Parser(QStringView text, QChar delimiter) : m_text(text), m_delimiter(delimiter) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }

    /** The next row into fields; false with error set when a quote stays open. */
    bool nextRow(QStringList& fields, int& rowLine, CsvError& error)
    {
        fields.clear();
        rowLine = m_line;
        for (;;) {
            QString field;
            if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('"')) {
                if (!quoted(field)) {
                    error = {rowLine, QStringLiteral("Anführungszeichen wird nicht geschlossen")};
                    return false;
                }
            }
            // Unquoted text, or what follows a closing quote before the
            // delimiter: taken as it stands, as spreadsheets do.
            const qsizetype start = m_pos;
            while (m_pos < m_text.size()) {
                const QChar c = m_text[m_pos];
                if (c == m_delimiter || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                    break;
                ++m_pos;
            }
            field += m_text.mid(start, m_pos - start);
            fields.append(field);
            if (m_pos < m_text.size() && m_text[m_pos] == m_delimiter) {
                ++m_pos;
                continue;
            }
            skipLineEnd();
            return true;
        }
    }

private:
    /** A field in quotes from the opening quote on; false when it never closes. */
    bool quoted(QString& field)
    {
        ++m_pos;
        for (;;) {
            const qsizetype quote = m_text.indexOf(QLatin1Char('"'), m_pos);
            if (quote < 0)
                return false;
            const QStringView part = m_text.mid(m_pos, quote - m_pos);
            countLines(part);
            field += part;
            m_pos = quote + 1;
            if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('"')) {
                field += QLatin1Char('"');
                ++m_pos;
                continue;
            }
            return true;
        }
    }

    void countLines(QStringView part)
    {
        for (qsizetype i = 0; i < part.size(); ++i) {
            if (part[i] == QLatin1Char('\n') ||
                (part[i] == QLatin1Char('\r') &&
                 (i + 1 >= part.size() || part[i + 1] != QLatin1Char('\n'))))
                ++m_line;
        }
    }

    void skipLineEnd()
    {
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\r'))
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\n'))
            ++m_pos;
        ++m_line;
    }

    QStringView m_text;
    QChar m_delimiter;
    qsizetype m_pos = 0;
    int m_line = 1;
};

bool allEmpty(const QStringList& fields)
{
    for (const QString& field : fields) {
        if (!field.isEmpty())
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

QString decode(QByteArrayView bytes, CsvEncoding& encoding, bool& bom)
{
    bom = bytes.startsWith(QByteArrayView(kUtf8Bom, 3));
    if (bom) {
        bytes = bytes.sliced(3);
        if (encoding == CsvEncoding::Detect)
            encoding = CsvEncoding::Utf8;
    }
    if (encoding == CsvEncoding::Windows1252)
        return document::Windows1252::decode(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (encoding == CsvEncoding::Detect) {
        if (utf8.hasError()) {
            encoding = CsvEncoding::Windows1252;
            return document::Windows1252::decode(bytes);
        }
        encoding = CsvEncoding::Utf8;
    }
    return text;
}

} // namespace

QString CsvError::text() const
{
    return line > 0 ? QStringLiteral("Zeile %1: %2").arg(line).arg(message) : message;
}

CsvResult readCsv(QByteArrayView bytes, const CsvOptions& options)
{
    CsvResult result;
    CsvTable table;
    table.encoding = options.encoding;
    const QString text = decode(bytes, table.encoding, table.byteOrderMark);
    table.delimiter = options.delimiter.isNull() ? detectDelimiter(text) : options.delimiter;

    Parser parser(text, table.delimiter);
    QStringList fields;
    int rowLine = 0;
    bool haveHeader = false;
    int headerLine = 1;
    while (!parser.atEnd()) {
        if (!parser.nextRow(fields, rowLine, result.error))
            return result;
        if (allEmpty(fields))
            continue;
        if (!haveHeader) {
            QSet<QString> seen;
            for (qsizetype i = 0; i < fields.size(); ++i) {
                const QString name = fields[i].trimmed();
                if (name.isEmpty()) {
                    result.error = {rowLine,
                                    QStringLiteral("Spalte %1 hat keinen Namen").arg(i + 1)};
                    return result;
                }
                if (seen.contains(name)) {
                    result.error = {
                        rowLine,
                        QStringLiteral("Der Spaltenname „%1“ kommt mehrfach vor").arg(name)};
                    return result;
                }
                seen.insert(name);
                table.columns.append(name);
            }
            haveHeader = true;
            headerLine = rowLine;
            continue;
        }
        if (fields.size() > table.columns.size()) {
            result.error = {rowLine, QStringLiteral("%1 Felder, aber nur %2 Spalten")
                                         .arg(fields.size())
                                         .arg(table.columns.size())};
            return result;
        }
        while (fields.size() < table.columns.size())
            fields.append(QString());
        table.records.push_back(fields);
        table.recordLines.push_back(rowLine);
    }
    if (!haveHeader) {
        result.error = {1, QStringLiteral("Die Tabelle ist leer")};
        return result;
    }
    if (table.records.empty()) {
        result.error = {headerLine,
                        QStringLiteral("Unter den Spaltennamen stehen keine Datensätze")};
        return result;
    }
    result.table = std::move(table);
    return result;
}

CsvResult readCsvFile(const QString& path, const CsvOptions& options)
{
    const auto bytes = document::readWholeFile(path, kMaxTableBytes);
    if (!bytes) {
        CsvResult result;
        result.error = {0, bytes.error().message()};
        return result;
    }
    return readCsv(*bytes, options);
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
    return encoding == CsvEncoding::Windows1252 ? QStringLiteral("Windows-1252")
                                                : QStringLiteral("UTF-8");
}

} // namespace quillory::merge
