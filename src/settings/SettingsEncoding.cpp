#include "SettingsEncoding.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <cmath>

namespace quillory::settings::SettingsEncoding {
namespace {

using document::FontPitch;
using document::FontStyleBit;

struct StyleName
{
    FontStyleBit bit;
    const char* name;
};

constexpr std::array<StyleName, 4> kStyles = {{
    {FontStyleBit::Bold, "fsBold"},
    {FontStyleBit::Italic, "fsItalic"},
    {FontStyleBit::Underline, "fsUnderline"},
    {FontStyleBit::StrikeOut, "fsStrikeOut"},
}};

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20;
}

} // namespace

QString trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString encodeNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> decodeNumber(const QString& text)
{
    // "." is the only decimal separator and nothing groups digits: a
    // hand-edited "1,500" is no number rather than 1500 or 1.5.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString encodeBool(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> decodeBool(const QString& text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

int decodeWholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

QString encodePitch(FontPitch pitch)
{
    switch (pitch) {
    case FontPitch::Variable:
        return QStringLiteral("fpVariable");
    case FontPitch::Fixed:
        return QStringLiteral("fpFixed");
    case FontPitch::Default:
        break;
    }
    return QStringLiteral("fpDefault");
}

std::optional<FontPitch> decodePitch(const QString& text)
{
    for (FontPitch pitch : {FontPitch::Default, FontPitch::Variable, FontPitch::Fixed}) {
        if (text.compare(encodePitch(pitch), Qt::CaseInsensitive) == 0)
            return pitch;
    }
    return std::nullopt;
}

QString encodeStyle(quint8 styleBits)
{
    QStringList names;
    for (const StyleName& style : kStyles) {
        if (styleBits & style.bit)
            names << QLatin1String(style.name);
    }
    return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
}

quint8 decodeStyle(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,\\[\\]]+"));
    quint8 bits = 0;
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts)) {
        for (const StyleName& style : kStyles) {
            if (word.compare(QLatin1String(style.name), Qt::CaseInsensitive) == 0)
                bits |= style.bit;
        }
    }
    return bits;
}

} // namespace quillory::settings::SettingsEncoding
