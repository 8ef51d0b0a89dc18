#pragma once

#include "Canvas.h"
#include "CanvasFont.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

namespace quillory::layout {

/** A line pen: colour 0x00BBGGRR and width in target pixels (0 = thinnest). */
struct Pen
{
    quint32 color = kBlack;
    int width = 1;
    friend bool operator==(const Pen&, const Pen&) = default;
};

/** What a text of a composed page is, for features that read the layout (the envelope check). */
enum class TextRole : quint8 {
    Other,      ///< blank lines and anything not named below
    Sender,     ///< the sender block, its contact lines and Layout 1's and 2's letterhead
    ReturnLine, ///< the sender in one line above the recipient, shown through the window
    Recipient,
    Date,
    Subject,
    Salutation,
    Body,
    Closing,
    Signature, ///< the dotted line and the name below it
    Footer,
    PageLabel,    ///< "- 2 -", or "Seite 2 von 3" on the continuation pages of a DIN letter
    Letterhead,   ///< the sender's name and address at the head of a DIN letter
    PostalNote,   ///< "Einschreiben" and the like above the address, inside the window
    InfoBlock,    ///< the references beside the address of a DIN letter, "Datum" among them
    Enclosures,   ///< "Anlage"/"Anlagen" and its items
    Distribution, ///< "Verteiler" and its items
    PaymentCode,  ///< the payment code beside the closing and its caption "Zahlen mit Code"
};

/** Which operations a replay draws, by role (lines have TextRole::Other); empty: all. */
using RoleFilter = std::function<bool(TextRole)>;

/** One drawing operation of a composed page. */
struct DrawOp
{
    enum class Kind : quint8 { Text, Line, Image, Rect }; // Rect: filled black
    Kind kind = Kind::Text;
    TextRole role = TextRole::Other; // texts only
    QPoint from;                     // text, image: top-left corner of the cell
    QPoint to; // text, image, rect: bottom-right corner of the cell (exclusive); line: its end
    int styleIndex = 0; // text: index into fonts(); line: into pens(); image: into images()
    QString text;
};

/**
 * The pages of one composed letter as drawing operations, measured on one
 * target. Composing once and drawing any page from it gives the same pages as
 * composing anew for each page, because composition never depends on which
 * page is drawn; the preview and the printer therefore share one layout.
 */
class PageLayout
{
public:
    /** The number of pages (PageCount); at least 1 once composed. */
    int pageCount() const { return m_pageCount; }
    void setPageCount(int count);

    /** A text whose cell (as measured on the composing canvas) is cell. */
    void addText(int page, const QRect& cell, const QString& text, const CanvasFont& font,
                 TextRole role);
    void addLine(int page, QPoint from, QPoint to, const Pen& pen);
    /** An image drawn scaled into cell. */
    void addImage(int page, const QRect& cell, const QImage& image, TextRole role);
    /** A black rectangle, drawn as such on every target: no image to be scaled. */
    void addRect(int page, const QRect& rect, TextRole role);
    /** A line that every page shows at the same place, like the fold marks. */
    void addEveryPageLine(QPoint from, QPoint to, const Pen& pen);

    /**
     * Draws page pageNo (from 1) on canvas: its images, its other operations,
     * then the lines of every page. A page beyond the last shows only those
     * lines. With a filter, only what it accepts.
     */
    void draw(int pageNo, Canvas& canvas, const RoleFilter& filter = {}) const;

    /** The page's own operations, without the every-page lines; empty beyond the last page. */
    const std::vector<DrawOp>& pageOps(int pageNo) const;
    const std::vector<DrawOp>& everyPageOps() const { return m_everyPage; }
    const std::vector<CanvasFont>& fonts() const { return m_fonts; }
    const std::vector<Pen>& pens() const { return m_pens; }
    const std::vector<QImage>& images() const { return m_images; }

private:
    int fontIndex(const CanvasFont& font);
    int penIndex(const Pen& pen);
    std::vector<DrawOp>& page(int page);
    void drawOp(const DrawOp& op, Canvas& canvas, int& font, int& pen) const;

    int m_pageCount = 0;
    std::vector<std::vector<DrawOp>> m_pages;
    std::vector<DrawOp> m_everyPage;
    std::vector<CanvasFont> m_fonts;
    std::vector<Pen> m_pens;
    std::vector<QImage> m_images;
    int m_lastFont = -1;
};

} // namespace quillory::layout
