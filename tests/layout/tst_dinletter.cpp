// The DIN 5008 forms composed with real fonts at 600 dpi, read back in millimetres on the
// sheet: for a PDF (page = sheet) and for printers whose printable area starts further in.
#include "layout/PrintedPage.h"
#include "LayoutTestSupport.h"

#include <QTest>

#include <algorithm>

using namespace quillory::layout;
using namespace quillory::layout::test;
using namespace Qt::StringLiterals;
using quillory::document::Letter;

Q_DECLARE_METATYPE(quillory::layout::LayoutKind)
Q_DECLARE_METATYPE(quillory::layout::TextRole)
Q_DECLARE_METATYPE(quillory::layout::ViewOptions::DateStyle)

namespace {

const QString kSender = u"Erika Mustermann"_s;
const QString kRecipient = u"Stadtwerke Musterstadt GmbH"_s;
const QString kFooter = u"Musterbank · IBAN DE00 0000 0000 0000 0000 00"_s;
const QString kClosing = u"Mit freundlichen Grüßen"_s;

struct Placed
{
    int page;
    TextRole role;
    QString text;
    QRectF mm; // on the sheet
    int points;
};

} // namespace

class TestDinLetter : public QObject
{
    Q_OBJECT

    static constexpr int kDpi = 600;
    static double toMm(int pixels, int inset) { return (pixels + inset) * 25.4 / kDpi; }
    static bool near(double actual, double expected) { return std::abs(actual - expected) <= 0.5; }
    static const char* form(LayoutKind kind) { return kind == LayoutKind::DinA ? "A" : "B"; }
    static void addKinds(std::initializer_list<std::pair<const char*, LayoutKind>> kinds)
    {
        QTest::addColumn<LayoutKind>("kind");
        for (const auto& [name, kind] : kinds)
            QTest::newRow(name) << kind;
    }
    static QString paragraph(int n)
    {
        return u"Absatz %1 mit etwas Text, der eine Zeile füllt."_s.arg(n);
    }

    /** A4 whose printable area starts inset pixels in from every edge. */
    static PrintedPage printedPage(int inset)
    {
        const QSize sheet(4961, 7016);
        return {sheet - QSize(2 * inset, 2 * inset), kDpi, kDpi, QPoint(inset, inset), sheet};
    }

    static PageLayout composed(LayoutKind kind, const Letter& letter, int inset,
                               const ViewOptions& view = {})
    {
        return composeForPage(kind, letter, view, printedPage(inset));
    }

    static std::vector<Placed> placed(const PageLayout& layout, int inset)
    {
        std::vector<Placed> all;
        for (int page = 1; page <= layout.pageCount(); ++page) {
            for (const DrawOp& op : layout.pageOps(page)) {
                if (op.kind == DrawOp::Kind::Text && !op.text.trimmed().isEmpty())
                    all.push_back(
                        {page, op.role, op.text,
                         QRectF(QPointF(toMm(op.from.x(), inset), toMm(op.from.y(), inset)),
                                QPointF(toMm(op.to.x(), inset), toMm(op.to.y(), inset))),
                         layout.fonts()[size_t(op.styleIndex)].points});
            }
        }
        return all;
    }

    static std::vector<Placed> placed(LayoutKind kind, const Letter& letter, int inset = 0)
    {
        return placed(composed(kind, letter, inset), inset);
    }

    /** The first (or last: the sender's name stands in the letterhead too) with this text. */
    static const Placed* find(const std::vector<Placed>& all, const QString& text,
                              bool last = false)
    {
        const Placed* found = nullptr;
        for (const Placed& p : all)
            found = p.text == text && (last || !found) ? &p : found;
        return found;
    }

    static const Placed* find(const std::vector<Placed>& all, TextRole role) // the last one
    {
        const Placed* found = nullptr;
        for (const Placed& p : all)
            found = p.role == role ? &p : found;
        return found;
    }

