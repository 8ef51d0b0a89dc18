#pragma once

#include "window/WindowPart.h"

#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

namespace quillory::app {

/**
 * Lets the text fields of "Brief schreiben" and "Ihre Daten" use a window
 * wider than its design: the columns of text fields share the extra width,
 * every other widget keeps its size and its place in its column, or moves
 * along, so that nothing runs into its neighbour. At the design size (or below) every
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
    /** A stretch of the tab's width, from start up to end. */
    struct Span
    {
        int start = 0;
        int end = 0;
    };
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
    /** The design's columns: where text fields lie, those overlapping as one. */
    static std::vector<Span> columnsOf(const std::vector<Placed>& placed);
    /** Places the area's widgets for the window's width now. */
    void fit(Area& area);

    /** The window's size when the parts are made: the design's, before any restore. */
    QSize m_designWindow;
    std::vector<Area> m_areas;
};

} // namespace quillory::app
