#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace quillory::envelope {

/** The window envelopes a letter is checked against. */
enum class EnvelopeKind { DL, C6_5, C5 };

/** How the sheet is folded to go into the envelope. */
enum class Fold {
    Thirds, ///< in three at the letter's own fold marks, the top third facing the window
    Half,   ///< once at half the sheet's height
};

/**
 * A window envelope lying with its window up: its size and its window in
 * millimetres from the envelope's top-left corner.
 */
struct Envelope
{
    EnvelopeKind kind;
    QString name; ///< as the user chooses it: "DL", "C6/5", "C5"
    QSizeF size;  ///< width across, height down
    QRectF window;
    Fold fold;

    static const Envelope& of(EnvelopeKind kind);
    /** The envelope of that name ("DL", "C6/5", "C5"), or none. */
    static std::optional<EnvelopeKind> fromName(const QString& name);
};

/** The sheet as it is printed: its size and where the printer's printable area starts on it. */
struct Sheet
{
    QSizeF size{210, 297};
    QPointF printableOrigin; ///< mm from the sheet's top-left corner
};

/**
 * Where an envelope's window lies on the unfolded sheet, in millimetres from
 * the sheet's top-left corner. The folded sheet has play inside the
 * envelope, across and down; the safe zone is what shows through the window
 * wherever the folded sheet sits, the centred window what shows when it sits
 * in the middle.
 */
struct WindowOnSheet
{
    QRectF safeZone;
    QRectF windowAtCentre;
    QSizeF folded; ///< the folded sheet: width, and the height of the part facing the window
    QSizeF play;   ///< room the folded sheet has across and down; never negative
};

/**
 * The window on the sheet for an envelope. foldMark: where the letter's first
 * fold mark lies on the sheet (mm from its top), used when the sheet is
 * folded in three.
 */
WindowOnSheet windowOnSheet(const Envelope& envelope, const Sheet& sheet, double foldMark);

} // namespace quillory::envelope
