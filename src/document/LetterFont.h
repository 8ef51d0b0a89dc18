#pragma once

#include <QString>
#include <QtGlobal>

namespace quillory::document {

enum class FontPitch : quint8 { Default = 0, Variable = 1, Fixed = 2 };

/** Style bits as the letter file stores them. */
enum FontStyleBit : quint8 { Bold = 0x1, Italic = 0x2, Underline = 0x4, StrikeOut = 0x8 };

/**
 * A font as a letter stores it: what a Windows font description holds, in
 * the same units, so that a letter written on one screen opens on another at
 * the same point size. Height is in device pixels at pixelsPerInch; negative
 * heights are character heights, which is what every size conversion yields,
 * positive ones cell heights (character height plus the face's internal
 * leading), which a Windows font description may hold as well.
 */
class LetterFont
{
public:
    static constexpr int kMaxFaceLength = 31;
    /** Colour value of the system colour "window text" (0x80000000 + index 8). */
    static constexpr quint32 kWindowTextColor = 0x80000008u;
    static constexpr quint32 kSystemColorFlag = 0x80000000u;
    static constexpr int kDefaultPixelsPerInch = 96;

    /** Arial of the given height at 96 pixels per inch, ANSI, window-text colour, regular. */
    static LetterFont arial(int height);

    QString face() const { return m_face; }
    /** Longer names are cut to 31 characters, never inside a surrogate pair. */
    void setFace(const QString& face);

    int height() const { return m_height; }
    void setHeight(int height) { m_height = height; }

    int pixelsPerInch() const { return m_pixelsPerInch; }
    /** Changes the resolution only; the height stays, so the point size may change. */
    void setPixelsPerInch(int pixelsPerInch) { m_pixelsPerInch = pixelsPerInch; }

    /**
     * −round(height × 72 ÷ ppi), halves away from zero; 0 when ppi is not
     * positive. This is the size a file stores, negative for a cell height;
     * what to draw at is pointSize().
     */
    int size() const;
    /**
     * The point size the font is drawn at, never negative. For a cell height
     * the internal leading belongs to the face and is not known here, so the
     * cell is taken as the character height: round(height × 72 ÷ ppi), for
     * most faces about a tenth larger than Windows would draw it.
     */
    int pointSize() const { return qAbs(size()); }
    /** Sets height = −round(size × ppi ÷ 72), halves away from zero. */
    void setSize(int points);

    quint8 style() const { return m_style; }
    /** Only the four known bits are kept. */
    void setStyle(quint8 bits) { m_style = bits & (Bold | Italic | Underline | StrikeOut); }
    bool hasStyle(FontStyleBit bit) const { return (m_style & bit) != 0; }
    void setStyle(FontStyleBit bit, bool on);

    /** 0x00BBGGRR, or 0x80000000 + a system colour index. */
    quint32 color() const { return m_color; }
    void setColor(quint32 color) { m_color = color; }
    bool isSystemColor() const { return (m_color & kSystemColorFlag) != 0; }

    quint8 charset() const { return m_charset; }
    void setCharset(quint8 charset) { m_charset = charset; }

    FontPitch pitch() const { return m_pitch; }
    void setPitch(FontPitch pitch) { m_pitch = pitch; }

    /**
     * Takes another font's description. When the two resolutions differ this
     * font keeps its own and takes the other's point size, so a letter keeps
     * its look in points, not in pixels, across screens.
     */
    void assign(const LetterFont& source);

    friend bool operator==(const LetterFont&, const LetterFont&) = default;

private:
    QString m_face;
    int m_height = -15;
    int m_pixelsPerInch = kDefaultPixelsPerInch;
    quint8 m_style = 0;
    quint32 m_color = kWindowTextColor;
    quint8 m_charset = 0;
    FontPitch m_pitch = FontPitch::Default;
};

} // namespace quillory::document
