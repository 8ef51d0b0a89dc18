#include "WindowPlacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

void apply(QWidget& window, const settings::RestoredPlacement& placement)
{
    if (placement.normalGeometry && isOnAScreen(*placement.normalGeometry, screenAreas()))
        window.setGeometry(*placement.normalGeometry);

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
