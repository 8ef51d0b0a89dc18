#include "Windows1252.h"

#include <array>
#include <optional>

namespace quillory::document::Windows1252 {
namespace {

// 0x80..0x9F; the rest of the code page is identical to Latin-1. The unassigned
// bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D decode to their C1 control so that a
// file's bytes are never lost.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> makeDecodeTable()
{
    std::array<char16_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<char16_t>(i);
    for (int i = 0; i < 32; ++i)
        table[0x80 + i] = kHighControls[i];
    return table;
}

constexpr std::array<char16_t, 256> kDecode = makeDecodeTable();

std::optional<char> encodeUnit(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

/** Calls sink(byte) for each encodable character and miss(codePoint) for each other one. */
template <typename Sink, typename Miss>
void walk(QStringView text, Sink&& sink, Miss&& miss)
{
    const char16_t* units = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = units[i];
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) { // nearly every character
            sink(static_cast<char>(unit));
            continue;
        }
        const QChar c(unit);
        if (auto byte = encodeUnit(unit)) {
            sink(*byte);
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            miss(text.mid(i, 2));
            ++i;
        } else {
            miss(text.mid(i, 1));
        }
    }
}

void addOnce(QString& list, QStringView character)
{
    if (!list.contains(character))
        list.append(character);
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(kDecode[static_cast<unsigned char>(bytes[i])]);
    return text;
}

Encoded encode(QStringView text)
{
    // Written straight into a buffer of the final size at most: a letter body
    // can be a megabyte, and appending byte by byte costs ten times as much.
    Encoded result;
    result.bytes.resize(text.size());
    char* out = result.bytes.data();
    qsizetype length = 0;
    walk(
        text, [&](char byte) { out[length++] = byte; },
        [&](QStringView character) {
            out[length++] = '?';
            addOnce(result.replaced, character);
        });
    result.bytes.truncate(length);
    return result;
}

bool canEncode(QStringView text)
{
    for (QChar c : text) {
        if (!encodeUnit(c.unicode()))
            return false;
    }
    return true;
}

QString unencodableCharacters(QStringView text)
{
    QString missing;
    walk(
        text, [](char) {}, [&](QStringView character) { addOnce(missing, character); });
    return missing;
}

} // namespace quillory::document::Windows1252
