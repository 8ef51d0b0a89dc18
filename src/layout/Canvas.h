#pragma once

#include "CanvasFont.h"

#include <QString>
#include <QStringView>

class QImage;
class QRect;

#include <vector>

namespace quillory::layout {

/** Colour of a line pen, 0x00BBGGRR like a font colour. */
inline constexpr quint32 kBlack = 0x000000u;

/**
 * A drawing target as page composition sees it: text measured and drawn in
 * the current font, straight lines with the current pen, and images. Coordinates are
 * target pixels; text is placed by the top-left corner of its cell and
 * drawn without a background, so overlapping texts never erase each other.
 *
 * The current font lives here so that its size and style can be read and
 * changed one at a time, as the layouts do; targets learn of every change
 * through fontChanged().
 */
class Canvas
{
public:
    virtual ~Canvas() = default;

    /** Width of text in the current font; 0 for the empty text. */
    virtual int textWidth(const QString& text) = 0;
    /** Cell height (ascent + descent) of the current font; 0 for the empty text. */
    virtual int textHeight(const QString& text) = 0;
    virtual void textOut(int x, int y, const QString& text) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    /** Width 0 is the thinnest line the target can draw. */
    virtual void setPen(quint32 color, int width) = 0;
    /** Draws image scaled into target; the image has no transparency left. */
    virtual void drawImage(const QRect& target, const QImage& image) = 0;
    /** Fills rect in black with exact edges: a payment code's modules, at the target's resolution.
     */
    virtual void fillRect(const QRect& rect) = 0;

    /**
     * Cheap guesses of the advance of each UTF-16 unit of text in the current
     * font, for finding line breaks quickly. The guesses need not be exact
     * (kerning and rounding may differ from textWidth()); line breaking
     * confirms every decision with textWidth(). Never negative.
     */
    virtual void estimateAdvances(QStringView text, std::vector<double>& advances) = 0;

    const CanvasFont& font() const { return m_font; }
    void setFont(const CanvasFont& font);
    int fontSize() const { return m_font.points; }
    void setFontSize(int points);
    quint8 fontStyle() const { return m_font.style; }
    void setFontStyle(quint8 style);

protected:
    /** The current font changed; measure and draw with font() from now on. */
    virtual void fontChanged() = 0;

private:
    CanvasFont m_font;
};

} // namespace quillory::layout
