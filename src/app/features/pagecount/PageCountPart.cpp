#include "features/pagecount/PageCountPart.h"

#include "output/PreviewRenderer.h"
#include "widgets/DesignScale.h"

#include <QLabel>

namespace quillory::app {
namespace {

/** The widest count the room after the page field is kept for. */
const QString kWidestCount = QStringLiteral("von 9999");

QString countText(int pages)
{
    return QStringLiteral("von %1").arg(pages);
}

} // namespace

PageCountPart::PageCountPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("PageCountPart"))
{
    window.addPart(this);
    m_count = new QLabel(window.place(LetterWindow::Place::PreviewPanel));
    m_count->setObjectName(QStringLiteral("SeitenAnzahl"));
    m_count->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_count->hide();
}

void PageCountPart::windowShown()
{
    place();
}

void PageCountPart::place()
{
    // Once every part has put its widgets on the panel: all of them right of
    // the page field move by the same room, so the columns of its lines stay
    // aligned with each other.
    QWidget* const panel = window().place(LetterWindow::Place::PreviewPanel);
    const auto* page = panel->findChild<QWidget*>(QStringLiteral("SeiteEd"));
    if (m_placed || !page)
        return;
    m_placed = true;
    const int gap = DesignScale().px(4);
    const int room = gap + m_count->fontMetrics().horizontalAdvance(kWidestCount);
    const int after = page->geometry().right() + 1;
    for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != m_count && !w->isWindow() && w->x() >= after)
            w->move(w->x() + room, w->y());
    m_count->setGeometry(after + gap, page->y(), room - gap, page->height());
    m_count->show();
}

void PageCountPart::paintOverPreview(QPainter&, const output::PreviewRequest& request)
{
    // The paint has just composed this request: counting it is a look-up.
    const QString text = countText(window().preview().pageCount(request));
    if (m_count->text() != text)
        m_count->setText(text);
}

} // namespace quillory::app
