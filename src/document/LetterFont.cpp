#include "LetterFont.h"

#include "ValueRules.h"

namespace quillory::document {

LetterFont LetterFont::arial(int height)
{
    LetterFont font;
    font.setFace(QStringLiteral("Arial"));
    font.setHeight(height);
    return font;
}

void LetterFont::setFace(const QString& face)
{
    qsizetype length = qMin(face.size(), qsizetype(kMaxFaceLength));
    if (length < face.size() && length > 0 && face[length - 1].isHighSurrogate())
        --length;
    m_face = face.left(length);
}

int LetterFont::size() const
{
    if (m_pixelsPerInch <= 0)
        return 0;
    return -ValueRules::roundHalfAway(double(m_height) * 72.0 / double(m_pixelsPerInch));
}

void LetterFont::setSize(int points)
{
    m_height = -ValueRules::roundHalfAway(double(points) * double(m_pixelsPerInch) / 72.0);
}

void LetterFont::setStyle(FontStyleBit bit, bool on)
{
    if (on)
        m_style |= bit;
    else
        m_style &= quint8(~bit);
}

void LetterFont::assign(const LetterFont& source)
{
    m_face = source.m_face;
    m_charset = source.m_charset;
    m_pitch = source.m_pitch;
    m_style = source.m_style;
    m_color = source.m_color;
    if (source.m_pixelsPerInch == m_pixelsPerInch)
        m_height = source.m_height;
    else
        setSize(source.size());
}

} // namespace quillory::document
