#include "LetterFile.h"

#include "LetterExtension.h"
#include "SafeWrite.h"
#include "Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <cstring>

namespace quillory::document::LetterFile {
namespace {

/** Reads fields from the bytes of a whole file; the first short read sticks. */
class FieldReader
{
public:
    explicit FieldReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    const FileError& error() const { return m_error; }
    /** The bytes not read yet. */
    QByteArrayView rest() const { return m_bytes.sliced(qMin(m_pos, m_bytes.size())); }

    QString string()
    {
        const qint32 count = int32();
        if (m_error)
            return QString();
        // A negative count cannot come from the writer: the file is damaged.
        if (count < 0) {
            fail(FileError(FileError::Damaged));
            return QString();
        }
        // Checked against what is left before anything is allocated.
        const QByteArrayView text = take(count);
        return Windows1252::decode(text);
    }

    double number()
    {
        const QByteArrayView raw = take(8);
        if (raw.isEmpty())
            return 0;
        const quint64 bits = qFromLittleEndian<quint64>(raw.data());
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    bool flag() { return byte() != 0; }

    quint8 byte()
    {
        const QByteArrayView raw = take(1);
        return raw.isEmpty() ? 0 : static_cast<quint8>(raw[0]);
    }

    qint32 int32()
    {
        const QByteArrayView raw = take(4);
        return raw.isEmpty() ? 0 : qFromLittleEndian<qint32>(raw.data());
    }

    quint32 uint32()
    {
        const QByteArrayView raw = take(4);
        return raw.isEmpty() ? 0 : qFromLittleEndian<quint32>(raw.data());
    }

    /** A font record, as a font of the resolution it was written at. */
    LetterFont font()
    {
        LetterFont font;
        font.setCharset(byte());
        font.setColor(uint32());
        const quint8 faceLength = byte();
        font.setFace(Windows1252::decode(take(faceLength)));
        const quint8 pitch = byte();
        font.setPitch(pitch <= quint8(FontPitch::Fixed) ? FontPitch(pitch) : FontPitch::Default);
        font.setPixelsPerInch(int32());
        font.setSize(int32());
        font.setStyle(byte());
        return font;
    }

private:
    QByteArrayView take(qsizetype count)
    {
        if (m_error)
            return {};
        if (count > m_bytes.size() - m_pos) {
            fail(FileError(FileError::ReadBeyondEnd));
            return {};
        }
        const QByteArrayView part = m_bytes.sliced(m_pos, count);
        m_pos += count;
        return part;
    }

    void fail(FileError error)
    {
        if (!m_error)
            m_error = error;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    FileError m_error;
};

/** Appends fields in the file's encoding. */
class FieldWriter
{
public:
    explicit FieldWriter(QByteArray& out) : m_out(out) {}

    void string(const QString& text)
    {
        const QByteArray bytes = Windows1252::encode(text).bytes;
        int32(static_cast<qint32>(bytes.size()));
        m_out.append(bytes);
    }

    void number(double value)
    {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        char raw[8];
        qToLittleEndian(bits, raw);
        m_out.append(raw, sizeof raw);
    }

    void flag(bool value) { byte(value ? 1 : 0); }
    void byte(quint8 value) { m_out.append(static_cast<char>(value)); }

    void int32(qint32 value)
    {
        char raw[4];
        qToLittleEndian(value, raw);
        m_out.append(raw, sizeof raw);
    }

    void uint32(quint32 value)
    {
        char raw[4];
        qToLittleEndian(value, raw);
        m_out.append(raw, sizeof raw);
    }

    void font(const LetterFont& font)
    {
        const QByteArray face = Windows1252::encode(font.face()).bytes;
        byte(font.charset());
        uint32(font.color());
        byte(static_cast<quint8>(face.size())); // face names are at most 31 characters
        m_out.append(face);
        byte(static_cast<quint8>(font.pitch()));
        int32(font.pixelsPerInch());
        int32(font.size());
        byte(font.style());
    }

private:
    QByteArray& m_out;
};

/** The texts of the file in their order, for reading, writing and checking alike. */
template <typename LetterRef, typename Visit>
void forEachText(LetterRef& letter, Visit&& visit)
{
    visit(letter.recipientName);
    visit(letter.recipientExtra);
    visit(letter.recipientStreet);
    visit(letter.recipientCity);
    visit(letter.recipientCountry);
    visit(letter.subject);
    visit(letter.salutation);
    visit(letter.closing);
    visit(letter.signature);
    visit(letter.senderName);
    visit(letter.senderExtra);
    visit(letter.senderStreet);
    visit(letter.senderPostcode);
    visit(letter.senderCountry);
    visit(letter.senderPhone);
    visit(letter.senderFax);
    visit(letter.senderEmail);
    visit(letter.footer);
    visit(letter.senderCity);
    visit(letter.body);
}

/** The folder a letter file's relative table path starts from. */
QDir letterFolder(const QString& letterPath)
{
    return QFileInfo(letterPath).absoluteDir();
}

/**
 * The table as the letter file at letterPath holds it: relative where it
 * lies in the file's folder or below, so that a folder moved or copied with
 * its letter and table keeps them together; absolute elsewhere.
 */
QString tableInFile(const QString& table, const QString& letterPath)
{
    if (table.isEmpty() || QDir::isRelativePath(table))
        return table;
    const QString absolute = QDir::cleanPath(table);
    const QString relative = letterFolder(letterPath).relativeFilePath(absolute);
    // On another drive there is no relative path at all.
    if (relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")) ||
        QDir::isAbsolutePath(relative))
        return absolute;
    return relative;
}

FileResult<Loaded> withTableFound(FileResult<Loaded> result, const QString& letterPath)
{
    if (!result || result->letter.serial.isEmpty() || result->letter.serial.isAddressBook() ||
        QDir::isAbsolutePath(result->letter.serial.table))
        return result;
    Loaded loaded = *std::move(result);
    loaded.letter.serial.table =
        QDir::cleanPath(letterFolder(letterPath).filePath(loaded.letter.serial.table));
    return loaded;
}

} // namespace

FileResult<Loaded> parse(QByteArrayView bytes, const Letter& current, QDate today)
{
    Loaded loaded{current, QString(), {}, {}, QString(), false};
    Letter& letter = loaded.letter;
    FieldReader in(bytes);

    forEachText(letter, [&](QString& text) { text = in.string(); });
    letter.marginMm = ValueRules::setDecimal(in.number(), Letter::kMarginRange);
    letter.date = ValueRules::setDate(in.number(), today);
    loaded.storedLetterFont = in.font();
    loaded.storedFooterFont = in.font();
    letter.letterFont.assign(loaded.storedLetterFont);
    letter.footerFont.assign(loaded.storedFooterFont);
    if (in.error())
        return in.error();

    // Each tail group is read only when the file goes on; a group that starts
    // but breaks off is damage, not an older file.
    if (!in.atEnd()) {
        letter.phoneRight = in.flag();
        letter.footerCentred = in.flag();
        loaded.tailGroups += QLatin1Char('A');
    }
    if (!in.error() && !in.atEnd()) {
        letter.linesToSender = ValueRules::setInteger(in.number(), Letter::kLinesRange);
        letter.linesToRecipient = ValueRules::setInteger(in.number(), Letter::kLinesRange);
        letter.linesToSubject = ValueRules::setInteger(in.number(), Letter::kLinesRange);
        loaded.tailGroups += QLatin1Char('B');
    }
    if (!in.error() && !in.atEnd()) {
        letter.senderOneLine = in.flag();
        letter.senderSeparator = in.string();
        letter.senderSizeReduction =
            ValueRules::setInteger(in.number(), Letter::kSenderReductionRange);
        loaded.tailGroups += QLatin1Char('C');
    }
    if (!in.error() && !in.atEnd()) {
        letter.layout1SmallerSender = in.flag();
        letter.layout1BlankBeforeCity = in.flag();
        letter.layout1LargerCity = in.flag();
        loaded.tailGroups += QLatin1Char('D');
    }
    if (in.error())
        return in.error();

    // What the 35 fields cannot hold comes from the block after them, and from
    // nowhere else: a file without one has none of it, whatever current had.
    // A lost block costs only itself.
    const LetterExtension::Outcome extension = LetterExtension::parse(
        loaded.tailGroups.size() == 4 ? in.rest() : QByteArrayView(), letter);
    loaded.warning = LetterExtension::lossMessage(extension);
    loaded.modified = !loaded.warning.isEmpty();
    return loaded;
}

FileResult<Loaded> readFile(const QString& path, const Letter& current, QDate today)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return FileError::fromFailedOpen(path, false, errno);
    // Mapping spares a copy of a large body; whatever cannot be mapped is read.
    const qint64 size = file.size();
    if (size > kMaxFileBytes)
        return FileError::tooLarge(kMaxFileBytes);
    if (size > 0) {
        if (uchar* mapped = file.map(0, size)) {
            auto result = parse(QByteArrayView(mapped, size), current, today);
            file.unmap(mapped);
            return withTableFound(std::move(result), path);
        }
    }
    file.close();
    const FileResult<QByteArray> bytes = readWholeFile(path, kMaxFileBytes);
    if (!bytes)
        return bytes.error();
    return withTableFound(parse(*bytes, current, today), path);
}

QByteArray serialize(const Letter& letter)
{
    QByteArray bytes;
    bytes.reserve(256 + letter.body.size());
    FieldWriter out(bytes);

    forEachText(letter, [&](const QString& text) { out.string(text); });
    out.number(letter.marginMm);
    const QDate date = letter.date.isValid() ? letter.date : QDate::currentDate();
    out.number(ValueRules::dayNumberFromDate(date));
    out.font(letter.letterFont);
    out.font(letter.footerFont);

    out.flag(letter.phoneRight);
    out.flag(letter.footerCentred);
    out.number(letter.linesToSender);
    out.number(letter.linesToRecipient);
    out.number(letter.linesToSubject);
    out.flag(letter.senderOneLine);
    out.string(letter.senderSeparator);
    out.number(letter.senderSizeReduction);
    out.flag(letter.layout1SmallerSender);
    out.flag(letter.layout1BlankBeforeCity);
    out.flag(letter.layout1LargerCity);
    // Nothing beyond the 35 fields: the file stays as it always was.
    bytes.append(LetterExtension::serialize(letter));
    return bytes;
}

QString unencodableCharacters(const Letter& letter)
{
    // One pass over everything the file stores as text, joined by a character
    // the code page holds, so each culprit is named once.
    QString all;
    auto append = [&](const QString& text) {
        all += text;
        all += QLatin1Char('\n');
    };
    forEachText(letter, append);
    append(letter.senderSeparator);
    append(letter.letterFont.face());
    append(letter.footerFont.face());
    return Windows1252::unencodableCharacters(all);
}

FileError write(QIODevice& device, const Letter& letter)
{
    const QByteArray bytes = serialize(letter);
    if (device.write(bytes) != bytes.size())
        return FileError(FileError::DiskFull);
    return FileError();
}

FileError writeFile(const QString& path, const Letter& letter)
{
    QByteArray bytes;
    if (letter.serial.isEmpty()) {
        bytes = serialize(letter);
    } else {
        Letter inFile = letter;
        inFile.serial.table = tableInFile(letter.serial.table, path);
        bytes = serialize(inFile);
    }
    // A file the reader refuses would lose the letter at its next opening.
    if (bytes.size() > kMaxFileBytes)
        return FileError::tooLarge(kMaxFileBytes);
    return writeWholeFile(path, bytes);
}

} // namespace quillory::document::LetterFile
