// The sample letter in both layouts, operation by operation, on the
// recording canvas (a character is as wide as its point size, a line twice
// as high): A4 at 96 pixels per inch, margin 20 mm = 75 px, letter font
// 11 pt (22 px lines), footer 8 pt, the one-line sender 3 pt smaller.
#include "LayoutTestSupport.h"

#include <QTest>

#include <algorithm>

using namespace quillory::layout;
using namespace quillory::layout::test;

Q_DECLARE_METATYPE(quillory::layout::TextRole)

namespace {

QStringList blanks(int x, int firstY, int count, int points)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result << QStringLiteral("T %1,%2 %3  ").arg(x).arg(firstY + i * 2 * points).arg(points);
    return result;
}

const QString kSenderLine = QStringLiteral(
    "Erika Mustermann; Ortsteil Musterfeld; Musterstraße 1; 12345 Musterstadt; Deutschland");
const QString kFooter = QStringLiteral("Musterbank · IBAN DE00 0000 0000 0000 0000 00");

// Body and closing are the same in both layouts: the body starts at y 553.
QStringList bodyAndClosing()
{
    return QStringList{QStringLiteral("T 75,553 11 Erste Zeile"), QStringLiteral("T 75,575 11  "),
                       QStringLiteral("T 75,597 11 Zweite"), QStringLiteral("T 75,619 11  "),
                       QStringLiteral("T 75,641 11 Mit freundlichen Grüßen")} +
           blanks(75, 663, 2, 11) +
           QStringList{QStringLiteral("T 75,707 11 ................"),
                       QStringLiteral("T 75,729 11 Erika Mustermann"),
                       // fold marks: a third and two thirds of 1123, 3 mm = 11 px long
                       QStringLiteral("L 0,374-11,374 w0"), QStringLiteral("L 0,748-11,748 w0")};
}

} // namespace

class TestDefaultLetter : public QObject
{
    Q_OBJECT

private slots:
    void layout1()
    {
        QStringList expected{
            QStringLiteral("T 75,75 11 Erika Mustermann"),
            QStringLiteral("T 510,75 11 Ortsteil Musterfeld"),
            QStringLiteral("T 565,97 11 Musterstraße 1"),
            QStringLiteral("T 532,119 11 12345 Musterstadt"),
            QStringLiteral("T 598,141 11 Deutschland"),
            QStringLiteral("T 598,163 11 030 1234567"),
            QStringLiteral("T 532,185 11 erika@example.org"),
        };
        expected << blanks(75, 75, 6, 11);
        expected << QStringLiteral("T 75,207 8 ") + kSenderLine
                 << QStringLiteral("L 75,223-755,223 w0");
        expected << blanks(75, 223, 1, 11);
        expected << QStringLiteral("T 75,245 11 Stadtwerke GmbH")
                 << QStringLiteral("T 75,267 11 Am Kraftwerk 5")
                 << QStringLiteral("T 75,289 11 12345 Musterstadt")
                 << QStringLiteral("T 466,311 11 Musterstadt, 08.12.2026");
        expected << blanks(75, 333, 6, 11);
        expected << QStringLiteral("T 75,465 11b Kündigung") << blanks(75, 487, 1, 11)
                 << QStringLiteral("T 75,509 11 Sehr geehrte Damen und Herren,")
                 << blanks(75, 531, 1, 11);
        // Footer ends on the bottom margin (1123 - 75 - 16), rule 1 mm (3 px)
        // above it, page label 1.5 lines (33 px) above the rule.
        expected << QStringLiteral("T 217,1032 8 ") + kFooter
                 << QStringLiteral("L 75,1029-719,1029 w0") << QStringLiteral("T 369,996 11 - 1 -");
        expected << bodyAndClosing();

        const Drawn drawn = drawPage(LayoutKind::Layout1, sampleLetter());
        QCOMPARE(drawn.ops, expected);
        QCOMPARE(drawn.pageCount, 1);
    }

