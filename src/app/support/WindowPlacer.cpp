#include "support/WindowPlacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quillory::app::WindowPlacer {

using settings::WindowPlacement;

settings::ScreenInfo screenInfo()
{
    settings::ScreenInfo info;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        info.pixelsPerInch = qRound(screen->logicalDotsPerInch());
        info.size = screen->size();
    }
    return info;
}

WindowPlacement placementOf(const QWidget& window)
{
    WindowPlacement placement;
    // While maximised or minimised, normalGeometry() is the rectangle the
    // window comes back to; before the first showing it is still empty.
    placement.normalGeometry = window.normalGeometry();
    if (!placement.normalGeometry.isValid())
        placement.normalGeometry = window.geometry();
    if (window.isMinimized())
        placement.showCommand = WindowPlacement::Minimized;
    else if (window.isMaximized())
        placement.showCommand = WindowPlacement::Maximized;
    else
        placement.showCommand = WindowPlacement::Normal;
    placement.pixelsPerInch = screenInfo().pixelsPerInch;
    return placement;
}

QList<QRect> screenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

bool isOnAScreen(const QRect& rect, const QList<QRect>& areas)
{
    if (rect.isEmpty())
        return false;
    const int needWidth = qMin(kGrip, rect.width());
    const int needHeight = qMin(kGrip, rect.height());
    for (const QRect& area : areas) {
        const QRect seen = area.intersected(rect);
        if (seen.width() >= needWidth && seen.height() >= needHeight)
            return true;
    }
    return false;
}

std::optional<QRect> fitted(const QRect& rect, const QList<QRect>& areas, const QMargins& frame)
{
    if (!isOnAScreen(rect, areas))
        return std::nullopt;
    QRect screen;
    qint64 mostSeen = -1;
    for (const QRect& area : areas) {
        const QRect seen = area.intersected(rect);
        const qint64 size = qint64(seen.width()) * seen.height();
        if (size > mostSeen) {
            mostSeen = size;
            screen = area;
        }
    }
    const QRect usable = screen.marginsRemoved(frame);
    QRect result = rect;
    // A hand-edited or foreign size would cost memory and hide the window's
    // edges; larger than the screen, it takes the screen.
    if (result.width() > usable.width())
        result = QRect(usable.left(), result.top(), usable.width(), result.height());
    if (result.height() > usable.height())
        result = QRect(result.left(), usable.top(), result.width(), usable.height());
    const int grip = qMin(kGrip, result.width());
    const int top = qMax(usable.top(), qMin(result.top(), usable.bottom() + 1 - kGrip));
    const int left =
        qMax(usable.left() - result.width() + grip, qMin(result.left(), usable.right() + 1 - grip));
    result.moveTo(left, top);
    return result;
}

void apply(QWidget& window, const settings::RestoredPlacement& placement)
{
    if (placement.normalGeometry) {
        const QWindow* handle = window.windowHandle();
        const QMargins frame = handle ? handle->frameMargins() : QMargins();
        if (const auto rect = fitted(*placement.normalGeometry, screenAreas(), frame))
            window.setGeometry(*rect);
    }

    switch (placement.state) {
    case WindowPlacement::Maximized:
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        break;
    case WindowPlacement::Minimized:
        window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        QMetaObject::invokeMethod(&window, &QWidget::showMinimized, Qt::QueuedConnection);
        break;
    case WindowPlacement::Normal:
        window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        break;
    }
}

} // namespace quillory::app::WindowPlacer
