// The payment code beside the closing: a QR symbol a banking app reads to
// fill in a transfer, drawn as black rectangles so every target draws it at
// its own resolution.
#include "Composer.h"
#include "payment/PaymentCode.h"

#include <algorithm>
#include <cmath>

namespace quillory::layout {
namespace {

constexpr double kCodeMm = 30;    // the symbol's side with its quiet zone
constexpr double kModuleMm = 0.4; // the smallest module a phone's camera reads at arm's length
constexpr int kQuietModules = 4;  // white modules around the symbol on every side
constexpr int kCaptionPoints = 8;

QRect bounds(const DrawOp& op)
{
    if (op.kind == DrawOp::Kind::Line)
        return QRect(QPoint(std::min(op.from.x(), op.to.x()), std::min(op.from.y(), op.to.y())),
                     QPoint(std::max(op.from.x(), op.to.x()), std::max(op.from.y(), op.to.y())));
    return QRect(op.from, QPoint(op.to.x() - 1, op.to.y() - 1));
}

} // namespace

void Composer::markClosing()
{
    // As writeLeft does before it writes: a closing that begins a page is level with its top.
    if (!m_letter.closing.isEmpty())
        startNextPageIfFull();
    m_closingPage = m_page;
    m_closingTop = m_y;
}

void Composer::paymentCode()
{
    const payment::QrMatrix symbol = payment::PaymentCode::symbol(m_letter);
    if (symbol.isEmpty())
        return;
    const CanvasFont font = m_canvas.font();
    applyFont(m_letter.letterFont);
    setSize(scaledPoints(kCaptionPoints));
    const QString caption = QStringLiteral("Zahlen mit Code");
    const int captionWidth = m_canvas.textWidth(caption);
    const int captionHeight = m_canvas.textHeight(caption);
    // The largest symbols would get modules under the readable size at 30 mm; they grow instead.
    const int total = symbol.size + 2 * kQuietModules;
    const int side = millimetres(std::max(kCodeMm, total * kModuleMm));
    const int width = std::max(side, captionWidth);
    const int right = m_textRight;

    const QRect beside(right - width, m_closingTop, width, captionHeight + side);
    const auto& ops = m_layout.pageOps(m_closingPage);
    const bool free = m_closingTop >= 0 && beside.bottom() < m_bodyLimit &&
                      std::none_of(ops.begin(), ops.end(),
                                   [&](const DrawOp& op) { return bounds(op).intersects(beside); });
    int top = m_closingTop;
    if (free) {
        m_page = m_closingPage;
    } else {
        m_page = m_layout.pageCount() + 1;
        m_pageFull = false;
        top = m_pageTop;
        if (isDin(m_kind))
            pageFrameDin();
        else
            pageFrame();
        applyFont(m_letter.letterFont);
        setSize(scaledPoints(kCaptionPoints));
    }
    m_layout.addText(m_page, QRect(right - captionWidth, top, captionWidth, captionHeight), caption,
                     m_canvas.font(), TextRole::PaymentCode);

    // Module edges rounded one by one, so the modules tile the square without gaps.
    const int left = right - side;
    const int codeTop = top + captionHeight;
    const auto edge = [&](int origin, int module) {
        return origin + int(std::lround(double(module + kQuietModules) * side / total));
    };
    for (int y = 0; y < symbol.size; ++y) {
        for (int x = 0; x < symbol.size;) {
            if (!symbol.isDark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < symbol.size && symbol.isDark(x, y))
                ++x;
            const QPoint from(edge(left, start), edge(codeTop, y));
            const QPoint to(edge(left, x), edge(codeTop, y + 1));
            m_layout.addRect(m_page, QRect(from, QSize(to.x() - from.x(), to.y() - from.y())),
                             TextRole::PaymentCode);
        }
    }
    m_canvas.setFont(font);
}

} // namespace quillory::layout
