#include "AddressCheck.h"

#include <algorithm>
#include <cmath>

namespace quillory::envelope {
namespace {

using layout::DrawOp;
using layout::TextRole;

constexpr double kMillimetresPerInch = 25.4;

/** Converts the page's pixels to millimetres on the sheet. */
struct SheetScale
{
    double perPixelX;
    double perPixelY;
    QPointF origin;

    SheetScale(const layout::PrintedPage& page, const Sheet& sheet)
        : perPixelX(kMillimetresPerInch / std::max(1, page.dpiX)),
          perPixelY(kMillimetresPerInch / std::max(1, page.dpiY)), origin(sheet.printableOrigin)
    {}

    double y(int pixels) const { return origin.y() + pixels * perPixelY; }
    QRectF cell(const DrawOp& op) const
    {
        return QRectF(QPointF(origin.x() + op.from.x() * perPixelX, y(op.from.y())),
                      QPointF(origin.x() + op.to.x() * perPixelX, y(op.to.y())));
    }
};

bool isBlank(const DrawOp& op)
{
    return op.kind != DrawOp::Kind::Text || op.text.trimmed().isEmpty();
}

QString roleName(TextRole role)
{
    switch (role) {
    case TextRole::Sender:
        return QStringLiteral("Absender");
    case TextRole::Date:
        return QStringLiteral("Datum");
    case TextRole::Subject:
        return QStringLiteral("Betreff");
    case TextRole::Salutation:
        return QStringLiteral("Anrede");
    case TextRole::Body:
        return QStringLiteral("Brieftext");
    default:
        return QStringLiteral("weiterer Text");
    }
}

/** Where the sheet is folded first: the letter's upper fold mark. */
double firstFold(const layout::PageLayout& pages, const layout::PrintedPage& page,
                 const SheetScale& scale)
{
    // The DIN forms fold below a third of the sheet; only a letter without
    // marks is taken to fold at a third.
    std::optional<int> mark;
    for (const DrawOp& op : pages.everyPageOps()) {
        if (op.kind == DrawOp::Kind::Line && op.from.y() == op.to.y())
            mark = std::min(mark.value_or(op.from.y()), op.from.y());
    }
    return scale.y(mark.value_or(page.size.height() / 3));
}

QString sideText(Side side)
{
    switch (side) {
    case Side::Left:
        return QStringLiteral("links aus dem Fenster");
    case Side::Top:
        return QStringLiteral("über das Fenster");
    case Side::Right:
        return QStringLiteral("rechts aus dem Fenster");
    case Side::Bottom:
        break;
    }
    return QStringLiteral("unter das Fenster");
}

QString shortSideText(Side side)
{
    switch (side) {
    case Side::Left:
        return QStringLiteral("zu weit links");
    case Side::Top:
        return QStringLiteral("zu hoch");
    case Side::Right:
        return QStringLiteral("zu weit rechts");
    case Side::Bottom:
        break;
    }
    return QStringLiteral("zu tief");
}

} // namespace

QString dinPlacesAddressText()
{
    return QStringLiteral("Die DIN-Layouts setzen die Anschrift selbst an ihren Platz; "
                          "es wird nichts geändert");
}

QString millimetreText(double mm)
{
    return QString::number(mm, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

Side AddressCheck::tightestSide() const
{
    return Side(std::min_element(distances.begin(), distances.end()) - distances.begin());
}

QString AddressCheck::reservations() const
{
    QStringList clauses;
    if (!alsoShowing.isEmpty()) {
        QString names = alsoShowing.last();
        if (alsoShowing.size() > 1)
            names = alsoShowing.first(alsoShowing.size() - 1).join(QStringLiteral(", ")) +
                    QStringLiteral(" und ") + names;
        clauses << QStringLiteral("im Fenster %1 auch %2 zu sehen")
                       .arg(alsoShowing.size() > 1 ? QStringLiteral("sind") : QStringLiteral("ist"),
                            names);
    }
    if (returnLineBox && returnLine == Visibility::None)
        clauses << QStringLiteral("die Absenderzeile ist nicht im Fenster sichtbar");
    else if (returnLineBox && returnLine == Visibility::Partly)
        clauses << QStringLiteral("die Absenderzeile ist nicht ganz im Fenster sichtbar");
    return clauses.join(QStringLiteral(" und "));
}

QString AddressCheck::verdict() const
{
    if (!hasAddress)
        return QStringLiteral("Keine Anschrift auf der ersten Seite");
    const QString but = reservations();
    if (!fits) {
        const QString outside =
            QStringLiteral("Anschrift ragt %1 mm %2 (%3)")
                .arg(millimetreText(-margin()), sideText(tightestSide()), envelope);
        return but.isEmpty() ? outside : outside + QStringLiteral(", und ") + but;
    }
    const QString room =
        tight ? QStringLiteral("kann %1 mm %2 ragen")
                    .arg(millimetreText(-margin()), sideText(tightestSide()))
              : QStringLiteral("mindestens %1 mm Rand").arg(millimetreText(margin()));
    const QString fitting = tight ? QStringLiteral("passt knapp") : QStringLiteral("passt");
    // The reservation follows "passt" at once, and the window's name with
    // the room closes the sentence, where it stands after "ins Fenster" else.
    if (!but.isEmpty())
        return QStringLiteral("Anschrift %1, aber %2 (%3, %4)").arg(fitting, but, envelope, room);
    return QStringLiteral("Anschrift %1 ins Fenster (%2), %3").arg(fitting, envelope, room);
}

QString AddressCheck::shortVerdict() const
{
    const QString head = QStringLiteral("Fenster %1: ").arg(envelope);
    if (!hasAddress)
        return head + QStringLiteral("keine Anschrift");
    if (!fits)
        return head + QStringLiteral("%1 mm %2")
                          .arg(millimetreText(-margin()), shortSideText(tightestSide()));
    const QString but = reservations();
    if (!but.isEmpty())
        return head +
               (tight ? QStringLiteral("passt knapp, aber ") : QStringLiteral("passt, aber ")) +
               but;
    if (tight)
        return head + QStringLiteral("passt knapp");
    return head + QStringLiteral("passt (%1 mm)").arg(millimetreText(margin()));
}

AddressCheck checkAddress(const layout::PageLayout& pages, const layout::PrintedPage& page,
                          const Sheet& sheet, const Envelope& envelope)
{
    const SheetScale scale(page, sheet);
    const WindowOnSheet window = windowOnSheet(envelope, sheet, firstFold(pages, page, scale));
    AddressCheck check;
    check.envelope = envelope.name;
    check.safeZone = window.safeZone;
    check.windowAtCentre = window.windowAtCentre;

    QStringList showing;
    double widest = 0;
    for (const DrawOp& op : pages.pageOps(1)) {
        if (isBlank(op))
            continue;
        const QRectF cell = scale.cell(op);
        switch (op.role) {
        case TextRole::Recipient:
            check.recipientBox = check.hasAddress ? check.recipientBox.united(cell) : cell;
            check.hasAddress = true;
            widest = std::max(widest, cell.width());
            break;
        case TextRole::ReturnLine:
            check.returnLineBox = check.returnLineBox ? check.returnLineBox->united(cell) : cell;
            break;
        case TextRole::PostalNote:
            // Meant for the window, like the address itself.
            break;
        default:
            if (cell.intersects(window.windowAtCentre) && !showing.contains(roleName(op.role)))
                showing << roleName(op.role);
        }
    }
    if (!check.hasAddress)
        return check;

    const QRectF& box = check.recipientBox;
    const QRectF& safe = window.safeZone;
    check.distances = {box.left() - safe.left(), box.top() - safe.top(), safe.right() - box.right(),
                       safe.bottom() - box.bottom()};
    // Cells are whole pixels: what rounds to 0.0 mm lies on the edge, not beyond.
    for (double& distance : check.distances) {
        if (distance > -0.05 && distance < 0)
            distance = 0;
    }
    check.fits = check.margin() >= -kToleranceMm;
    check.tight = check.fits && check.margin() < 0;

    if (widest > envelope.window.width()) {
        check.warnings << QStringLiteral("Eine Zeile der Anschrift ist %1 mm breit, das Fenster "
                                         "nur %2 mm")
                              .arg(millimetreText(widest), millimetreText(envelope.window.width()));
    }
    if (check.returnLineBox) {
        // Shrunk by the blank bearings, though never to nothing in a small font.
        const QRectF& cell = *check.returnLineBox;
        const double inset = std::min(kToleranceMm, cell.height() / 3);
        const QRectF line = cell.adjusted(kToleranceMm, inset, -kToleranceMm, -inset);
        if (!safe.intersects(line)) {
            check.returnLine = Visibility::None;
            check.warnings << QStringLiteral("Die Absenderzeile liegt %1 dem Fenster")
                                  .arg(line.bottom() <= safe.top()   ? QStringLiteral("über")
                                       : line.top() >= safe.bottom() ? QStringLiteral("unter")
                                                                     : QStringLiteral("neben"));
        } else if (line.width() > safe.width()) {
            check.returnLine = Visibility::Partly;
            check.warnings << QStringLiteral("Die Absenderzeile ist %1 mm breit und passt nicht "
                                             "ganz ins Fenster")
                                  .arg(millimetreText(cell.width()));
        } else if (!safe.contains(line)) {
            check.returnLine = Visibility::Partly;
            check.warnings << QStringLiteral("Die Absenderzeile liegt nicht ganz im Fenster");
        }
    }
    check.alsoShowing = showing;
    if (!showing.isEmpty()) {
        check.warnings << QStringLiteral("Im Fenster zu sehen ist auch: %1")
                              .arg(showing.join(QStringLiteral(", ")));
    }
    return check;
}

layout::PageLayout composeHead(const document::Letter& letter, const layout::ViewOptions& view,
                               layout::LayoutKind kind, const layout::PrintedPage& page)
{
    document::Letter head = letter;
    head.body.clear();
    return layout::composeForPage(kind, head, view, page);
}

AddressFit fitAddress(const document::Letter& letter, const layout::ViewOptions& view,
                      layout::LayoutKind kind, const layout::PrintedPage& page, const Sheet& sheet,
                      const Envelope& envelope)
{
    const auto checked = [&](const document::Letter& l) {
        return checkAddress(composeHead(l, view, kind, page), page, sheet, envelope);
    };
    AddressFit fit;
    fit.linesToSender = letter.linesToSender;
    fit.linesToRecipient = letter.linesToRecipient;
    fit.check = checked(letter);
    const AddressCheck& now = fit.check;
    if (layout::isDin(kind)) {
        // The blank lines before the address mean nothing there.
        fit.reason = dinPlacesAddressText();
        return fit;
    }
    if (!now.hasAddress) {
        fit.reason = QStringLiteral("Der Brief hat keine Anschrift");
        return fit;
    }
    if (now.recipientBox.width() > now.safeZone.width() + 2 * kToleranceMm) {
        fit.reason = QStringLiteral("Die Anschrift ist breiter als das Fenster");
        return fit;
    }
    if (now.distances[size_t(Side::Left)] < -kToleranceMm ||
        now.distances[size_t(Side::Right)] < -kToleranceMm) {
        fit.reason = QStringLiteral("Der Seitenrand legt die Anschrift neben das Fenster");
        return fit;
    }
    if (now.recipientBox.height() > now.safeZone.height() + 2 * kToleranceMm) {
        fit.reason = QStringLiteral("Die Anschrift ist höher als das Fenster");
        return fit;
    }
    const double above = now.distances[size_t(Side::Top)];
    const double below = now.distances[size_t(Side::Bottom)];
    if (above >= 0 && below >= 0) {
        // Nothing to move up or down; across, the lines cannot help.
        fit.possible = true;
        return fit;
    }

    // Every blank line before the address moves it by one line of the letter
    // font, whichever of the two counts it is added to.
    document::Letter probe = letter;
    const bool down = letter.linesToRecipient < document::Letter::kLinesRange.maximum;
    probe.linesToRecipient += down ? 1 : -1;
    const double step = std::abs(checked(probe).recipientBox.top() - now.recipientBox.top());
    if (step <= 0) {
        fit.reason = QStringLiteral("Die Leerzeilen verschieben die Anschrift nicht");
        return fit;
    }
    const int lines = above < 0 ? int(std::ceil(-above / step)) : -int(std::ceil(-below / step));

    // The counts that move the address by lines, the recipient's first; then
    // one step further, in case rounding of the cells left it just outside;
    // a tight fit only where nothing fits fully.
    std::optional<AddressFit> tight;
    for (int shift : {lines, lines > 0 ? lines + 1 : lines - 1}) {
        document::Letter moved = letter;
        moved.linesToRecipient = letter.linesToRecipient + shift;
        if (moved.linesToRecipient < 0) {
            moved.linesToSender += moved.linesToRecipient;
            moved.linesToRecipient = 0;
        }
        if (moved.linesToSender < 0 ||
            moved.linesToRecipient > document::Letter::kLinesRange.maximum)
            continue;
        AddressFit found{true, moved.linesToSender, moved.linesToRecipient, QString(),
                         checked(moved)};
        const AddressCheck& after = found.check;
        if (after.distances[size_t(Side::Top)] >= 0 && after.distances[size_t(Side::Bottom)] >= 0)
            return found;
        if (after.fits && !tight)
            tight = found;
    }
    if (tight)
        return *tight;
    fit.reason = lines < 0 ? QStringLiteral("Der Briefkopf ist zu hoch für das Fenster")
                           : QStringLiteral("Die Anschrift lässt sich nicht tief genug setzen");
    return fit;
}

} // namespace quillory::envelope
