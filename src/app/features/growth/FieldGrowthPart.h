#pragma once

#include "window/WindowPart.h"

#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

namespace quillory::app {

/**
 * Lets the text fields of "Brief schreiben" and "Ihre Daten" use a window
 * wider than its design: each tab is stretched to the right, its text fields
 * widen with it and every other widget keeps its size and moves along, so
 * that nothing runs into its neighbour. At the design size (or below) every
 * widget is back where the design puts it. The body follows the tab's own
 * layout, which already gives it the room to the right and below.
 */
class FieldGrowthPart : public WindowPart
{
    Q_OBJECT

public:
    explicit FieldGrowthPart(LetterWindow& window);

    bool eventFilter(QObject* watched, QEvent* event) override;

    /** Whether widget widens with its tab: one- and multi-line text fields only. */
    static bool grows(const QWidget* widget);

private:
    /** A widget placed by hand, and where the design put it. */
    struct Placed
    {
        QPointer<QWidget> widget;
        QRect design;
        bool grows = false;
    };
    /** A widget whose hand-placed children follow its width. */
    struct Area
    {
        QPointer<QWidget> container;
        std::vector<Placed> placed;
    };

    void watch(QWidget* container);
    /** Notes the children placed since the last fit, at their design places. */
    void record(Area& area);
    void fit(Area& area);

    /** The window's size when the parts are made: the design's, before any restore. */
    QSize m_designWindow;
    std::vector<Area> m_areas;
};

} // namespace quillory::app
