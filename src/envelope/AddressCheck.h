#pragma once

#include "document/Letter.h"
#include "Envelope.h"
#include "layout/Composer.h"
#include "layout/PageLayout.h"
#include "layout/PrintedPage.h"

#include <QRectF>
#include <QStringList>

#include <array>
#include <optional>

namespace quillory::envelope {

/** The sides of the address block, in the order of AddressCheck::distances. */
enum class Side { Left, Top, Right, Bottom };

/** How much of a line of text lies in an envelope's safe zone. */
enum class Visibility { Whole, Partly, None };

/** An edge this far outside the safe zone still fits: text cells have blank side bearings. */
inline constexpr double kToleranceMm = 1.0;

/** Whether page 1's address shows through an envelope's window, in sheet millimetres. */
struct AddressCheck
{
    QString envelope;        ///< its name, "DL"
    bool hasAddress = false; ///< page 1 has recipient lines at all
    bool fits = false;
    bool tight = false; ///< fits, but an edge lies up to kToleranceMm outside the safe zone
    /** Room from each edge of the address to the safe zone's edge; negative: outside. */
    std::array<double, 4> distances{};
    QRectF recipientBox;
    std::optional<QRectF> returnLineBox;
    Visibility returnLine = Visibility::Whole; ///< of returnLineBox, where there is one
    /** What else of page 1 shows through the window: "Absender", "Datum". */
    QStringList alsoShowing;
    QRectF safeZone;
    QRectF windowAtCentre;
    QStringList warnings;

    /** The side with the least room, and that room. */
    Side tightestSide() const;
    double margin() const { return distances[size_t(tightestSide())]; }

    /**
     * The verdict in a sentence: "Anschrift passt ins Fenster (DL), mindestens
     * 3,2 mm Rand". What else is amiss in the window is part of it, as a
     * reservation: "Anschrift passt, aber die Absenderzeile ist nicht im
     * Fenster sichtbar (C5, mindestens 0,9 mm Rand)".
     */
    QString verdict() const;
    /** The verdict for the status bar: "Fenster DL: passt (3,2 mm)", or "passt, aber ...". */
    QString shortVerdict() const;
    /** What else is amiss, as the clause after "aber"; empty when nothing is. */
    QString reservations() const;
};

/**
 * Checks page 1 of pages, composed for page, against envelope. The sheet
 * places the page's printable area on the paper; the letter's first fold
 * mark is read from the layout.
 */
AddressCheck checkAddress(const layout::PageLayout& pages, const layout::PrintedPage& page,
                          const Sheet& sheet, const Envelope& envelope);

/** What fitting the address into a window takes. */
struct AddressFit
{
    bool possible = false;
    int linesToSender = 0;    ///< ZeilenAbsender to set
    int linesToRecipient = 0; ///< ZeilenBisEmpfaenger to set
    QString reason;           ///< why it is not possible
    AddressCheck check;       ///< the check with the chosen values
};

/**
 * The smallest change of the lines before the recipient (and, only where
 * that cannot do it, of the lines before the sender) that brings the address
 * into the safe zone. Composes page 1 a few times; the body is left out, as
 * it lies below the address.
 */
AddressFit fitAddress(const document::Letter& letter, const layout::ViewOptions& view,
                      layout::LayoutKind kind, const layout::PrintedPage& page, const Sheet& sheet,
                      const Envelope& envelope);

/** page 1 of the letter composed for page without its body: all a check reads. */
layout::PageLayout composeHead(const document::Letter& letter, const layout::ViewOptions& view,
                               layout::LayoutKind kind, const layout::PrintedPage& page);

/** Why fitting changes nothing in a DIN layout, which places the address itself. */
QString dinPlacesAddressText();

/** A length in millimetres as the verdicts write it: "3,2". */
QString millimetreText(double mm);

} // namespace quillory::envelope