    /** Three rows in the information block (one without value), a postal note, two enclosures. */
    static Letter dinLetter(int bodyParagraphs = 3)
    {
        Letter letter = sampleLetter();
        letter.recipientName = kRecipient;
        letter.recipientExtra = u"z. Hd. Kundenservice"_s;
        letter.infoBlock = {{u"Ihr Zeichen"_s, u"ab-12"_s},
                            {u"Ihre Nachricht vom"_s, QString()},
                            {u"Unser Zeichen"_s, u"em"_s},
                            {u"Kundennummer"_s, u"4711"_s}};
        letter.postalNotes = {u"Einschreiben"_s};
        letter.enclosures = {u"Vertrag"_s, u"Zählerstand"_s};
        letter.distribution = {u"Buchhaltung"_s};
        QStringList body;
        for (int i = 1; i <= bodyParagraphs; ++i)
            body << paragraph(i);
        letter.body = body.join(u"\r\n\r\n"_s);
        return letter;
    }

private slots:
    void placesOnTheSheet_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<int>("inset");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextRole>("role");
        QTest::addColumn<QString>("edge");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("points");
        using enum TextRole;
        const QString ret = u"Erika Mustermann · Musterstraße 1 · 12345 Musterstadt"_s;
        const QString note = u"Einschreiben"_s;
        for (const int inset : {0, 100}) {
            for (const LayoutKind kind : {LayoutKind::DinA, LayoutKind::DinB}) {
                const double field = kind == LayoutKind::DinA ? 27 : 45;
                const auto row = [&](const char* what, const QString& text, TextRole role,
                                     const char* edge, double mm, int points = 11) {
                    QTest::addRow("%s %s %s, inset %d", form(kind), what, edge, inset)
                        << kind << inset << text << role << QString::fromUtf8(edge) << mm << points;
                };
                row("return line", ret, ReturnLine, "bottom", field + 5, 8);
                row("return line", ret, ReturnLine, "left", 25, 8);
                row("postal note", note, PostalNote, "bottom", field + 17.7, 8);
                row("postal note", note, PostalNote, "left", 25, 8);
                row("recipient", kRecipient, Recipient, "top", field + 17.7);
                row("recipient", kRecipient, Recipient, "left", 25);
                row("info label", u"Ihr Zeichen"_s, InfoBlock, "left", 125, 8);
                row("info value", u"ab-12"_s, InfoBlock, "top", field + 5);
                row("date label", u"Datum"_s, InfoBlock, "left", 125, 8);
                row("letterhead", kSender, Letterhead, "right", 190, 14);
                row("footer", kFooter, Footer, "bottom", 287, 8);
                row("body", paragraph(1), Body, "left", 25);
            }
        }
    }

    void placesOnTheSheet()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(int, inset);
        QFETCH(QString, text);
        QFETCH(QString, edge);
        QFETCH(double, expected);
        const std::vector<Placed> all = placed(kind, dinLetter(), inset);
        const Placed* p = find(all, text);
        QVERIFY2(p, qPrintable(text));
        QCOMPARE(p->page, 1);
        QTEST(p->role, "role");
        QTEST(p->points, "points");
        QVERIFY(!find(all, u"Ihre Nachricht vom"_s)); // the row without a value is left out
        const double actual = edge == "top"_L1      ? p->mm.top()
                              : edge == "bottom"_L1 ? p->mm.bottom()
                              : edge == "left"_L1   ? p->mm.left()
                                                    : p->mm.right();
        QVERIFY2(near(actual, expected), qPrintable(u"%1 at %2 mm"_s.arg(edge).arg(actual)));
    }

    void returnLineShortenedToTheField()
    {
        Letter letter = dinLetter();
        letter.senderName = u"Erika Mustermann und Söhne Handelsgesellschaft mbH"_s;
        const std::vector<Placed> all = placed(LayoutKind::DinA, letter);
        const Placed* line = find(all, TextRole::ReturnLine);
        QVERIFY(line && line->text.endsWith(QChar(0x2026)));
        QVERIFY(line->text.startsWith(u"Erika Mustermann und"_s));
        QVERIFY(line->mm.width() <= 75 && line->mm.width() > 65);
    }

    void blankLinesBetweenParts_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("blankLines");
        const QString greeting = u"Sehr geehrte Damen und Herren,"_s;
        for (const LayoutKind kind : {LayoutKind::DinA, LayoutKind::DinB}) {
            const auto row = [&](const char* what, const QString& from, const QString& to, int n) {
                QTest::addRow("%s %s", form(kind), what) << kind << from << to << n;
            };
            row("subject to salutation", u"Kündigung"_s, greeting, 2);
            row("salutation to body", greeting, paragraph(1), 1);
            row("paragraphs as typed", paragraph(1), paragraph(2), 1);
            row("body to closing", paragraph(3), kClosing, 1);
            row("room for the signature", kClosing, kSender, 3);
            row("signature to enclosures", kSender, u"Anlagen"_s, 1);
            row("enclosure items", u"Anlagen"_s, u"Vertrag"_s, 0);
            row("enclosures to distribution", u"Zählerstand"_s, u"Verteiler"_s, 1);
        }
    }

    void blankLinesBetweenParts()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(int, blankLines);
        const std::vector<Placed> all = placed(kind, dinLetter());
        const Placed* body = find(all, paragraph(1));
        QFETCH(QString, from);
        QFETCH(QString, to);
        const Placed* upper = find(all, from, true);
        const Placed* lower = find(all, to, true);
        QVERIFY(body && upper && lower);
        QCOMPARE(upper->page, lower->page);
        const double gap = lower->mm.top() - upper->mm.bottom(), line = body->mm.height();
        QVERIFY2(near(gap, blankLines * line), qPrintable(u"gap %1, line %2"_s.arg(gap).arg(line)));
    }

    void marksAndFooterWhereThePrinterReaches_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<int>("inset"); // pixels at 600 dpi on every side
        QTest::addColumn<bool>("marks");
        QTest::addColumn<bool>("footer");
        QTest::addColumn<QList<double>>("marksAt");
        const QList<double> a{87, 148.5, 192}, b{105, 148.5, 210};
        using enum LayoutKind;
        QTest::newRow("A, edge to edge") << DinA << 0 << true << true << a;
        QTest::newRow("A, 3.8 mm") << DinA << 90 << true << true << a;
        QTest::newRow("A, 4.2 mm: the marks start further in") << DinA << 100 << false << true << a;
        QTest::newRow("A, 12.7 mm: the footer too") << DinA << 300 << false << false << a;
        QTest::newRow("B, edge to edge") << DinB << 0 << true << true << b;
        QTest::newRow("B, 4.2 mm") << DinB << 100 << false << true << b;
    }

    void marksAndFooterWhereThePrinterReaches()
    {
        // What the printer cannot reach moves to the nearest printable place: the marks start
        // at the printable area's left edge, the footer ends at its bottom.
        QFETCH(LayoutKind, kind);
        QFETCH(int, inset);
        QFETCH(bool, marks);
        QFETCH(bool, footer);
        QFETCH(QList<double>, marksAt);
        const DinReach reach = dinReach(printedPage(inset));
        QCOMPARE(reach.marks, marks);
        QCOMPARE(reach.footer, footer);
        const PageLayout layout = composed(kind, dinLetter(40), inset);
        QVERIFY(layout.pageCount() > 1);
        QList<double> found;
        for (const DrawOp& op : layout.everyPageOps()) {
            QCOMPARE(op.kind, DrawOp::Kind::Line);
            QCOMPARE(op.from.y(), op.to.y());
            const double y = toMm(op.from.y(), inset), end = toMm(op.to.x(), inset);
            QVERIFY(marks ? near(toMm(op.from.x(), inset), 4) : op.from.x() == 0);
            // The hole mark is longer; a mark ending inside the unprintable edge keeps a stub.
            QVERIFY(op.to.x() > 0 && (toMm(0, inset) > 9 || near(end, near(y, 148.5) ? 12 : 9)));
            found << y;
        }
        std::sort(found.begin(), found.end());
        QCOMPARE(found.size(), marksAt.size());
        for (qsizetype i = 0; i < marksAt.size(); ++i)
            QVERIFY2(near(found[i], marksAt[i]), qPrintable(QString::number(found[i])));
        const std::vector<Placed> all = placed(layout, inset);
        const Placed* foot = find(all, kFooter);
        const Placed* recipient = find(all, kRecipient);
        QVERIFY(foot && recipient);
        const double printableEnd = toMm(printedPage(inset).size.height(), inset);
        QVERIFY(footer ? near(foot->mm.bottom(), 287)
                       : std::abs(foot->mm.bottom() - printableEnd) < 0.1);
        // What the printer reaches keeps its place.
        QVERIFY(near(recipient->mm.top(), (kind == LayoutKind::DinA ? 27 : 45) + 17.7));
    }

    void letterheadImageAndDateStyle_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<int>("inset");
        QTest::addColumn<QSize>("imageSize"); // empty: no letterhead image
        QTest::addColumn<ViewOptions::DateStyle>("style");
        QTest::addColumn<QString>("date");
        QTest::addColumn<double>("imageHeightMm");
        using enum ViewOptions::DateStyle;
        QTest::newRow("A, sender's lines, numeric")
            << LayoutKind::DinA << 0 << QSize() << Numeric << "08.12.2026" << 0.0;
        QTest::newRow("B, image on a printer, ISO")
            << LayoutKind::DinB << 100 << QSize(400, 100) << Iso << "2026-12-08" << 35.0;
        // Wider than the text: narrowed to the text's width, the height follows.
        QTest::newRow("A, very wide image, long") << LayoutKind::DinA << 0 << QSize(2000, 100)
                                                  << Long << "8. Dezember 2026" << 165.0 / 20;
    }

    void letterheadImageAndDateStyle()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(int, inset);
        QFETCH(QSize, imageSize);
        QFETCH(QString, date);
        QFETCH(double, imageHeightMm);
        QFETCH(ViewOptions::DateStyle, style);
        ViewOptions view;
        view.dateStyle = style;
        if (!imageSize.isEmpty()) {
            view.letterheadImage = QImage(imageSize, QImage::Format_RGB32);
            view.letterheadImage.fill(Qt::darkBlue);
        }
        const PageLayout layout = composed(kind, dinLetter(), inset, view);
        const std::vector<Placed> all = placed(layout, inset);
        const Placed* shown = find(all, date);
        QVERIFY2(shown, qPrintable(date));
        QCOMPARE(shown->role, TextRole::Date);
        QCOMPARE(find(all, TextRole::Letterhead) != nullptr, imageSize.isEmpty());
        const double zoneMm = kind == LayoutKind::DinA ? 27 : 45;
        int images = 0;
        for (const DrawOp& op : layout.pageOps(1)) {
            if (op.kind != DrawOp::Kind::Image)
                continue;
            ++images;
            QCOMPARE(op.role, TextRole::Letterhead);
            const double top = toMm(op.from.y(), inset), bottom = toMm(op.to.y(), inset);
            QVERIFY2(near(bottom - top, imageHeightMm), qPrintable(QString::number(bottom - top)));
            QVERIFY(top >= 5 - 0.5 && bottom <= zoneMm - 5 + 0.5);
            QVERIFY(near(toMm(op.to.x(), inset), 190) && toMm(op.from.x(), inset) >= 25 - 0.5);
        }
        QCOMPARE(images, imageSize.isEmpty() ? 0 : 1);
    }

    void continuationPages_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<int>("paragraphs");
        QTest::addColumn<int>("minPages");
        for (const LayoutKind kind : {LayoutKind::DinA, LayoutKind::DinB}) {
            QTest::addRow("%s, one page", form(kind)) << kind << 1 << 1;
            QTest::addRow("%s, three pages and more", form(kind)) << kind << 60 << 3;
        }
    }

    void continuationPages()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(int, paragraphs);
        QFETCH(int, minPages);
        const PageLayout layout = composed(kind, dinLetter(paragraphs), 0);
        const int pages = layout.pageCount();
        QVERIFY(pages >= minPages && (minPages > 1 || pages == 1));
        const std::vector<Placed> all = placed(layout, 0);
        const Placed* footer = find(all, kFooter);
        QVERIFY(footer);
        using enum TextRole;
        for (int page = 1; page <= pages; ++page) {
            QStringList labels;
            double lowestBody = 0, highestBody = 1000;
            for (const Placed& p : all) {
                if (p.page != page)
                    continue;
                if (p.role == PageLabel) {
                    labels << p.text;
                    QVERIFY(p.mm.top() >= 10 && p.mm.bottom() <= 25 && near(p.mm.right(), 190));
                    QCOMPARE(p.points, 8);
                }
                QVERIFY2(page == 1 || (p.role != Letterhead && p.role != Recipient &&
                                       p.role != InfoBlock && p.role != ReturnLine),
                         qPrintable(p.text));
                if (p.role == Body) {
                    lowestBody = std::max(lowestBody, p.mm.bottom());
                    highestBody = std::min(highestBody, p.mm.top());
                }
            }
            // The footer's line ends 10 mm above the edge; the body keeps a line clear of it.
            QVERIFY(lowestBody <= footer->mm.top() - 4);
            QCOMPARE(labels, page == 1 ? QStringList()
                                       : QStringList{u"Seite %1 von %2"_s.arg(page).arg(pages)});
            QVERIFY(page == 1 || (highestBody > 20 && highestBody < 30));
        }
    }

    void keptTogetherWhereverThePageBreaks_data()
    {
        using enum LayoutKind;
        addKinds(
            {{"Form A", DinA}, {"Form B", DinB}, {"Layout 1", Layout1}, {"Layout 2", Layout2}});
    }

    void keptTogetherWhereverThePageBreaks()
    {
        // The body grows a line at a time, so that each heading once falls on a page's last
        // line. A heading stays with its first item; on Form A the closing, the room for the
        // signature and the signature share a page.
        QFETCH(LayoutKind, kind);
        Letter letter = dinLetter(1);
        QStringList lines;
        bool headingOnANewPage = false, closingOnANewPage = false;
        for (int n = 1; n <= 120; ++n) {
            lines << u"Zeile %1"_s.arg(n);
            letter.body = lines.join(u"\r\n"_s);
            const std::vector<Placed> all = placed(kind, letter);
            const auto pageOf = [&](const QString& text) {
                const Placed* p = find(all, text, true);
                return p ? p->page : 0;
            };
            // No page holds nothing but its footer and page label.
            int lastPage = 0;
            for (const Placed& p : all)
                lastPage = std::max(lastPage, p.page);
            for (int page = 1; page <= lastPage; ++page)
                QVERIFY2(std::any_of(all.begin(), all.end(),
                                     [page](const Placed& p) {
                                         return p.page == page && !p.text.trimmed().isEmpty() &&
                                                p.role != TextRole::Footer &&
                                                p.role != TextRole::PageLabel;
                                     }),
                         qPrintable(u"page %1 of %2 lines"_s.arg(page).arg(n)));
            const int anlagen = pageOf(u"Anlagen"_s), verteiler = pageOf(u"Verteiler"_s);
            QVERIFY(anlagen > 0 && verteiler > 0);
            QVERIFY2(anlagen == pageOf(u"Vertrag"_s), qPrintable(QString::number(n)));
            QVERIFY2(verteiler == pageOf(u"Buchhaltung"_s), qPrintable(QString::number(n)));
            headingOnANewPage = headingOnANewPage || anlagen > pageOf(kSender) ||
                                verteiler > pageOf(u"Zählerstand"_s);
            if (kind != LayoutKind::DinA)
                continue;
            const Placed* closing = find(all, kClosing);
            const Placed* signature = find(all, TextRole::Signature);
            QVERIFY(closing && signature);
            QCOMPARE(closing->page, signature->page);
            closingOnANewPage = closingOnANewPage || closing->page > 1;
        }
        QVERIFY(headingOnANewPage);
        QCOMPARE(closingOnANewPage, kind == LayoutKind::DinA);
    }

    void oldLayoutsAddEnclosuresAfterTheSignature_data()
    {
        addKinds({{"Layout 1", LayoutKind::Layout1}, {"Layout 2", LayoutKind::Layout2}});
    }

    void oldLayoutsAddEnclosuresAfterTheSignature()
    {
        QFETCH(LayoutKind, kind);
        const Letter plain = sampleLetter();
        Letter withLists = plain;
        withLists.enclosures = {u"Vertrag"_s};
        withLists.distribution = {u"Buchhaltung"_s, u"Archiv"_s};
        // Nothing else of the new fields is printed by these layouts.
        withLists.infoBlock = {{u"Ihr Zeichen"_s, u"ab-12"_s}};
        withLists.postalNotes = {u"Einschreiben"_s};
        const Drawn before = drawPage(kind, plain);
        const Drawn after = drawPage(kind, withLists);
        QStringList added = after.ops, texts;
        for (const QString& op : before.ops) {
            if (!after.ops.contains(op)) // everything printed before stays where it was
                QFAIL(qPrintable(op));
            added.removeOne(op);
        }
        for (const QString& op : added)
            texts << op.section(' '_L1, 3);
        QCOMPARE(texts, (QStringList{u"Anlage"_s, u"Vertrag"_s, u"Verteiler"_s, u"Buchhaltung"_s,
                                     u"Archiv"_s}));
        QVERIFY(added[0].contains(u" 11b "_s) && added[2].contains(u" 11b "_s));
        // One blank line (22 px on the recording canvas) after the signature, the last of the
        // sender's names on the page.
        int signatureY = -1;
        for (const RecordingCanvas::Op& op : after.raw)
            signatureY = op.kind == DrawOp::Kind::Text && op.text == plain.senderName ? op.from.y()
                                                                                      : signatureY;
        QCOMPARE(added[0].section(' '_L1, 1, 1).section(','_L1, 1).toInt() - signatureY, 2 * 22);
    }
};

QTEST_MAIN(TestDinLetter)

#include "tst_dinletter.moc"
