#pragma once

#include "document/Letter.h"
#include "layout/DrawPage.h"
#include "layout/RecordingCanvas.h"

#include <QStringList>

namespace quillory::layout::test {

// A4 at 96 pixels per inch, as the recording canvas tests use it.
inline constexpr int kA4Width96 = 794;
inline constexpr int kA4Height96 = 1123;

/** The new letter's sender data with a recipient, a telephone number, a subject and a short body.
 */
inline document::Letter sampleLetter()
{
    document::Letter letter = document::Letter::makeNew(QDate(2026, 12, 8));
    letter.recipientName = QStringLiteral("Stadtwerke GmbH");
    letter.recipientStreet = QStringLiteral("Am Kraftwerk 5");
    letter.recipientCity = QStringLiteral("12345 Musterstadt");
    letter.senderPhone = QStringLiteral("030 1234567");
    letter.subject = QStringLiteral("Kündigung");
    letter.body = QStringLiteral("Erste Zeile\r\n\r\nZweite");
    return letter;
}

/** One recorded operation as a line of text: "T x,y pt[b] text", "L x,y-x,y wN" or "I x,y-x,y". */
inline QString describe(const RecordingCanvas::Op& op)
{
    if (op.kind == DrawOp::Kind::Image) {
        return QStringLiteral("I %1,%2-%3,%4")
            .arg(op.from.x())
            .arg(op.from.y())
            .arg(op.to.x())
            .arg(op.to.y());
    }
    if (op.kind == DrawOp::Kind::Line) {
        return QStringLiteral("L %1,%2-%3,%4 w%5")
            .arg(op.from.x())
            .arg(op.from.y())
            .arg(op.to.x())
            .arg(op.to.y())
            .arg(op.pen.width);
    }
    return QStringLiteral("T %1,%2 %3%4 %5")
        .arg(op.from.x())
        .arg(op.from.y())
        .arg(op.font.points)
        .arg(op.font.hasStyle(document::Bold) ? QStringLiteral("b") : QString())
        .arg(op.text);
}

struct Drawn
{
    QStringList ops;
    std::vector<RecordingCanvas::Op> raw;
    int pageCount = 0;
};

/** Draws one page with drawpage or drawpage2 on a recording canvas. */
inline Drawn drawPage(LayoutKind kind, const document::Letter& letter, int pageNo = 1,
                      const ViewOptions& view = {}, double dpi = 96, double fontScale = 1,
                      int width = kA4Width96, int height = kA4Height96)
{
    RecordingCanvas canvas;
    Drawn drawn;
    drawn.pageCount = kind == LayoutKind::Layout1
                          ? drawpage(canvas, width, height, pageNo, dpi, fontScale, letter, view)
                          : drawpage2(canvas, width, height, pageNo, dpi, fontScale, letter, view);
    drawn.raw = canvas.ops();
    for (const auto& op : canvas.ops())
        drawn.ops << describe(op);
    return drawn;
}

/** The first recorded text op with exactly this text, or "" when there is none. */
inline QString find(const Drawn& drawn, const QString& text)
{
    for (const auto& op : drawn.raw) {
        if (op.kind == DrawOp::Kind::Text && op.text == text)
            return describe(op);
    }
    return QString();
}

} // namespace quillory::layout::test