    void layout2()
    {
        QStringList expected{
            // 86 characters, wider than the page: centred, it overhangs both edges
            QStringLiteral("T -76,75 11 Erika Mustermann Ortsteil Musterfeld Musterstraße 1 "
                           "12345 Musterstadt Tel. 030 1234567"),
            QStringLiteral("T 289,97 9 Email: erika@example.org"),
        };
        // right-hand column centred on x 644 (two margins from the right edge)
        expected << blanks(639, 75, 4, 9) << QStringLiteral("T 572,147 9 Datum 08.12.2026")
                 << QStringLiteral("T 626,165 9 Fax ");
        expected << blanks(75, 75, 6, 11);
        expected << QStringLiteral("T 75,207 8 ") + kSenderLine
                 << QStringLiteral("L 75,223-755,223 w0");
        expected << blanks(75, 223, 1, 11);
        expected << QStringLiteral("T 75,245 11 Stadtwerke GmbH")
                 << QStringLiteral("T 75,267 11 Am Kraftwerk 5")
                 << QStringLiteral("T 75,289 11 12345 Musterstadt");
        expected << blanks(75, 311, 7, 11);
        expected << QStringLiteral("T 75,465 11 Kündigung") << blanks(75, 487, 1, 11)
                 << QStringLiteral("T 75,509 11 Sehr geehrte Damen und Herren,")
                 << blanks(75, 531, 1, 11);
        // Footer hangs below the bottom margin line (1123 - 75).
        expected << QStringLiteral("T 217,1048 8 ") + kFooter
                 << QStringLiteral("L 75,1045-719,1045 w0")
                 << QStringLiteral("T 369,1012 11 - 1 -");
        expected << bodyAndClosing();

        const Drawn drawn = drawPage(LayoutKind::Layout2, sampleLetter());
        QCOMPARE(drawn.ops, expected);
        QCOMPARE(drawn.pageCount, 1);
    }

    void everyTextKnowsWhatItIs_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextRole>("role");
        for (int layout : {1, 2}) {
            const auto row = [&](const char* name, const QString& text, TextRole role) {
                QTest::addRow("Layout %d, %s", layout, name) << layout << text << role;
            };
            row("return line", kSenderLine, TextRole::ReturnLine);
            row("recipient", QStringLiteral("Stadtwerke GmbH"), TextRole::Recipient);
            row("recipient street", QStringLiteral("Am Kraftwerk 5"), TextRole::Recipient);
            row("subject", QStringLiteral("Kündigung"), TextRole::Subject);
            row("salutation", QStringLiteral("Sehr geehrte Damen und Herren,"),
                TextRole::Salutation);
            row("body", QStringLiteral("Zweite"), TextRole::Body);
            row("closing", QStringLiteral("Mit freundlichen Grüßen"), TextRole::Closing);
            row("dotted line", QStringLiteral("................"), TextRole::Signature);
            row("footer", kFooter, TextRole::Footer);
            row("page label", QStringLiteral("- 1 -"), TextRole::PageLabel);
        }
        QTest::addRow("Layout 1, date")
            << 1 << QStringLiteral("Musterstadt, 08.12.2026") << TextRole::Date;
        QTest::addRow("Layout 1, sender at the right")
            << 1 << QStringLiteral("erika@example.org") << TextRole::Sender;
        QTest::addRow("Layout 2, date")
            << 2 << QStringLiteral("Datum 08.12.2026") << TextRole::Date;
        QTest::addRow("Layout 2, letterhead")
            << 2 << QStringLiteral("Email: erika@example.org") << TextRole::Sender;
    }

    void everyTextKnowsWhatItIs()
    {
        // What later features read from a composed page: each text's role
        // and its cell, as wide as the recording canvas measures it.
        QFETCH(int, layout);
        QFETCH(QString, text);
        QFETCH(TextRole, role);
        RecordingCanvas canvas;
        const PageLayout pages =
            composeLetter(layout == 1 ? LayoutKind::Layout1 : LayoutKind::Layout2, sampleLetter(),
                          {}, canvas, PageGeometry{kA4Width96, kA4Height96, 96, 1});
        const auto& ops = pages.pageOps(1);
        const auto found =
            std::find_if(ops.begin(), ops.end(), [&](const DrawOp& op) { return op.text == text; });
        QVERIFY2(found != ops.end(), qPrintable(text));
        QCOMPARE(found->role, role);
        const int points = pages.fonts()[size_t(found->styleIndex)].drawnPoints();
        QCOMPARE(found->to - found->from,
                 QPoint(RecordingCanvas::charWidth(points) * int(text.size()),
                        RecordingCanvas::lineHeight(points)));
    }
};

QTEST_GUILESS_MAIN(TestDefaultLetter)
#include "tst_defaultletter.moc"
