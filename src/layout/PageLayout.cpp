#include "PageLayout.h"

#include <algorithm>

namespace quillory::layout {

void PageLayout::setPageCount(int count)
{
    m_pageCount = count;
    if (count > 0 && m_pages.size() < size_t(count))
        m_pages.resize(size_t(count));
}

void PageLayout::addText(int pageNo, const QRect& cell, const QString& text, const CanvasFont& font,
                         TextRole role)
{
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.role = role;
    op.from = cell.topLeft();
    op.to = QPoint(cell.x() + cell.width(), cell.y() + cell.height());
    op.styleIndex = fontIndex(font);
    op.text = text;
    page(pageNo).push_back(std::move(op));
}

void PageLayout::addLine(int pageNo, QPoint from, QPoint to, const Pen& pen)
{
    page(pageNo).push_back(
        DrawOp{DrawOp::Kind::Line, TextRole::Other, from, to, penIndex(pen), {}});
}

void PageLayout::addImage(int pageNo, const QRect& cell, const QImage& image, TextRole role)
{
    m_images.push_back(image);
    page(pageNo).push_back(DrawOp{DrawOp::Kind::Image,
                                  role,
                                  cell.topLeft(),
                                  QPoint(cell.x() + cell.width(), cell.y() + cell.height()),
                                  int(m_images.size()) - 1,
                                  {}});
}

void PageLayout::addRect(int pageNo, const QRect& rect, TextRole role)
{
    page(pageNo).push_back(DrawOp{DrawOp::Kind::Rect,
                                  role,
                                  rect.topLeft(),
                                  QPoint(rect.x() + rect.width(), rect.y() + rect.height()),
                                  0,
                                  {}});
}

void PageLayout::addEveryPageLine(QPoint from, QPoint to, const Pen& pen)
{
    // Every page frame draws the fold marks again; one copy per pen is all a
    // page can show.
    const DrawOp op{DrawOp::Kind::Line, TextRole::Other, from, to, penIndex(pen), {}};
    const bool known = std::any_of(m_everyPage.begin(), m_everyPage.end(), [&](const DrawOp& o) {
        return o.from == op.from && o.to == op.to && o.styleIndex == op.styleIndex;
    });
    if (!known)
        m_everyPage.push_back(op);
}

const std::vector<DrawOp>& PageLayout::pageOps(int pageNo) const
{
    static const std::vector<DrawOp> none;
    if (pageNo < 1 || size_t(pageNo) > m_pages.size())
        return none;
    return m_pages[size_t(pageNo) - 1];
}

void PageLayout::draw(int pageNo, Canvas& canvas, const RoleFilter& filter) const
{
    const auto drawn = [&](const DrawOp& op) {
        return !filter || filter(op.role);
    };
    int font = -1;
    int pen = -1;
    // Images first: a signature is opaque, white where the paper shows, and
    // may reach up into the closing's line; text must stay on top of it.
    for (const DrawOp& op : pageOps(pageNo)) {
        if (op.kind == DrawOp::Kind::Image && drawn(op))
            drawOp(op, canvas, font, pen);
    }
    for (const DrawOp& op : pageOps(pageNo)) {
        if (op.kind != DrawOp::Kind::Image && drawn(op))
            drawOp(op, canvas, font, pen);
    }
    for (const DrawOp& op : m_everyPage) {
        if (drawn(op))
            drawOp(op, canvas, font, pen);
    }
}

void PageLayout::drawOp(const DrawOp& op, Canvas& canvas, int& font, int& pen) const
{
    if (op.kind == DrawOp::Kind::Text) {
        if (op.styleIndex != font) {
            font = op.styleIndex;
            canvas.setFont(m_fonts[size_t(font)]);
        }
        canvas.textOut(op.from.x(), op.from.y(), op.text);
        return;
    }
    if (op.kind == DrawOp::Kind::Rect) {
        canvas.fillRect(QRect(op.from, QSize(op.to.x() - op.from.x(), op.to.y() - op.from.y())));
        return;
    }
    if (op.kind == DrawOp::Kind::Image) {
        canvas.drawImage(QRect(op.from, QSize(op.to.x() - op.from.x(), op.to.y() - op.from.y())),
                         m_images[size_t(op.styleIndex)]);
        return;
    }
    if (op.styleIndex != pen) {
        pen = op.styleIndex;
        canvas.setPen(m_pens[size_t(pen)].color, m_pens[size_t(pen)].width);
    }
    canvas.moveTo(op.from.x(), op.from.y());
    canvas.lineTo(op.to.x(), op.to.y());
}

int PageLayout::fontIndex(const CanvasFont& font)
{
    if (m_lastFont >= 0 && m_fonts[size_t(m_lastFont)] == font)
        return m_lastFont;
    const auto found = std::find(m_fonts.begin(), m_fonts.end(), font);
    if (found != m_fonts.end()) {
        m_lastFont = int(found - m_fonts.begin());
    } else {
        m_fonts.push_back(font);
        m_lastFont = int(m_fonts.size()) - 1;
    }
    return m_lastFont;
}

int PageLayout::penIndex(const Pen& pen)
{
    const auto found = std::find(m_pens.begin(), m_pens.end(), pen);
    if (found != m_pens.end())
        return int(found - m_pens.begin());
    m_pens.push_back(pen);
    return int(m_pens.size()) - 1;
}

std::vector<DrawOp>& PageLayout::page(int pageNo)
{
    const size_t index = size_t(std::max(pageNo, 1)) - 1;
    if (m_pages.size() <= index)
        m_pages.resize(index + 1);
    return m_pages[index];
}

} // namespace quillory::layout
