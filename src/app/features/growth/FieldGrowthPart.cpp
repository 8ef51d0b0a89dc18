#include "features/growth/FieldGrowthPart.h"

#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

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

std::vector<FieldGrowthPart::Span> FieldGrowthPart::columnsOf(const std::vector<Placed>& placed)
{
    std::vector<Span> spans;
    for (const Placed& p : placed)
        if (p.grows)
            spans.push_back({p.design.left(), p.design.left() + p.design.width()});
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.start < b.start; });
    std::vector<Span> columns;
    for (const Span& s : spans) {
        if (!columns.empty() && s.start <= columns.back().end)
            columns.back().end = std::max(columns.back().end, s.end);
        else
            columns.push_back(s);
    }
    return columns;
}

void FieldGrowthPart::fit(Area& area)
{
    if (!area.container)
        return;
    record(area);
    // The tab's frame around it is the same at every size: the tab is as
    // much wider than at the design size as the window is.
    const int extra = window().widget()->width() - m_designWindow.width();
    const std::vector<Span> columns = columnsOf(area.placed);
    int covered = 0;
    for (const Span& c : columns)
        covered += c.end - c.start;
    if (extra <= 0 || covered == 0) {
        for (const Placed& p : area.placed)
            p.widget->setGeometry(p.design);
        return;
    }

    // Only the columns of text fields take the extra width; the gaps between
    // them stay. A point moves right by the stretch of the columns before it,
    // so no point comes closer to one left of it.
    const double stretch = double(extra) / double(covered);
    const auto at = [&](int x) {
        int before = 0;
        for (const Span& c : columns)
            before += std::clamp(x - c.start, 0, c.end - c.start);
        return x + qRound(before * stretch);
    };
    // A widget in a column keeps its distance from the column's start (the
    // second button under a field stays beside the first) unless it lines up
    // with a field's start, as its label does. Either way it keeps at least
    // its gap to whatever now ends left of it on its line; going from left to
    // right settles those first.
    std::vector<const Placed*> order;
    for (const Placed& p : area.placed)
        order.push_back(&p);
    std::stable_sort(order.begin(), order.end(), [](const Placed* a, const Placed* b) {
        return a->design.left() < b->design.left();
    });
    std::vector<std::pair<const Placed*, QRect>> settled;
    for (const Placed* p : order) {
        const QRect& d = p->design;
        const auto column = std::find_if(columns.begin(), columns.end(), [&](const Span& c) {
            return c.start <= d.left() && d.left() < c.end;
        });
        const bool lined =
            std::any_of(area.placed.begin(), area.placed.end(),
                        [&](const Placed& q) { return q.grows && q.design.left() == d.left(); });
        int left = p->grows || lined || column == columns.end()
                       ? at(d.left())
                       : at(column->start) + d.left() - column->start;
        for (const auto& [q, now] : settled)
            if (q->design.right() < d.left() && q->design.top() <= d.bottom() &&
                q->design.bottom() >= d.top())
                left = std::max(left, now.right() + d.left() - q->design.right());
        const int right = p->grows ? at(d.left() + d.width()) : left + d.width();
        const QRect now(left, d.top(), right - left, d.height());
        p->widget->setGeometry(now);
        settled.emplace_back(p, now);
    }
}

} // namespace quillory::app
