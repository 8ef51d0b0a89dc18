#include "features/growth/FieldGrowthPart.h"

#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <limits>

namespace quillory::app {

FieldGrowthPart::FieldGrowthPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("FieldGrowthPart")), m_designWindow(window.widget()->size())
{
    window.addPart(this);
    for (LetterWindow::Place place :
         {LetterWindow::Place::LetterTab, LetterWindow::Place::SenderTab})
        if (QWidget* tab = window.place(place))
            watch(tab);
}

bool FieldGrowthPart::grows(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget);
}

void FieldGrowthPart::watch(QWidget* container)
{
    m_areas.push_back(Area{container, {}});
    container->installEventFilter(this);
    // A panel its tab lays out (the letter's fields above the body) is as
    // wide as the tab; the widgets on it are placed by hand like the tab's own.
    if (QLayout* layout = container->layout())
        for (int i = 0; i < layout->count(); ++i) {
            QWidget* laidOut = layout->itemAt(i)->widget();
            if (laidOut && !laidOut->layout() && !grows(laidOut))
                watch(laidOut);
        }
}

bool FieldGrowthPart::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        for (Area& area : m_areas)
            if (area.container == watched)
                window().runGuarded([&] { fit(area); });
    return WindowPart::eventFilter(watched, event);
}

void FieldGrowthPart::record(Area& area)
{
    std::erase_if(area.placed, [](const Placed& p) { return p.widget.isNull(); });
    QLayout* const layout = area.container->layout();
    const QList<QWidget*> children =
        area.container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow() || (layout && layout->indexOf(child) >= 0))
            continue;
        // Nothing but this part moves a placed widget, so one not seen yet
        // is still where the design put it, however wide the window is now.
        const bool known = std::any_of(area.placed.begin(), area.placed.end(),
                                       [child](const Placed& p) { return p.widget == child; });
        if (!known)
            area.placed.push_back(Placed{child, child->geometry(), grows(child)});
    }
}

void FieldGrowthPart::fit(Area& area)
{
    if (!area.container)
        return;
    record(area);
    // The tab's frame around it is the same at every size: the tab is as
    // much wider than at the design size as the window is.
    const int width = area.container->width();
    const int extra = window().widget()->width() - m_designWindow.width();
    const int designWidth = width - extra;
    int anchor = std::numeric_limits<int>::max();
    for (const Placed& p : area.placed)
        anchor = std::min(anchor, p.design.left());

    if (extra <= 0 || designWidth <= anchor) {
        for (const Placed& p : area.placed)
            p.widget->setGeometry(p.design);
        return;
    }
    // Stretched from the left margin on, which stays: columns move apart in
    // proportion, a text field spans its stretched columns, and any other
    // widget keeps its size at its column's new start. As no widget's start
    // moves left of where a widget before it now ends, none overlaps another.
    const double stretch = double(width - anchor) / double(designWidth - anchor);
    const auto at = [&](int x) {
        return anchor + qRound((x - anchor) * stretch);
    };
    for (const Placed& p : area.placed) {
        const int left = at(p.design.left());
        const int w = p.grows ? at(p.design.left() + p.design.width()) - left : p.design.width();
        p.widget->setGeometry(left, p.design.top(), w, p.design.height());
    }
}

} // namespace quillory::app
