#pragma once

#include "document/LetterFont.h"

#include <QString>
#include <QtGlobal>

namespace quillory::layout {

/**
 * The font a canvas draws with, in points rather than pixels: composition
 * works in whole points and each target turns them into pixels at its own
 * resolution. The point size may be 0 or negative after the layouts' size
 * reductions; such a font is drawn at 1 point (drawnPoints()), while the
 * stored size stays as set so that a later enlargement restores it exactly.
 */
struct CanvasFont
{
    QString face;
    int points = 0;
    quint8 style = 0; // document::FontStyleBit bits
    quint32 color = document::LetterFont::kWindowTextColor;
    quint8 charset = 0;
    document::FontPitch pitch = document::FontPitch::Default;

    /** The letter font's description at its own point size, unscaled. */
    static CanvasFont fromLetterFont(const document::LetterFont& font);

    int drawnPoints() const { return points > 0 ? points : 1; }
    bool hasStyle(document::FontStyleBit bit) const { return (style & bit) != 0; }

    friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

} // namespace quillory::layout
