#include "LetterExtension.h"

#include <array>
#include <iterator>
#include <optional>

namespace quillory::document::LetterExtension {
namespace {

constexpr QByteArrayView kMagicView(kMagic, std::size(kMagic) - 1);
constexpr QByteArrayView kVersion("1");
constexpr qsizetype kMaxKeyLength = 64;

constexpr QByteArrayView kInfoLabel("info.label");
constexpr QByteArrayView kInfoValue("info.value");
constexpr QByteArrayView kPostalNote("postal-note");
constexpr QByteArrayView kEnclosure("enclosure");
constexpr QByteArrayView kDistribution("distribution");
constexpr QByteArrayView kSerialTable("serial.table");
constexpr QByteArrayView kSerialOption("serial.option");

/** The payment's fields by key, in the order they are written. */
struct PaymentKey
{
    QByteArrayView key;
    QString Letter::Payment::*field;
};
const PaymentKey kPaymentKeys[] = {
    {"payment.payee", &Letter::Payment::payee},
    {"payment.iban", &Letter::Payment::iban},
    {"payment.bic", &Letter::Payment::bic},
    {"payment.amount", &Letter::Payment::amount},
    {"payment.reference", &Letter::Payment::reference},
    {"payment.text", &Letter::Payment::text},
};

constexpr std::array<quint32, 256> makeCrcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

/** CRC-32 as zip and PNG compute it, so the block can be checked with common tools. */
quint32 crc32(QByteArrayView bytes)
{
    static constexpr std::array<quint32, 256> table = makeCrcTable();
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : bytes)
        crc = table[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QByteArray crcText(QByteArrayView bytes)
{
    return QByteArray::number(crc32(bytes), 16).rightJustified(8, '0');
}

bool isKey(QByteArrayView key)
{
    if (key.isEmpty() || key.size() > kMaxKeyLength)
        return false;
    for (char c : key) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

/** A length or version as the writer spells it: digits, no sign, no leading zero. */
std::optional<qint64> decimal(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 18 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

/** Walks the block; every step checks against what is left before it takes. */
class Cursor
{
public:
    explicit Cursor(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    qsizetype left() const { return m_bytes.size() - m_pos; }

    /** The bytes up to the next stop, which is passed over; nothing if none within limit. */
    std::optional<QByteArrayView> until(char stop, qsizetype limit)
    {
        const qsizetype end = m_bytes.indexOf(stop, m_pos);
        if (end < 0 || end - m_pos > limit)
            return std::nullopt;
        const QByteArrayView part = m_bytes.sliced(m_pos, end - m_pos);
        m_pos = end + 1;
        return part;
    }

    std::optional<QByteArrayView> take(qint64 count)
    {
        if (count > left())
            return std::nullopt;
        const QByteArrayView part = m_bytes.sliced(m_pos, qsizetype(count));
        m_pos += qsizetype(count);
        return part;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

void clearExtension(Letter& letter)
{
    letter.infoBlock.clear();
    letter.postalNotes.clear();
    letter.enclosures.clear();
    letter.distribution.clear();
    letter.serial = {};
    letter.payment = Letter::Payment();
    letter.unknownExtensionEntries.clear();
}

QString* paymentField(QByteArrayView key, Letter::Payment& payment)
{
    for (const PaymentKey& known : kPaymentKeys) {
        if (key == known.key)
            return &(payment.*known.field);
    }
    return nullptr;
}

/** The entries of a payload whose checksum matched; false on any fault. */
bool parseEntries(QByteArrayView payload, Letter& letter)
{
    Cursor in(payload);
    std::optional<QString> pendingLabel;
    while (!in.atEnd()) {
        const auto key = in.until(' ', kMaxKeyLength);
        if (!key || !isKey(*key))
            return false;
        const auto lengthText = in.until('\n', 18);
        const auto length = lengthText ? decimal(*lengthText) : std::nullopt;
        if (!length)
            return false;
        const auto value = in.take(*length);
        const auto end = in.take(1);
        if (!value || !end || (*end)[0] != '\n' || !value->isValidUtf8())
            return false;

        // A label's value must come next, and no value comes without its label.
        if (pendingLabel.has_value() != (*key == kInfoValue))
            return false;
        const QString text = QString::fromUtf8(*value);
        if (*key == kInfoLabel) {
            pendingLabel = text;
        } else if (*key == kInfoValue) {
            letter.infoBlock.append({*pendingLabel, text});
            pendingLabel.reset();
        } else if (*key == kPostalNote) {
            letter.postalNotes.append(text);
        } else if (*key == kEnclosure) {
            letter.enclosures.append(text);
        } else if (*key == kDistribution) {
            letter.distribution.append(text);
        } else if (*key == kSerialTable) {
            // One table, named: a second or an empty one is no block this writer made.
            if (text.isEmpty() || !letter.serial.isEmpty())
                return false;
            letter.serial.table = text;
        } else if (*key == kSerialOption) {
            if (letter.serial.isEmpty())
                return false;
            letter.serial.options.append(text);
        } else if (QString* field = paymentField(*key, letter.payment)) {
            *field = text;
        } else {
            letter.unknownExtensionEntries.append({key->toByteArray(), value->toByteArray()});
        }
    }
    return !pendingLabel;
}

Outcome parseBlock(QByteArrayView tail, Letter& letter)
{
    if (tail.isEmpty())
        return Outcome::NoBlock;
    if (!tail.startsWith(kMagicView))
        // Cut off inside its first line it is still the block, lost.
        return kMagicView.startsWith(tail) ? Outcome::Damaged : Outcome::NoBlock;
    Cursor in(tail.sliced(kMagicView.size()));
    const auto version = in.until('\n', 18);
    if (!version || !decimal(*version))
        return Outcome::Damaged;
    if (*version != kVersion)
        return Outcome::Newer;
    const auto length = in.until(' ', 18);
    const auto crc = in.until('\n', 8);
    const auto payloadLength = length ? decimal(*length) : std::nullopt;
    if (!payloadLength || !crc)
        return Outcome::Damaged;
    const auto payload = in.take(*payloadLength);
    if (!payload || *crc != crcText(*payload))
        return Outcome::Damaged;
    return parseEntries(*payload, letter) ? Outcome::Read : Outcome::Damaged;
}

void appendEntry(QByteArray& out, QByteArrayView key, const QByteArray& value)
{
    out.append(key);
    out.append(' ');
    out.append(QByteArray::number(value.size()));
    out.append('\n');
    out.append(value);
    out.append('\n');
}

} // namespace

QByteArray serialize(const Letter& letter)
{
    QByteArray payload;
    for (const Letter::InfoRow& row : letter.infoBlock) {
        appendEntry(payload, kInfoLabel, row.label.toUtf8());
        appendEntry(payload, kInfoValue, row.value.toUtf8());
    }
    for (const QString& line : letter.postalNotes)
        appendEntry(payload, kPostalNote, line.toUtf8());
    for (const QString& line : letter.enclosures)
        appendEntry(payload, kEnclosure, line.toUtf8());
    for (const QString& line : letter.distribution)
        appendEntry(payload, kDistribution, line.toUtf8());
    if (!letter.serial.isEmpty()) {
        appendEntry(payload, kSerialTable, letter.serial.table.toUtf8());
        for (const QString& option : letter.serial.options)
            appendEntry(payload, kSerialOption, option.toUtf8());
    }
    for (const PaymentKey& known : kPaymentKeys) {
        if (const QString& value = letter.payment.*known.field; !value.isEmpty())
            appendEntry(payload, known.key, value.toUtf8());
    }
    for (const Letter::ExtensionEntry& entry : letter.unknownExtensionEntries) {
        // Only what a reader accepts: one bad entry would cost the whole block.
        if (isKey(entry.key) && QByteArrayView(entry.value).isValidUtf8())
            appendEntry(payload, entry.key, entry.value);
    }
    if (payload.isEmpty())
        return QByteArray();
    return frame(payload);
}

QByteArray frame(QByteArrayView payload)
{
    QByteArray block;
    block.reserve(payload.size() + 48);
    block.append(kMagicView);
    block.append(kVersion);
    block.append('\n');
    block.append(QByteArray::number(payload.size()));
    block.append(' ');
    block.append(crcText(payload));
    block.append('\n');
    block.append(payload);
    return block;
}

Outcome parse(QByteArrayView tail, Letter& letter)
{
    clearExtension(letter);
    const Outcome outcome = parseBlock(tail, letter);
    if (outcome != Outcome::Read)
        clearExtension(letter);
    return outcome;
}

QString lossMessage(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Damaged:
        return QStringLiteral("Die Zusatzangaben (Infoblock, Anlagen, Verteiler) dieses Briefs "
                              "sind beschädigt und wurden nicht übernommen.");
    case Outcome::Newer:
        return QStringLiteral("Die Zusatzangaben (Infoblock, Anlagen, Verteiler) dieses Briefs "
                              "stammen aus einer neueren Programmversion und wurden nicht "
                              "übernommen.");
    case Outcome::NoBlock:
    case Outcome::Read:
        break;
    }
    return QString();
}

} // namespace quillory::document::LetterExtension
