#pragma once

#include "settings/FormStorage.h"

#include <QList>
#include <QMargins>
#include <QRect>

#include <optional>

class QWidget;

namespace quillory::app {

/**
 * Between the main window and the stored placement: what the window's
 * placement is now, which screen measures it, and how a restored one is put
 * back. A stored rectangle is used only where enough of it lies on one of
 * today's screens to be seen and grabbed, so a window never comes back out
 * of sight after a monitor has gone, and never larger than that screen.
 */
namespace WindowPlacer {

/** The primary screen's logical resolution and size, which name the stored positions. */
settings::ScreenInfo screenInfo();

/** The window's normal rectangle (without frame) and its state. */
settings::WindowPlacement placementOf(const QWidget& window);

/** The available areas of all screens now. */
QList<QRect> screenAreas();

/**
 * True when at least kGrip pixels square of rect (or all of it, when
 * smaller) lie on one of areas.
 */
bool isOnAScreen(const QRect& rect, const QList<QRect>& areas);
inline constexpr int kGrip = 48;

/**
 * Where a stored rectangle goes: nothing when it is not on a screen;
 * otherwise at most as large as the usable part of the screen that shows
 * most of it (frame being the window frame around the rectangle), with the
 * title bar above it on that screen and enough of its width to grab.
 */
std::optional<QRect> fitted(const QRect& rect, const QList<QRect>& areas, const QMargins& frame);

/**
 * Applies a restored placement to a window about to be shown: the stored
 * rectangle fitted to today's screens (the window otherwise keeps its design
 * placement), then the state. A minimised window is shown normal first and
 * minimised right after, as the whole program is.
 */
void apply(QWidget& window, const settings::RestoredPlacement& placement);

} // namespace WindowPlacer
} // namespace quillory::app
