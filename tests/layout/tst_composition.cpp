// Edge cases of page composition on the recording canvas (a character is as
// wide as its point size, a line twice as high). A4 at 96 pixels per inch,
// margin 75 px, letter font 11 pt unless a case says otherwise.
#include "LayoutTestSupport.h"

#include <QRegularExpression>
#include <QTest>

using namespace quillory::layout;
using namespace quillory::layout::test;
using quillory::document::Letter;

namespace {

/** Texts drawn between the salutation's blank line and the closing block. */
QStringList bodyTexts(const Drawn& drawn, const Letter& letter)
{
    QStringList texts;
    bool inBody = false;
    for (const auto& op : drawn.raw) {
        if (op.kind != DrawOp::Kind::Text)
            continue;
        if (op.text == letter.closing)
            break;
        if (inBody && !op.text.startsWith(QStringLiteral("- ")) && op.text != letter.footer)
            texts << op.text;
        if (op.text.startsWith(QStringLiteral("- 1 -")))
            inBody = true;
    }
    if (!texts.isEmpty())
        texts.removeLast(); // the blank line that opens the closing block
    return texts;
}

Letter numberedBody(int lines)
{
    Letter letter = sampleLetter();
    QStringList body;
    for (int i = 1; i <= lines; ++i)
        body << QStringLiteral("Zeile %1").arg(i);
    letter.body = body.join(QStringLiteral("\r\n"));
    return letter;
}

} // namespace

