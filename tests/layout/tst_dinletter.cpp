// The DIN 5008 forms composed with real fonts at 600 dpi, their places read
// back from the display list in millimetres on the sheet: once for a page
// that is the whole sheet (a PDF) and once for a printer whose printable
// area starts 4.23 mm in from the paper's edges.
#include "layout/PrintedPage.h"
#include "LayoutTestSupport.h"

#include <QTest>

#include <algorithm>

using namespace quillory::layout;
using namespace quillory::layout::test;
using quillory::document::Letter;

Q_DECLARE_METATYPE(quillory::layout::LayoutKind)
Q_DECLARE_METATYPE(quillory::layout::TextRole)
Q_DECLARE_METATYPE(quillory::layout::ViewOptions::DateStyle)

namespace {

constexpr int kDpi = 600;
const QSize kSheet(4961, 7016);

/** A printed page on A4 whose printable area starts inset pixels in from every edge. */
PrintedPage printedPage(int inset)
{
    return {QSize(kSheet.width() - 2 * inset, kSheet.height() - 2 * inset), kDpi, kDpi,
            QPoint(inset, inset), kSheet};
}

double toMm(int pixels, int inset)
{
    return (pixels + inset) * 25.4 / kDpi;
}

struct Placed
{
    int page;
    TextRole role;
    QString text;
    QRectF mm; // on the sheet
    int points;
    bool bold;
};

std::vector<Placed> placed(const PageLayout& layout, int inset)
{
    std::vector<Placed> all;
    for (int page = 1; page <= layout.pageCount(); ++page) {
        for (const DrawOp& op : layout.pageOps(page)) {
            if (op.kind != DrawOp::Kind::Text || op.text.trimmed().isEmpty())
                continue;
            const CanvasFont& font = layout.fonts()[size_t(op.styleIndex)];
            all.push_back({page, op.role, op.text,
                           QRectF(QPointF(toMm(op.from.x(), inset), toMm(op.from.y(), inset)),
                                  QPointF(toMm(op.to.x(), inset), toMm(op.to.y(), inset))),
                           font.points, font.hasStyle(quillory::document::Bold)});
        }
    }
    return all;
}

const Placed* findText(const std::vector<Placed>& all, const QString& text)
{
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const Placed& p) { return p.text == text; });
    return found == all.end() ? nullptr : &*found;
}

/** Three rows in the information block (one without value), a postal note, two enclosures. */
Letter dinLetter(int bodyParagraphs = 3)
{
    Letter letter = sampleLetter();
    letter.recipientName = QStringLiteral("Stadtwerke Musterstadt GmbH");
    letter.recipientExtra = QStringLiteral("z. Hd. Kundenservice");
    letter.infoBlock = {{QStringLiteral("Ihr Zeichen"), QStringLiteral("ab-12")},
                        {QStringLiteral("Ihre Nachricht vom"), QString()},
                        {QStringLiteral("Unser Zeichen"), QStringLiteral("em")},
                        {QStringLiteral("Kundennummer"), QStringLiteral("4711")}};
    letter.postalNotes = {QStringLiteral("Einschreiben")};
    letter.enclosures = {QStringLiteral("Vertrag"), QStringLiteral("Zählerstand")};
    letter.distribution = {QStringLiteral("Buchhaltung")};
    QStringList body;
    for (int i = 0; i < bodyParagraphs; ++i)
        body << QStringLiteral("Absatz %1 mit etwas Text, der eine Zeile füllt.").arg(i + 1)
             << QString();
    body.removeLast();
    letter.body = body.join(QStringLiteral("\r\n"));
    return letter;
}

PageLayout composed(LayoutKind kind, const Letter& letter, int inset,
                    const ViewOptions& view = ViewOptions())
{
    return composeForPage(kind, letter, view, printedPage(inset));
}

} // namespace

