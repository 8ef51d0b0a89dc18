#include "support/FontChoice.h"

namespace quillory::app {

using document::LetterFont;

FontChoice FontChoice::from(const LetterFont& letterFont)
{
    FontChoice choice;
    choice.font.setFamily(letterFont.face());
    const int points = letterFont.pointSize();
    if (points > 0)
        choice.font.setPointSize(points);
    choice.font.setBold(letterFont.hasStyle(document::Bold));
    choice.font.setItalic(letterFont.hasStyle(document::Italic));
    choice.font.setUnderline(letterFont.hasStyle(document::Underline));
    choice.font.setStrikeOut(letterFont.hasStyle(document::StrikeOut));
    if (!letterFont.isSystemColor())
        choice.color = colorOf(letterFont.color());
    return choice;
}

void FontChoice::applyTo(LetterFont& letterFont) const
{
    letterFont.setFace(font.family());
    int points = qRound(font.pointSizeF());
    if (points <= 0 && font.pixelSize() > 0 && letterFont.pixelsPerInch() > 0)
        points = qRound(font.pixelSize() * 72.0 / letterFont.pixelsPerInch());
    if (points > 0)
        letterFont.setSize(points);
    letterFont.setStyle(document::Bold, font.bold());
    letterFont.setStyle(document::Italic, font.italic());
    letterFont.setStyle(document::Underline, font.underline());
    letterFont.setStyle(document::StrikeOut, font.strikeOut());
    if (color.isValid())
        letterFont.setColor(colorValue(color));
    else if (!letterFont.isSystemColor())
        letterFont.setColor(LetterFont::kWindowTextColor);
}

quint32 FontChoice::colorValue(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

QColor FontChoice::colorOf(quint32 value)
{
    return QColor(int(value & 0xffu), int((value >> 8) & 0xffu), int((value >> 16) & 0xffu));
}

} // namespace quillory::app
