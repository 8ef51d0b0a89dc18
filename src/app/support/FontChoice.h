#pragma once

#include "document/LetterFont.h"

#include <QColor>
#include <QFont>

namespace quillory::app {

/**
 * A font as a font dialog shows and returns it: the Qt font (face, whole
 * point size, bold, italic, underline, strike-out) and a colour. An invalid
 * colour stands for the system's window-text colour, which a letter keeps
 * as such instead of pinning it to the black of today's theme.
 *
 * from() and applyTo() translate to and from a letter's font. What Qt's font
 * has no notion of (character set, pitch, the resolution the height is
 * measured at) stays as the letter's font had it.
 */
struct FontChoice
{
    QFont font;
    QColor color;

    static FontChoice from(const document::LetterFont& letterFont);
    /** The chosen face, size, styles and colour; the size in points at letterFont's resolution. */
    void applyTo(document::LetterFont& letterFont) const;

    /** 0x00BBGGRR, as a letter stores a colour. */
    static quint32 colorValue(const QColor& color);
    static QColor colorOf(quint32 value);
};

} // namespace quillory::app