class TestDinLetter : public QObject
{
    Q_OBJECT

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
        const QString returnLine =
            QStringLiteral("Erika Mustermann · Musterstraße 1 · 12345 Musterstadt");
        for (const int inset : {0, 100}) {
            for (const LayoutKind kind : {LayoutKind::DinA, LayoutKind::DinB}) {
                const double field = kind == LayoutKind::DinA ? 27 : 45;
                const auto row = [&](const char* what, const auto& text, TextRole role,
                                     const char* edge, double mm, int points = 11) {
                    QTest::addRow("%s %s %s, inset %d", kind == LayoutKind::DinA ? "A" : "B", what,
                                  edge, inset)
                        << kind << inset << QString(text) << role << QString::fromUtf8(edge) << mm
                        << points;
                };
                row("return line", returnLine, TextRole::ReturnLine, "bottom", field + 5, 8);
                row("return line", returnLine, TextRole::ReturnLine, "left", 25, 8);
                row("postal note", QStringLiteral("Einschreiben"), TextRole::PostalNote, "bottom",
                    field + 17.7, 8);
                row("postal note", QStringLiteral("Einschreiben"), TextRole::PostalNote, "left", 25,
                    8);
                row("recipient", QStringLiteral("Stadtwerke Musterstadt GmbH"), TextRole::Recipient,
                    "top", field + 17.7);
                row("recipient", QStringLiteral("Stadtwerke Musterstadt GmbH"), TextRole::Recipient,
                    "left", 25);
                row("info label", QStringLiteral("Ihr Zeichen"), TextRole::InfoBlock, "left", 125,
                    8);
                row("info value", QStringLiteral("ab-12"), TextRole::InfoBlock, "top", field + 5);
                row("date label", QStringLiteral("Datum"), TextRole::InfoBlock, "left", 125, 8);
                row("letterhead", QStringLiteral("Erika Mustermann"), TextRole::Letterhead, "right",
                    190, 14);
                row("footer", QStringLiteral("Musterbank · IBAN DE00 0000 0000 0000 0000 00"),
                    TextRole::Footer, "bottom", 287, 8);
                row("body", QStringLiteral("Absatz 1 mit etwas Text, der eine Zeile füllt."),
                    TextRole::Body, "left", 25);
            }
        }
    }

    void placesOnTheSheet()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(int, inset);
        QFETCH(QString, text);
        QFETCH(TextRole, role);
        QFETCH(QString, edge);
        QFETCH(double, expected);
        QFETCH(int, points);
        const std::vector<Placed> all = placed(composed(kind, dinLetter(), inset), inset);
        const Placed* p = findText(all, text);
        QVERIFY2(p, qPrintable(text));
        QCOMPARE(p->page, 1);
        QCOMPARE(p->role, role);
        QCOMPARE(p->points, points);
        // The row without a value is left out.
        QVERIFY(!findText(all, QStringLiteral("Ihre Nachricht vom")));
        const double actual = edge == QLatin1String("top")      ? p->mm.top()
                              : edge == QLatin1String("bottom") ? p->mm.bottom()
                              : edge == QLatin1String("left")   ? p->mm.left()
                                                                : p->mm.right();
        QVERIFY2(std::abs(actual - expected) <= 0.5,
                 qPrintable(QStringLiteral("%1 at %2 mm").arg(edge).arg(actual)));
    }

    void returnLineShortenedToTheField()
    {
        Letter letter = dinLetter();
        letter.senderName = QStringLiteral("Erika Mustermann und Söhne Handelsgesellschaft mbH");
        const std::vector<Placed> all = placed(composed(LayoutKind::DinA, letter, 0), 0);
        const auto line = std::find_if(
            all.begin(), all.end(), [](const Placed& p) { return p.role == TextRole::ReturnLine; });
        QVERIFY(line != all.end());
        QVERIFY(line->text.endsWith(QChar(0x2026)));
        QVERIFY(line->text.startsWith(QStringLiteral("Erika Mustermann und")));
        QVERIFY(line->mm.width() <= 75);
        QVERIFY(line->mm.width() > 65);
    }

    void blankLinesBetweenParts_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("blankLines");
        for (const LayoutKind kind : {LayoutKind::DinA, LayoutKind::DinB}) {
            const char* form = kind == LayoutKind::DinA ? "A" : "B";
            QTest::addRow("%s subject to salutation", form)
                << kind << QStringLiteral("Kündigung")
                << QStringLiteral("Sehr geehrte Damen und Herren,") << 2;
            QTest::addRow("%s salutation to body", form)
                << kind << QStringLiteral("Sehr geehrte Damen und Herren,")
                << QStringLiteral("Absatz 1 mit etwas Text, der eine Zeile füllt.") << 1;
            QTest::addRow("%s paragraphs as typed", form)
                << kind << QStringLiteral("Absatz 1 mit etwas Text, der eine Zeile füllt.")
                << QStringLiteral("Absatz 2 mit etwas Text, der eine Zeile füllt.") << 1;
            QTest::addRow("%s body to closing", form)
                << kind << QStringLiteral("Absatz 3 mit etwas Text, der eine Zeile füllt.")
                << QStringLiteral("Mit freundlichen Grüßen") << 1;
            QTest::addRow("%s room for the signature", form)
                << kind << QStringLiteral("Mit freundlichen Grüßen")
                << QStringLiteral("Erika Mustermann") << 3;
            QTest::addRow("%s signature to enclosures", form)
                << kind << QStringLiteral("Erika Mustermann") << QStringLiteral("Anlagen") << 1;
            QTest::addRow("%s enclosure items", form)
                << kind << QStringLiteral("Anlagen") << QStringLiteral("Vertrag") << 0;
            QTest::addRow("%s enclosures to distribution", form)
                << kind << QStringLiteral("Zählerstand") << QStringLiteral("Verteiler") << 1;
        }
    }

    void blankLinesBetweenParts()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, blankLines);
        const std::vector<Placed> all = placed(composed(kind, dinLetter(), 0), 0);
        const Placed* body = findText(all, QStringLiteral("Absatz 1 mit etwas Text, der eine "
                                                          "Zeile füllt."));
        QVERIFY(body);
        const double line = body->mm.height();
        // The sender's name stands in the letterhead too: take the last one.
        const auto last = [&](const QString& text) -> const Placed* {
            const Placed* found = nullptr;
            for (const Placed& p : all) {
                if (p.text == text)
                    found = &p;
            }
            return found;
        };
        const Placed* upper = last(from);
        const Placed* lower = last(to);
        QVERIFY(upper && lower);
        QCOMPARE(upper->page, lower->page);
        const double gap = lower->mm.top() - upper->mm.bottom();
        QVERIFY2(std::abs(gap - blankLines * line) <= 0.5,
                 qPrintable(QStringLiteral("gap %1 mm, line %2 mm").arg(gap).arg(line)));
    }

    void foldAndHoleMarks_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<int>("inset");
        QTest::addColumn<QList<double>>("marks");
        QTest::newRow("A") << LayoutKind::DinA << 0 << QList<double>{87, 148.5, 192};
        QTest::newRow("B") << LayoutKind::DinB << 0 << QList<double>{105, 148.5, 210};
        QTest::newRow("B, printer inset")
            << LayoutKind::DinB << 100 << QList<double>{105, 148.5, 210};
    }

    void foldAndHoleMarks()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(int, inset);
        QFETCH(QList<double>, marks);
        const PageLayout layout = composed(kind, dinLetter(40), inset);
        QVERIFY(layout.pageCount() > 1);
        QList<double> found;
        for (const DrawOp& op : layout.everyPageOps()) {
            QCOMPARE(op.kind, DrawOp::Kind::Line);
            QCOMPARE(op.from.y(), op.to.y());
            const double y = toMm(op.from.y(), inset);
            const double left = toMm(op.from.x(), inset);
            const double right = toMm(op.to.x(), inset);
            QVERIFY(std::abs(left - 4) <= 0.5);
            const double end = std::abs(y - 148.5) < 0.5 ? 12 : 9; // the hole mark is longer
            QVERIFY(std::abs(right - end) <= 0.5);
            found << y;
        }
        std::sort(found.begin(), found.end());
        QCOMPARE(found.size(), marks.size());
        for (qsizetype i = 0; i < marks.size(); ++i)
            QVERIFY2(std::abs(found[i] - marks[i]) <= 0.5, qPrintable(QString::number(found[i])));
    }

    void whatAPrinterReaches_data()
    {
        QTest::addColumn<int>("inset"); // pixels at 600 dpi on every side
        QTest::addColumn<bool>("marks");
        QTest::addColumn<bool>("footer");
        QTest::newRow("edge to edge") << 0 << true << true;
        QTest::newRow("3.8 mm") << 90 << true << true;
        QTest::newRow("4.2 mm: the marks start further in") << 100 << false << true;
        QTest::newRow("12.7 mm: the footer too") << 300 << false << false;
    }

    void whatAPrinterReaches()
    {
        QFETCH(int, inset);
        QFETCH(bool, marks);
        QFETCH(bool, footer);
        const DinReach reach = dinReach(printedPage(inset));
        QCOMPARE(reach.marks, marks);
        QCOMPARE(reach.footer, footer);
    }

    void unreachablePlacesMoveToTheNearestPrintableOne()
    {
        // A printer that cannot print within 12.7 mm of the edges: the marks
        // start at the printable area's left edge, the footer ends at its bottom.
        const int inset = 300;
        const PrintedPage page = printedPage(inset);
        const PageLayout layout = composeForPage(LayoutKind::DinA, dinLetter(), {}, page);
        QCOMPARE(layout.everyPageOps().size(), size_t(3));
        for (const DrawOp& op : layout.everyPageOps()) {
            QCOMPARE(op.from.x(), 0);
            QVERIFY(op.to.x() > 0);
        }
        const std::vector<Placed> all = placed(layout, inset);
        const Placed* footer =
            findText(all, QStringLiteral("Musterbank · IBAN DE00 0000 0000 0000 0000 00"));
        QVERIFY(footer);
        QVERIFY(std::abs(footer->mm.bottom() - toMm(page.size.height(), inset)) < 0.1);
        // What the printer reaches stays on the sheet's places.
        const Placed* recipient = findText(all, QStringLiteral("Stadtwerke Musterstadt GmbH"));
        QVERIFY(recipient);
        QVERIFY(std::abs(recipient->mm.top() - 44.7) <= 0.5);
    }

    void letterheadImageAndDateStyle_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<int>("inset");
        QTest::addColumn<QSize>("imageSize"); // empty: no letterhead image
        QTest::addColumn<ViewOptions::DateStyle>("style");
        QTest::addColumn<QString>("date");
        QTest::addColumn<double>("imageHeightMm");
        using Style = ViewOptions::DateStyle;
        QTest::newRow("A, sender's lines, numeric")
            << LayoutKind::DinA << 0 << QSize() << Style::Numeric << "08.12.2026" << 0.0;
        QTest::newRow("B, image on a printer, ISO")
            << LayoutKind::DinB << 100 << QSize(400, 100) << Style::Iso << "2026-12-08" << 35.0;
        // Wider than the text: narrowed to the text's width, the height follows.
        QTest::newRow("A, very wide image, long")
            << LayoutKind::DinA << 0 << QSize(2000, 100) << Style::Long << "8. Dezember 2026"
            << 165.0 / 20;
    }

    void letterheadImageAndDateStyle()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(int, inset);
        QFETCH(QSize, imageSize);
        QFETCH(ViewOptions::DateStyle, style);
        QFETCH(QString, date);
        QFETCH(double, imageHeightMm);
        ViewOptions view;
        view.dateStyle = style;
        if (!imageSize.isEmpty()) {
            view.letterheadImage = QImage(imageSize, QImage::Format_RGB32);
            view.letterheadImage.fill(Qt::darkBlue);
        }
        const PageLayout layout = composed(kind, dinLetter(), inset, view);
        const std::vector<Placed> all = placed(layout, inset);
        const Placed* shown = findText(all, date);
        QVERIFY2(shown, qPrintable(date));
        QCOMPARE(shown->role, TextRole::Date);
        const bool senderLines = std::any_of(
            all.begin(), all.end(), [](const Placed& p) { return p.role == TextRole::Letterhead; });
        QCOMPARE(senderLines, imageSize.isEmpty());

        const double zoneMm = kind == LayoutKind::DinA ? 27 : 45;
        int images = 0;
        for (const DrawOp& op : layout.pageOps(1)) {
            if (op.kind != DrawOp::Kind::Image)
                continue;
            ++images;
            QCOMPARE(op.role, TextRole::Letterhead);
            const double top = toMm(op.from.y(), inset);
            const double bottom = toMm(op.to.y(), inset);
            QVERIFY2(std::abs(bottom - top - imageHeightMm) <= 0.5,
                     qPrintable(QStringLiteral("%1 mm high").arg(bottom - top)));
            QVERIFY(top >= 5 - 0.5 && bottom <= zoneMm - 5 + 0.5);
            QVERIFY(std::abs(toMm(op.to.x(), inset) - 190) <= 0.5);
            QVERIFY(toMm(op.from.x(), inset) >= 25 - 0.5);
        }
        QCOMPARE(images, imageSize.isEmpty() ? 0 : 1);
    }

    void continuationPages_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::addColumn<int>("paragraphs");
        QTest::addColumn<int>("minPages");
        QTest::newRow("A, one page") << LayoutKind::DinA << 1 << 1;
        QTest::newRow("B, one page") << LayoutKind::DinB << 1 << 1;
        QTest::newRow("A, three pages and more") << LayoutKind::DinA << 60 << 3;
        QTest::newRow("B, three pages and more") << LayoutKind::DinB << 60 << 3;
    }

    void continuationPages()
    {
        QFETCH(LayoutKind, kind);
        QFETCH(int, paragraphs);
        QFETCH(int, minPages);
        const PageLayout layout = composed(kind, dinLetter(paragraphs), 0);
        const int pages = layout.pageCount();
        QVERIFY(pages >= minPages);
        QVERIFY(minPages > 1 || pages == 1);
        const std::vector<Placed> all = placed(layout, 0);
        for (int page = 1; page <= pages; ++page) {
            QStringList labels;
            double lowestBody = 0;
            double highestBody = 1000;
            for (const Placed& p : all) {
                if (p.page != page)
                    continue;
                if (p.role == TextRole::PageLabel) {
                    labels << p.text;
                    QVERIFY(p.mm.top() >= 10 && p.mm.bottom() <= 25);
                    QVERIFY(std::abs(p.mm.right() - 190) <= 0.5);
                    QCOMPARE(p.points, 8);
                }
                if (page > 1) {
                    QVERIFY2(p.role != TextRole::Letterhead && p.role != TextRole::Recipient &&
                                 p.role != TextRole::InfoBlock && p.role != TextRole::ReturnLine,
                             qPrintable(p.text));
                }
                if (p.role == TextRole::Body) {
                    lowestBody = std::max(lowestBody, p.mm.bottom());
                    highestBody = std::min(highestBody, p.mm.top());
                }
            }
            // The footer's line ends 10 mm above the edge; the body keeps a line clear of it.
            const Placed* footer = findText(all, QStringLiteral("Musterbank · IBAN DE00 0000 "
                                                                "0000 0000 0000 00"));
            QVERIFY(lowestBody <= footer->mm.top() - 4);
            if (page == 1) {
                QVERIFY(labels.isEmpty());
                continue;
            }
            QCOMPARE(labels, QStringList{QStringLiteral("Seite %1 von %2").arg(page).arg(pages)});
            QVERIFY(highestBody > 20);
            QVERIFY(highestBody < 30);
        }
    }

    void oneMorePageKeepsTheClosingTogether()
    {
        // Grow the body a line at a time: wherever the page breaks, the
        // closing, the room for the signature and the signature share a page.
        int breaks = 0;
        Letter letter = dinLetter(1);
        for (int lines = 1; lines <= 70; ++lines) {
            letter.body += QStringLiteral("\r\nNoch eine Zeile");
            const std::vector<Placed> all = placed(composed(LayoutKind::DinA, letter, 0), 0);
            const Placed* closing = findText(all, QStringLiteral("Mit freundlichen Grüßen"));
            const Placed* signature = nullptr;
            for (const Placed& p : all) {
                if (p.role == TextRole::Signature)
                    signature = &p;
            }
            QVERIFY(closing && signature);
            QCOMPARE(closing->page, signature->page);
            if (closing->page > 1)
                ++breaks;
        }
        QVERIFY(breaks > 0);
    }

    void headingsStayWithTheirFirstItem_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::newRow("Form A") << LayoutKind::DinA;
        QTest::newRow("Form B") << LayoutKind::DinB;
        QTest::newRow("Layout 1") << LayoutKind::Layout1;
        QTest::newRow("Layout 2") << LayoutKind::Layout2;
    }

    void headingsStayWithTheirFirstItem()
    {
        // The body grows a line at a time, so that each heading once falls
        // on a page's last line.
        QFETCH(LayoutKind, kind);
        Letter letter = dinLetter(1);
        QStringList lines;
        bool headingOnANewPage = false;
        for (int n = 1; n <= 120; ++n) {
            lines << QStringLiteral("Zeile %1").arg(n);
            letter.body = lines.join(QStringLiteral("\r\n"));
            const std::vector<Placed> all = placed(composed(kind, letter, 0), 0);
            const auto pageOf = [&](const QString& text) {
                const auto found = std::find_if(all.rbegin(), all.rend(),
                                                [&](const Placed& p) { return p.text == text; });
                return found == all.rend() ? 0 : found->page;
            };
            const int anlagen = pageOf(QStringLiteral("Anlagen"));
            const int verteiler = pageOf(QStringLiteral("Verteiler"));
            QVERIFY(anlagen > 0 && verteiler > 0);
            QVERIFY2(anlagen == pageOf(QStringLiteral("Vertrag")), qPrintable(QString::number(n)));
            QVERIFY2(verteiler == pageOf(QStringLiteral("Buchhaltung")),
                     qPrintable(QString::number(n)));
            const int signature = pageOf(QStringLiteral("Erika Mustermann"));
            headingOnANewPage = headingOnANewPage || anlagen > signature ||
                                verteiler > pageOf(QStringLiteral("Zählerstand"));
        }
        QVERIFY(headingOnANewPage);
    }

    void oldLayoutsAddEnclosuresAfterTheSignature_data()
    {
        QTest::addColumn<LayoutKind>("kind");
        QTest::newRow("Layout 1") << LayoutKind::Layout1;
        QTest::newRow("Layout 2") << LayoutKind::Layout2;
    }

    void oldLayoutsAddEnclosuresAfterTheSignature()
    {
        QFETCH(LayoutKind, kind);
        Letter plain = sampleLetter();
        Letter withLists = plain;
        withLists.enclosures = {QStringLiteral("Vertrag")};
        withLists.distribution = {QStringLiteral("Buchhaltung"), QStringLiteral("Archiv")};
        // Nothing else of the new fields is printed by these layouts.
        withLists.infoBlock = {{QStringLiteral("Ihr Zeichen"), QStringLiteral("ab-12")}};
        withLists.postalNotes = {QStringLiteral("Einschreiben")};
        const Drawn before = drawPage(kind, plain);
        const Drawn after = drawPage(kind, withLists);
        QVERIFY(after.ops.size() > before.ops.size());
        // Everything printed before stays where it was.
        for (qsizetype i = 0; i < before.ops.size(); ++i) {
            if (!after.ops.contains(before.ops[i]))
                QFAIL(qPrintable(before.ops[i]));
        }
        QStringList added = after.ops;
        for (const QString& op : before.ops)
            added.removeOne(op);
        const QStringList texts = [&] {
            QStringList t;
            for (const QString& op : added)
                t << op.section(QLatin1Char(' '), 3);
            return t;
        }();
        QCOMPARE(texts, (QStringList{QStringLiteral("Anlage"), QStringLiteral("Vertrag"),
                                     QStringLiteral("Verteiler"), QStringLiteral("Buchhaltung"),
                                     QStringLiteral("Archiv")}));
        QVERIFY(added.first().contains(QStringLiteral(" 11b ")));
        QVERIFY(added[2].contains(QStringLiteral(" 11b ")));
        // One blank line (22 px on the recording canvas) after the signature.
        // The signature is the last of the sender's names on the page.
        int signatureY = -1;
        for (const RecordingCanvas::Op& op : after.raw) {
            if (op.kind == DrawOp::Kind::Text && op.text == plain.senderName)
                signatureY = op.from.y();
        }
        const int anlageY =
            added.first().section(QLatin1Char(' '), 1, 1).section(QLatin1Char(','), 1).toInt();
        QCOMPARE(anlageY - signatureY, 2 * 22);
    }
};

QTEST_MAIN(TestDinLetter)

#include "tst_dinletter.moc"
