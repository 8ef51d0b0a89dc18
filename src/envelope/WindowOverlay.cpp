#include "WindowOverlay.h"

#include <QPainter>

#include <algorithm>

namespace quillory::envelope {
namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

QRectF onPage(const QRectF& sheetMm, const Sheet& sheet, const layout::PrintedPage& page)
{
    const double perMmX = std::max(1, page.dpiX) / kMillimetresPerInch;
    const double perMmY = std::max(1, page.dpiY) / kMillimetresPerInch;
    const QRectF mm = sheetMm.translated(-sheet.printableOrigin);
    return {mm.left() * perMmX, mm.top() * perMmY, mm.width() * perMmX, mm.height() * perMmY};
}

void drawWindowOverlay(QPainter& painter, const AddressCheck& check, const Sheet& sheet,
                       const layout::PrintedPage& page, double scale)
{
    const auto onScreen = [&](const QRectF& mm) {
        const QRectF r = onPage(mm, sheet, page);
        return QRectF(r.topLeft() * scale, r.size() * scale);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Light enough that the text under it stays as readable as on paper.
    painter.setPen(QPen(QColor(110, 160, 220), 1));
    painter.setBrush(QColor(110, 160, 220, 28));
    painter.drawRect(onScreen(check.windowAtCentre));
    // The safe zone in the colour of the verdict: where the address has to be.
    const QColor zone = check.fits ? QColor(90, 180, 110) : QColor(230, 140, 60);
    painter.setPen(QPen(zone, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(onScreen(check.safeZone));
    painter.restore();
}

} // namespace quillory::envelope
