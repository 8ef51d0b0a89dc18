#include "Envelope.h"

#include <algorithm>

namespace quillory::envelope {
namespace {

// Every window is 90 x 45 mm, 20 mm from the envelope's left edge (DIN 680).
// DL 220 x 110 and C6/5 229 x 114 with the window's bottom 15 mm above the
// envelope's bottom edge agree with the German Wikipedia article "DIN lang"
// (window 90 x 45, 20 mm from the left and 15 mm from the bottom). For C5
// 229 x 162 with the window's bottom 60 mm above the bottom edge no second
// source could be found; the figure stays as first given to us.
constexpr double kWindowWidth = 90;
constexpr double kWindowHeight = 45;
constexpr double kWindowLeft = 20;

Envelope make(EnvelopeKind kind, const char* name, double width, double height, double windowBottom,
              Fold fold)
{
    const double top = height - windowBottom - kWindowHeight;
    return {kind, QString::fromLatin1(name), QSizeF(width, height),
            QRectF(kWindowLeft, top, kWindowWidth, kWindowHeight), fold};
}

} // namespace

const Envelope& Envelope::of(EnvelopeKind kind)
{
    static const Envelope dl = make(EnvelopeKind::DL, "DL", 220, 110, 15, Fold::Thirds);
    static const Envelope c65 = make(EnvelopeKind::C6_5, "C6/5", 229, 114, 15, Fold::Thirds);
    static const Envelope c5 = make(EnvelopeKind::C5, "C5", 229, 162, 60, Fold::Half);
    switch (kind) {
    case EnvelopeKind::DL:
        return dl;
    case EnvelopeKind::C6_5:
        return c65;
    case EnvelopeKind::C5:
        break;
    }
    return c5;
}

std::optional<EnvelopeKind> Envelope::fromName(const QString& name)
{
    for (EnvelopeKind kind : {EnvelopeKind::DL, EnvelopeKind::C6_5, EnvelopeKind::C5}) {
        if (name.compare(of(kind).name, Qt::CaseInsensitive) == 0)
            return kind;
    }
    return std::nullopt;
}

WindowOnSheet windowOnSheet(const Envelope& envelope, const Sheet& sheet, double foldMark)
{
    WindowOnSheet on;
    const double facing = envelope.fold == Fold::Thirds ? foldMark : sheet.size.height() / 2;
    on.folded = QSizeF(sheet.size.width(), facing);
    on.play = QSizeF(std::max(0.0, envelope.size.width() - on.folded.width()),
                     std::max(0.0, envelope.size.height() - on.folded.height()));
    // With the sheet pushed into the top-left corner the window lies on the
    // sheet where it lies on the envelope; any play moves it up and left.
    const QRectF& w = envelope.window;
    on.safeZone = QRectF(w.left(), w.top(), std::max(0.0, w.width() - on.play.width()),
                         std::max(0.0, w.height() - on.play.height()));
    on.windowAtCentre = w.translated(-on.play.width() / 2, -on.play.height() / 2);
    return on;
}

} // namespace quillory::envelope
