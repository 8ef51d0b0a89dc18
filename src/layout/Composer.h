#pragma once

#include "Canvas.h"
#include "document/Letter.h"
#include "LineBreaker.h"
#include "PageLayout.h"

#include <QImage>

namespace quillory::layout {

/** What shapes the pages besides the letter: per-user view choices the letter file does not keep.
 */
struct ViewOptions
{
    bool blankBeforeRecipientCity = false; // Leer2Check
    bool signatureIsSenderName = true;     // RadioButton1; false: RadioButton2, the signature text
    /** A scanned signature drawn in place of the dotted line; none: the dotted line. */
    QImage signatureImage = QImage();
    int signatureHeightMm = kSignatureHeightMm;

    /** How a DIN letter's information block writes the date. */
    enum class DateStyle { Numeric, Iso, Long }; // "08.12.2026", "2026-12-08", "8. Dezember 2026"
    /** A DIN letter's letterhead, right-aligned in its zone; none: the sender's lines there. */
    QImage letterheadImage = QImage();
    DateStyle dateStyle = DateStyle::Numeric;
    /**
     * Paper with a printed letterhead: a printer leaves a DIN letter's
     * letterhead zone and footer empty; a PDF and the preview still show them.
     */
    bool preprintedStationery = false;

    /** The signature image's height: 15 mm unless the user sets another in this range. */
    static constexpr int kSignatureHeightMm = 15;
    static constexpr int kMinSignatureHeightMm = 8;
    static constexpr int kMaxSignatureHeightMm = 40;
};

/** The target page: its size in pixels, its resolution and the font scale. */
struct PageGeometry
{
    PageGeometry() = default;
    PageGeometry(int width, int height, double dotsPerInch, double scale, QPoint origin = QPoint(),
                 QSize sheetSize = QSize())
        : pageWidth(width), pageHeight(height), dpi(dotsPerInch), fontScale(scale),
          sheetOrigin(origin), sheet(sheetSize)
    {}

    int pageWidth = 0;
    int pageHeight = 0;
    double dpi = 96;      // for every millimetre distance, across and down
    double fontScale = 1; // factor on every font's point size
    /**
     * Where the page lies on the sheet, in the page's pixels: the printable
     * area's top-left corner and the whole sheet. The DIN layouts measure
     * from the sheet's edges, so that the address lands in the window on
     * any printer; an empty sheet means the page is the whole sheet.
     */
    QPoint sheetOrigin;
    QSize sheet;
};

/** "Layout 1" (drawpage), "Layout 2" (drawpage2), or a DIN 5008 letter in Form A or Form B. */
enum class LayoutKind { Layout1, Layout2, DinA, DinB };

inline bool isDin(LayoutKind kind)
{
    return kind == LayoutKind::DinA || kind == LayoutKind::DinB;
}

/**
 * Lays out a whole letter, page after page, measuring on a canvas without
 * drawing on it. The canvas's font and pen are left as the composition last
 * set them. Layout 1 and Layout 2 share everything but their heads and the
 * place of the footer; the DIN forms share the body and the lists after the
 * signature with them, and place everything else from the sheet's edges.
 */
class Composer
{
public:
    Composer(const document::Letter& letter, const ViewOptions& view, const PageGeometry& geometry,
             Canvas& canvas);

    PageLayout compose(LayoutKind kind);

private:
    void setUp();
    void headLayout1();
    void headLayout2();
    void sender();
    void senderAndContacts();
    void recipient();
    void pageFrame();
    void body();
    void closing();
    /** "Anlage"/"Anlagen" and "Verteiler" with their items, after the signature. */
    void enclosuresAndDistribution();
    /** Notes where the closing formula's line begins; called just before it is written. */
    void markClosing();
    /**
     * The payment code and its caption at the right margin, level with the
     * closing formula when that place is free and above the body's limit,
     * else at the top of a page of their own after the last.
     */
    void paymentCode();

    // The DIN 5008 layouts, measured from the sheet's edges.
    void setUpDin();
    void headDin();
    void letterheadDin();
    void addressFieldDin();
    /** Returns the bottom of the information block. */
    int infoBlockDin();
    void pageFrameDin();
    void closingDin();
    void pageLabelsDin();
    /** Sheet millimetres as page pixels, across and down. */
    int sheetX(double mm) const { return millimetres(mm) - m_geometry.sheetOrigin.x(); }
    int sheetY(double mm) const { return millimetres(mm) - m_geometry.sheetOrigin.y(); }
    /** A DIN layout's fixed size in points, scaled as the letter font is. */
    int scaledPoints(int points) const;
    /** Blank lines that never begin a page: at a page's top they are left out. */
    void skipLines(int count);
    /** text cut short with an ellipsis to fit width in the current font. */
    QString elided(const QString& text, int width);
    void writeTextAt(int x, int y, const QString& text, TextRole role);

    void applyFont(const document::LetterFont& font);
    void setSize(int points);
    int size() const { return m_canvas.fontSize(); }
    int millimetres(double mm) const;

    /** width: the text's width when the caller has measured it already; -1 measures. */
    void writeAt(int x, const QString& text, int width = -1);
    /** Moves down by a line of height; past the body limit, the page is full. */
    void advance(int height);
    /**
     * Begins the next page if the current one is full. Called just before
     * something is put on the page, so a letter whose last line fills a page
     * ends on that page rather than on a blank one.
     */
    void startNextPageIfFull();
    void writeLeft(const QString& text);
    void writeRight(const QString& text);
    void writeCentred(const QString& text);
    void writeRightColumn(const QString& text);
    void blankLines(int count);
    void drawLine(QPoint from, QPoint to);

    QString dateLine() const;
    /** The shortest row of full stops at least as wide as the signature, in the current font. */
    QString dottedLine(const QString& signature);

    const document::Letter& m_letter;
    ViewOptions m_view;
    PageGeometry m_geometry;
    Canvas& m_canvas;
    LineBreaker m_breaker;
    PageLayout m_layout;
    LayoutKind m_kind = LayoutKind::Layout1;
    Pen m_pen;
    int m_page = 1;
    bool m_pageFull = false; // the next line written begins a new page
    int m_margin = 0;
    int m_textLeft = 0;  // where body lines start
    int m_textRight = 0; // where they must end
    int m_pageTop = 0;   // where a continued page's text starts
    int m_y = 0;
    int m_footerTop = 0;
    int m_bodyLimit = 0;
    TextRole m_role = TextRole::Other;
    int m_closingPage = 1;
    int m_closingTop = 0;
};

} // namespace quillory::layout