class TestComposition : public QObject
{
    Q_OBJECT

private slots:
    void fontScale_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("cellHeight"); // set instead of points when not 0
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("expected");
        QTest::newRow("11 pt unscaled") << 11 << 0 << 1.0 << 11;
        QTest::newRow("11 pt at half size is 5") << 11 << 0 << 0.5 << 5;
        QTest::newRow("11 pt at 1.5 is 16") << 11 << 0 << 1.5 << 16;
        QTest::newRow("1 pt at half size is set at 1") << 1 << 0 << 0.5 << 1;
        QTest::newRow("11 pt at 0.05 is set at 1") << 11 << 0 << 0.05 << 1;
        QTest::newRow("cell height of 16 px is 12 pt") << 0 << 16 << 1.0 << 12;
        QTest::newRow("cell height at 1.5 is 18 pt") << 0 << 16 << 1.5 << 18;
    }

    void fontScale()
    {
        QFETCH(int, points);
        QFETCH(int, cellHeight);
        QFETCH(double, scale);
        QFETCH(int, expected);
        Letter letter = sampleLetter();
        if (cellHeight != 0)
            letter.letterFont.setHeight(cellHeight);
        else
            letter.letterFont.setSize(points);
        const Drawn drawn = drawPage(LayoutKind::Layout1, letter, 1, {}, 96, scale);
        QCOMPARE(drawn.raw.front().text, letter.senderName);
        QCOMPARE(drawn.raw.front().font.points, expected);
    }

    void sizesBelowOnePoint_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("letterPoints");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pointsSet");
        QTest::newRow("one-line sender 3 pt below 2 pt")
            << 1 << 2 << false
            << QStringLiteral(
                   "Erika Mustermann; Ortsteil Musterfeld; Musterstraße 1; 12345 Musterstadt; "
                   "Deutschland")
            << -1;
        QTest::newRow("smaller right-hand lines at 1 pt")
            << 1 << 1 << true << QStringLiteral("Musterstraße 1") << -1;
        QTest::newRow("e-mail line 2 pt below 2 pt")
            << 2 << 2 << false << QStringLiteral("Email: erika@example.org") << 0;
    }

    // The reductions are not clamped: the size is kept as set, drawn at 1 pt
    // (1 px wide characters here), and the later enlargement restores the
    // letter font exactly.
    void sizesBelowOnePoint()
    {
        QFETCH(int, layout);
        QFETCH(int, letterPoints);
        QFETCH(bool, smaller);
        QFETCH(QString, text);
        QFETCH(int, pointsSet);
        Letter letter = sampleLetter();
        letter.letterFont.setSize(letterPoints);
        letter.layout1SmallerSender = smaller;
        const Drawn drawn =
            drawPage(layout == 1 ? LayoutKind::Layout1 : LayoutKind::Layout2, letter);
        const auto reduced = std::find_if(drawn.raw.begin(), drawn.raw.end(),
                                          [&](const auto& op) { return op.text == text; });
        QVERIFY(reduced != drawn.raw.end());
        QCOMPARE(reduced->font.points, pointsSet);
        QCOMPARE(reduced->font.drawnPoints(), 1);
        QCOMPARE(find(drawn, letter.recipientName).section(QLatin1Char(' '), 2, 2),
                 QString::number(letterPoints));
    }

    void resolution_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("penWidth");
        QTest::addColumn<int>("markLength");
        QTest::newRow("96 ppi") << 96.0 << 794 << 1123 << 75 << 0 << 11;
        QTest::newRow("600 ppi") << 600.0 << 4961 << 7016 << 472 << 5 << 70;
    }

    void resolution()
    {
        QFETCH(double, dpi);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, margin);
        QFETCH(int, penWidth);
        QFETCH(int, markLength);
        const Drawn drawn =
            drawPage(LayoutKind::Layout1, sampleLetter(), 1, {}, dpi, 1, width, height);
        QCOMPARE(drawn.raw.front().from, QPoint(margin, margin));
        std::vector<RecordingCanvas::Op> lines;
        std::copy_if(drawn.raw.begin(), drawn.raw.end(), std::back_inserter(lines),
                     [](const auto& op) { return op.kind == DrawOp::Kind::Line; });
        QCOMPARE(int(lines.size()), 4); // underline, footer rule, two fold marks
        for (const auto& line : lines)
            QCOMPARE(line.pen.width, penWidth);
        QCOMPARE(lines[0].from.x(), margin);
        QCOMPARE(lines[1].to.x(), width - margin);
        QCOMPARE(lines[2].to, QPoint(markLength, height / 3));
        QCOMPARE(lines[3].to, QPoint(markLength, 2 * height / 3));
    }

    // Without the underline and the footer rule nothing sets the pen: the fold
    // marks keep the canvas's default of one pixel.
    void foldMarksWithDefaultPen()
    {
        Letter letter = sampleLetter();
        letter.senderOneLine = false;
        letter.footer.clear();
        const Drawn drawn = drawPage(LayoutKind::Layout1, letter, 1, {}, 600, 1, 4961, 7016);
        QCOMPARE(drawn.ops.mid(drawn.ops.size() - 2),
                 (QStringList{QStringLiteral("L 0,2338-70,2338 w1"),
                              QStringLiteral("L 0,4677-70,4677 w1")}));
    }

    void bodyLines_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no lines at all") << QString() << QStringList();
        QTest::newRow("one empty line")
            << QStringLiteral("\r\n") << QStringList{QStringLiteral(" ")};
        QTest::newRow("empty line between")
            << QStringLiteral("a\r\n\r\nb")
            << QStringList{QStringLiteral("a"), QStringLiteral(" "), QStringLiteral("b")};
        QTest::newRow("LF and CR end lines too")
            << QStringLiteral("a\nb\rc")
            << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        // 644 px usable = 58 characters of 11 px
        QTest::newRow("wrap at the last space that fits")
            << QString(QString(50, QLatin1Char('x')) + QStringLiteral(" abcdefgh xyz"))
            << QStringList{QString(50, QLatin1Char('x')) + QLatin1Char(' '),
                           QStringLiteral("abcdefgh xyz")};
        QTest::newRow("a word wider than the line")
            << QString(130, QLatin1Char('w'))
            << QStringList{QString(58, QLatin1Char('w')), QString(58, QLatin1Char('w')),
                           QString(14, QLatin1Char('w'))};
    }

    void bodyLines()
    {
        QFETCH(QString, body);
        QFETCH(QStringList, expected);
        Letter letter = sampleLetter();
        letter.body = body;
        for (LayoutKind kind : {LayoutKind::Layout1, LayoutKind::Layout2})
            QCOMPARE(bodyTexts(drawPage(kind, letter), letter), expected);
    }

    void footer_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("withFooter");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QStringList>("frame");
        const QString footer = sampleLetter().footer;
        QTest::newRow("layout 1") << 1 << true << true
                                  << QStringList{QStringLiteral("T 217,1032 8 ") + footer,
                                                 QStringLiteral("L 75,1029-719,1029 w0"),
                                                 QStringLiteral("T 369,996 11 - 1 -")};
        QTest::newRow("layout 1, footer at the margin")
            << 1 << true << false
            << QStringList{QStringLiteral("T 75,1032 8 ") + footer,
                           QStringLiteral("L 75,1029-719,1029 w0"),
                           QStringLiteral("T 369,996 11 - 1 -")};
        QTest::newRow("layout 2 hangs one footer line lower")
            << 2 << true << true
            << QStringList{QStringLiteral("T 217,1048 8 ") + footer,
                           QStringLiteral("L 75,1045-719,1045 w0"),
                           QStringLiteral("T 369,1012 11 - 1 -")};
        // label 1.5 lines (33 px) above the bottom margin line, no rule
        QTest::newRow("layout 1 without footer")
            << 1 << false << true << QStringList{QStringLiteral("T 369,1015 11 - 1 -")};
        QTest::newRow("layout 2 without footer")
            << 2 << false << true << QStringList{QStringLiteral("T 369,1015 11 - 1 -")};
    }

    void footer()
    {
        QFETCH(int, layout);
        QFETCH(bool, withFooter);
        QFETCH(bool, centred);
        QFETCH(QStringList, frame);
        Letter letter = sampleLetter();
        if (!withFooter)
            letter.footer.clear();
        letter.footerCentred = centred;
        const Drawn drawn =
            drawPage(layout == 1 ? LayoutKind::Layout1 : LayoutKind::Layout2, letter);
        const qsizetype label = drawn.ops.indexOf(frame.last());
        QVERIFY2(label >= 0, qPrintable(drawn.ops.join(QLatin1Char('\n'))));
        QCOMPARE(drawn.ops.mid(label - frame.size() + 1, frame.size()), frame);
        // the rule and the underline are the only lines besides the fold marks
        QCOMPARE(drawn.ops.filter(QRegularExpression(QStringLiteral("^L "))).size(),
                 withFooter ? 4 : 3);
    }

    // Page 1 ends after the first line whose bottom lies below the body limit
    // (959): body lines start at 553, so line 19 (y 949) is the last.
    void pagesBreakAtTheSameLine()
    {
        const Letter letter = numberedBody(40);
        const Drawn page1 = drawPage(LayoutKind::Layout1, letter, 1);
        const Drawn page2 = drawPage(LayoutKind::Layout1, letter, 2);
        QCOMPARE(page1.pageCount, 2);
        QCOMPARE(page2.pageCount, 2);
        QVERIFY(page1.ops.contains(QStringLiteral("T 75,949 11 Zeile 19")));
        QVERIFY(find(page1, QStringLiteral("Zeile 20")).isEmpty());
        QCOMPARE(find(page2, QStringLiteral("Zeile 20")), QStringLiteral("T 75,75 11 Zeile 20"));
        QVERIFY(find(page2, QStringLiteral("Zeile 19")).isEmpty());
        QVERIFY(page2.ops.contains(QStringLiteral("T 369,996 11 - 2 -")));
    }

    void pageBeyondTheLast()
    {
        const Drawn drawn = drawPage(LayoutKind::Layout1, numberedBody(40), 3);
        QCOMPARE(drawn.pageCount, 2);
        QCOMPARE(drawn.ops, (QStringList{QStringLiteral("L 0,374-11,374 w0"),
                                         QStringLiteral("L 0,748-11,748 w0")}));
    }

    // Nothing before the first page frame can break the page: the first body
    // line still stands on page 1, far below the paper, and the page ends after it.
    void headerTallerThanThePage()
    {
        Letter letter = numberedBody(2);
        letter.linesToSender = 60;
        const Drawn page1 = drawPage(LayoutKind::Layout1, letter, 1);
        const QString first = find(page1, QStringLiteral("Zeile 1"));
        QVERIFY(first.startsWith(QStringLiteral("T 75,")));
        QVERIFY(first.section(QLatin1Char(' '), 1, 1).section(QLatin1Char(','), 1).toInt() > 1123);
        QVERIFY(find(page1, QStringLiteral("Zeile 2")).isEmpty());
        const Drawn page2 = drawPage(LayoutKind::Layout1, letter, 2);
        QCOMPARE(find(page2, QStringLiteral("Zeile 2")), QStringLiteral("T 75,75 11 Zeile 2"));
    }

    // With 13 body lines the signature (top 949) is the line that crosses
    // the body limit: the letter ends on that page, and there is no page
    // carrying nothing but its frame.
    void lastLineBreaksThePage()
    {
        const Letter letter = numberedBody(13);
        const Drawn page1 = drawPage(LayoutKind::Layout1, letter, 1);
        QCOMPARE(page1.pageCount, 1);
        QVERIFY(page1.ops.contains(QStringLiteral("T 75,949 11 Erika Mustermann")));
        const Drawn page2 = drawPage(LayoutKind::Layout1, letter, 2);
        QCOMPARE(page2.ops, (QStringList{QStringLiteral("L 0,374-11,374 w0"),
                                         QStringLiteral("L 0,748-11,748 w0")}));
        QCOMPARE(drawPage(LayoutKind::Layout1, numberedBody(12)).pageCount, 1);
    }

    // The signature fills the last page exactly: one body line more and it
    // begins a page of its own. Every page counted holds a line of the letter.
    void lastLineEndsAPage_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("Layout 1, page 1") << 1 << 13 << 1;
        QTest::newRow("Layout 1, page 2") << 1 << 54 << 2;
        QTest::newRow("Layout 2, page 1") << 2 << 14 << 1;
        QTest::newRow("Layout 2, page 2") << 2 << 55 << 2;
    }

    void lastLineEndsAPage()
    {
        QFETCH(int, layout);
        QFETCH(int, lines);
        QFETCH(int, pages);
        const auto compose = [&](int bodyLines) {
            RecordingCanvas canvas;
            return composeLetter(layout == 1 ? LayoutKind::Layout1 : LayoutKind::Layout2,
                                 numberedBody(bodyLines), {}, canvas,
                                 PageGeometry{kA4Width96, kA4Height96, 96, 1});
        };
        const auto letterTexts = [](const PageLayout& composed, int page) {
            QStringList texts;
            for (const DrawOp& op : composed.pageOps(page)) {
                if (op.kind == DrawOp::Kind::Text && op.role != TextRole::Footer &&
                    op.role != TextRole::PageLabel)
                    texts << op.text;
            }
            return texts;
        };
        const QString signature = sampleLetter().senderName;

        const PageLayout filled = compose(lines);
        QCOMPARE(filled.pageCount(), pages);
        for (int page = 1; page <= pages; ++page)
            QVERIFY(!letterTexts(filled, page).isEmpty());
        QCOMPARE(letterTexts(filled, pages).last(), signature);
        QVERIFY(filled.pageOps(pages + 1).empty());

        const PageLayout overflowing = compose(lines + 1);
        QCOMPARE(overflowing.pageCount(), pages + 1);
        QCOMPARE(letterTexts(overflowing, pages + 1), QStringList{signature});
    }

    // Margins wider than half the page leave no room for even one character:
    // each piece is one character, and as every page's body limit lies above
    // its top margin, every later line starts a page of its own.
    void noRoomForOneCharacter()
    {
        Letter letter = sampleLetter();
        letter.body = QStringLiteral("ab");
        letter.marginMm = 400; // 1511 px at 96 ppi
        const Drawn drawn = drawPage(LayoutKind::Layout1, letter, 2);
        QCOMPARE(drawn.pageCount, 8); // page 1 ends after a; b and six closing lines follow
        QCOMPARE(find(drawn, QStringLiteral("b")), QStringLiteral("T 1511,1511 11 b"));
    }

    // A full stop that measures nothing would never make the dotted line as
    // wide as the signature; the row stops at a bound instead of running on.
    void dotsWithoutWidth()
    {
        class NoDots : public RecordingCanvas
        {
        public:
            int textWidth(const QString& text) override
            {
                return text.count(QLatin1Char('.')) == text.size()
                           ? 0
                           : RecordingCanvas::textWidth(text);
            }
        };
        NoDots canvas;
        const Letter letter = sampleLetter();
        drawpage(canvas, kA4Width96, kA4Height96, 1, 96, 1, letter, {});
        const auto dots =
            std::find_if(canvas.ops().begin(), canvas.ops().end(),
                         [](const auto& op) { return op.text.startsWith(QStringLiteral("....")); });
        QVERIFY(dots != canvas.ops().end());
        QCOMPARE(dots->text.size(), 16 * letter.senderName.size() + 16);
    }

    // A very long field costs measuring in proportion to its length, not to
    // its square: a dotted line found by adding one full stop at a time, or a
    // line break found by adding one character at a time, measures about
    // length² / 2 characters. The canvas counts what it measures; soft
    // hyphens measure nothing but are estimated a character wide.
    void measuringGrowsWithTheText_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("drawn"); // the longest text drawn
        const QString name(20'000, QLatin1Char('W'));
        QTest::newRow("sender name") << QStringLiteral("senderName") << name;
        QTest::newRow("signature text") << QStringLiteral("signature") << name;
        QTest::newRow("body line the estimates misjudge")
            << QStringLiteral("body") << QString(20'000, QChar(0xAD));
    }

    void measuringGrowsWithTheText()
    {
        QFETCH(QString, field);
        QFETCH(QString, drawn);
        class CountingCanvas : public RecordingCanvas
        {
        public:
            qint64 measured = 0;
            int textWidth(const QString& text) override
            {
                measured += text.size();
                return RecordingCanvas::textWidth(text) -
                       int(text.count(QChar(0xAD))) * charWidth(font().points);
            }
        };
        Letter letter = sampleLetter();
        ViewOptions view;
        if (field == QLatin1String("body")) {
            letter.body = drawn;
        } else if (field == QLatin1String("signature")) {
            letter.signature = drawn;
            view.signatureIsSenderName = false;
        } else {
            letter.senderName = drawn;
        }
        CountingCanvas canvas;
        drawpage(canvas, kA4Width96, kA4Height96, 1, 96, 1, letter, view);
        QVERIFY2(canvas.measured < 20 * drawn.size(), qPrintable(QString::number(canvas.measured)));
        const auto& texts = canvas.ops();
        QVERIFY(std::any_of(texts.begin(), texts.end(),
                            [&](const auto& op) { return op.text == drawn; }));
        if (field != QLatin1String("body")) {
            // full stops as wide as a W here: as many as the signature has characters
            QVERIFY(std::any_of(texts.begin(), texts.end(), [&](const auto& op) {
                return op.text == QString(drawn.size(), QLatin1Char('.'));
            }));
        }
    }
};

QTEST_GUILESS_MAIN(TestComposition)
#include "tst_composition.moc"
