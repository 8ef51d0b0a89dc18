// The heads of both layouts under their settings, on the recording canvas
// (a character is as wide as its point size, a line twice as high): A4 at
// 96 pixels per inch, margin 75 px, letter font 11 pt.
#include "LayoutTestSupport.h"

#include <QRegularExpression>
#include <QTest>

using namespace quillory::layout;
using namespace quillory::layout::test;
using quillory::document::Letter;

namespace {

const QString kDateLine = QStringLiteral("Musterstadt, 08.12.2026");

Letter headLetter()
{
    Letter letter = sampleLetter();
    letter.recipientCity = QStringLiteral("54321 Beispielort");
    return letter;
}

// The signature text, so that the sender's name is only drawn by the head.
const ViewOptions kSignatureText{false, false};

} // namespace

class TestHeads : public QObject
{
    Q_OBJECT

private slots:
    void senderAndPhone_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("oneLine");
        QTest::addColumn<bool>("phoneRight");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        const QString senderLine = QStringLiteral(
            "Erika Mustermann; Ortsteil Musterfeld; Musterstraße 1; 12345 Musterstadt; "
            "Deutschland");

        QTest::newRow("1: one-line sender, phone right")
            << 1 << true << true
            << QStringList{QStringLiteral("T 75,75 11 Erika Mustermann"),
                           QStringLiteral("T 598,163 11 030 1234567"),
                           QStringLiteral("T 75,207 8 ") + senderLine,
                           QStringLiteral("T 75,245 11 Stadtwerke GmbH"),
                           QStringLiteral("T 466,311 11 ") + kDateLine}
            << QStringList();
        QTest::newRow("1: one-line sender, phone left")
            << 1 << true << false
            << QStringList{QStringLiteral("T 75,207 8 ") + senderLine,
                           QStringLiteral("T 75,223 11 030 1234567"),
                           QStringLiteral("T 75,245 11 erika@example.org"),
                           QStringLiteral("T 75,289 11 Stadtwerke GmbH"),
                           QStringLiteral("T 466,355 11 ") + kDateLine}
            << QStringList{QStringLiteral("Erika Mustermann"), QStringLiteral("Deutschland")};
        QTest::newRow("1: five lines, phone right")
            << 1 << false << true << QStringList{QStringLiteral("T 466,75 11 ") + kDateLine,
                                                 QStringLiteral("T 598,97 11 030 1234567"),
                                                 QStringLiteral("T 532,119 11 erika@example.org"),
                                                 QStringLiteral("T 75,229 11 Erika Mustermann"),
                                                 QStringLiteral("T 75,317 11 Deutschland"),
                                                 QStringLiteral("T 75,361 11 Stadtwerke GmbH")}
            << QStringList{senderLine};
        QTest::newRow("1: five lines, phone left")
            << 1 << false << false << QStringList{QStringLiteral("T 466,75 11 ") + kDateLine,
                                                  QStringLiteral("T 75,229 11 Erika Mustermann"),
                                                  QStringLiteral("T 75,317 11 Deutschland"),
                                                  QStringLiteral("T 75,339 11 030 1234567"),
                                                  QStringLiteral("T 75,361 11 erika@example.org"),
                                                  QStringLiteral("T 75,405 11 Stadtwerke GmbH")}
            << QStringList{senderLine};

        QTest::newRow("2: one-line sender, phone right")
            << 2 << true << true
            << QStringList{QStringLiteral("T 572,147 9 Datum 08.12.2026"),
                           QStringLiteral("T 626,165 9 Fax "),
                           QStringLiteral("T 75,207 8 ") + senderLine,
                           QStringLiteral("T 75,245 11 Stadtwerke GmbH")}
            << QStringList{kDateLine, QStringLiteral("030 1234567")};
        QTest::newRow("2: one-line sender, phone left: no date at all")
            << 2 << true << false
            << QStringList{QStringLiteral("T 75,207 8 ") + senderLine,
                           QStringLiteral("T 75,223 11 030 1234567"),
                           QStringLiteral("T 75,245 11 erika@example.org"),
                           QStringLiteral("T 75,289 11 Stadtwerke GmbH")}
            << QStringList{kDateLine, QStringLiteral("Datum 08.12.2026"), QStringLiteral("Fax ")};
        // the date line (253 px) centred on x 644 in the right-hand column;
        // four blank lines and the fax follow it there
        QTest::newRow("2: five lines, phone right: no telephone, no e-mail")
            << 2 << false << true
            << QStringList{QStringLiteral("T 518,75 11 ") + kDateLine,
                           QStringLiteral("T 638,97 11  "),
                           QStringLiteral("T 638,163 11  "),
                           QStringLiteral("T 622,185 11 Fax "),
                           QStringLiteral("T 75,229 11 Erika Mustermann"),
                           QStringLiteral("T 75,361 11 Stadtwerke GmbH")}
            << QStringList{QStringLiteral("030 1234567"), QStringLiteral("erika@example.org"),
                           QStringLiteral("Email: erika@example.org")};
        QTest::newRow("2: five lines, phone left")
            << 2 << false << false
            << QStringList{QStringLiteral("T 518,75 11 ") + kDateLine,
                           QStringLiteral("T 75,229 11 Erika Mustermann"),
                           QStringLiteral("T 75,339 11 030 1234567"),
                           QStringLiteral("T 75,361 11 erika@example.org"),
                           QStringLiteral("T 75,405 11 Stadtwerke GmbH")}
            << QStringList{QStringLiteral("Fax ")};
    }

    void senderAndPhone()
    {
        QFETCH(int, layout);
        QFETCH(bool, oneLine);
        QFETCH(bool, phoneRight);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        Letter letter = headLetter();
        letter.senderOneLine = oneLine;
        letter.phoneRight = phoneRight;
        const Drawn drawn = drawPage(layout == 1 ? LayoutKind::Layout1 : LayoutKind::Layout2,
                                     letter, 1, kSignatureText);
        for (const QString& line : present)
            QVERIFY2(drawn.ops.contains(line), qPrintable(line));
        for (const QString& text : absent)
            QVERIFY2(find(drawn, text).isEmpty(), qPrintable(text));
        QVERIFY(drawn.ops.filter(kDateLine).size() <= 1);
    }

    void layout1RightBlockSizes_data()
    {
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<bool>("blankBeforeCity");
        QTest::addColumn<bool>("largerCity");
        QTest::addColumn<QStringList>("block");
        QTest::newRow("none") << false << false << false
                              << QStringList{QStringLiteral("T 510,75 11 Ortsteil Musterfeld"),
                                             QStringLiteral("T 565,97 11 Musterstraße 1"),
                                             QStringLiteral("T 532,119 11 12345 Musterstadt"),
                                             QStringLiteral("T 598,141 11 Deutschland"),
                                             QStringLiteral("T 598,163 11 030 1234567")};
        QTest::newRow("smaller") << true << false << false
                                 << QStringList{QStringLiteral("T 548,75 9 Ortsteil Musterfeld"),
                                                QStringLiteral("T 593,93 9 Musterstraße 1"),
                                                QStringLiteral("T 566,111 9 12345 Musterstadt"),
                                                QStringLiteral("T 620,129 9 Deutschland"),
                                                QStringLiteral("T 598,147 11 030 1234567")};
        QTest::newRow("blank line")
            << false << true << false
            << QStringList{QStringLiteral("T 510,75 11 Ortsteil Musterfeld"),
                           QStringLiteral("T 565,97 11 Musterstraße 1"),
                           QStringLiteral("T 708,119 11  "),
                           QStringLiteral("T 532,141 11 12345 Musterstadt"),
                           QStringLiteral("T 598,163 11 Deutschland"),
                           QStringLiteral("T 598,185 11 030 1234567")};
        QTest::newRow("larger city")
            << false << false << true
            << QStringList{QStringLiteral("T 510,75 11 Ortsteil Musterfeld"),
                           QStringLiteral("T 565,97 11 Musterstraße 1"),
                           QStringLiteral("T 515,119 12 12345 Musterstadt"),
                           QStringLiteral("T 598,143 11 Deutschland"),
                           QStringLiteral("T 598,165 11 030 1234567")};
        // the city 1 pt above the letter font, 3 pt above the other lines
        QTest::newRow("smaller, larger city")
            << true << false << true
            << QStringList{QStringLiteral("T 548,75 9 Ortsteil Musterfeld"),
                           QStringLiteral("T 593,93 9 Musterstraße 1"),
                           QStringLiteral("T 515,111 12 12345 Musterstadt"),
                           QStringLiteral("T 620,135 9 Deutschland"),
                           QStringLiteral("T 598,153 11 030 1234567")};
        QTest::newRow("all three") << true << true << true
                                   << QStringList{QStringLiteral("T 548,75 9 Ortsteil Musterfeld"),
                                                  QStringLiteral("T 593,93 9 Musterstraße 1"),
                                                  QStringLiteral("T 710,111 9  "),
                                                  QStringLiteral("T 515,129 12 12345 Musterstadt"),
                                                  QStringLiteral("T 620,153 9 Deutschland"),
                                                  QStringLiteral("T 598,171 11 030 1234567")};
    }

    void layout1RightBlockSizes()
    {
        QFETCH(bool, smaller);
        QFETCH(bool, blankBeforeCity);
        QFETCH(bool, largerCity);
        QFETCH(QStringList, block);
        Letter letter = headLetter();
        letter.layout1SmallerSender = smaller;
        letter.layout1BlankBeforeCity = blankBeforeCity;
        letter.layout1LargerCity = largerCity;
        const Drawn drawn = drawPage(LayoutKind::Layout1, letter, 1, kSignatureText);
        QCOMPARE(drawn.ops.mid(1, block.size()), block);
        // Layout 2 ignores all three
        const Drawn layout2 = drawPage(LayoutKind::Layout2, letter, 1, kSignatureText);
        QCOMPARE(layout2.ops, drawPage(LayoutKind::Layout2, headLetter(), 1, kSignatureText).ops);
    }

    void headDetails_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1: no phone, no fax: the e-mail moves up")
            << 1 << QStringLiteral("phone") << QString()
            << QStringLiteral("T 532,163 11 erika@example.org");
        QTest::newRow("1: empty additional line keeps both separators")
            << 1 << QStringLiteral("extra") << QString()
            << QStringLiteral("T 75,207 8 Erika Mustermann; ; Musterstraße 1; 12345 Musterstadt; "
                              "Deutschland");
        QTest::newRow("1: no reduction: the letter size, still underlined")
            << 1 << QStringLiteral("reduction") << QStringLiteral("0")
            << QStringLiteral("L 75,229-1010,229 w0");
        QTest::newRow("1: blank line before the recipient's city")
            << 1 << QStringLiteral("blank2") << QString()
            << QStringLiteral("T 75,311 11 54321 Beispielort");
        QTest::newRow("2: blank line before the recipient's city")
            << 2 << QStringLiteral("blank2") << QString()
            << QStringLiteral("T 75,311 11 54321 Beispielort");
        QTest::newRow("2: empty fields leave double spaces, empty phone ends in Tel.")
            << 2 << QStringLiteral("extra") << QString()
            << QStringLiteral(
                   "T 89,75 11 Erika Mustermann  Musterstraße 1 12345 Musterstadt Tel. ");
        QTest::newRow("2: a fax wider than the column overhangs both sides")
            << 2 << QStringLiteral("fax") << QStringLiteral("0123456789 0123456789")
            << QStringLiteral("T 532,165 9 Fax 0123456789 0123456789");
    }

    void headDetails()
    {
        QFETCH(int, layout);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        Letter letter = headLetter();
        ViewOptions view = kSignatureText;
        if (field == QLatin1String("phone")) {
            letter.senderPhone = value;
            letter.senderFax = value;
        } else if (field == QLatin1String("extra")) {
            letter.senderExtra = value;
            letter.senderPhone = value;
        } else if (field == QLatin1String("reduction")) {
            letter.senderSizeReduction = value.toInt();
        } else if (field == QLatin1String("fax")) {
            letter.senderFax = value;
        } else if (field == QLatin1String("blank2")) {
            view.blankBeforeRecipientCity = true;
        }
        const Drawn drawn =
            drawPage(layout == 1 ? LayoutKind::Layout1 : LayoutKind::Layout2, letter, 1, view);
        QVERIFY2(drawn.ops.contains(expected), qPrintable(drawn.ops.join(QLatin1Char('\n'))));
    }

    void signature_data()
    {
        QTest::addColumn<bool>("senderName");
        QTest::addColumn<QString>("signature");
        QTest::addColumn<QStringList>("tail");
        // body ends at 619; blank, closing, two blanks, then the dotted line
        QTest::newRow("sender name") << true << QStringLiteral("gez. X")
                                     << QStringList{QStringLiteral("T 75,707 11 ................"),
                                                    QStringLiteral("T 75,729 11 Erika Mustermann")};
        QTest::newRow("own text") << false << QStringLiteral("gez. X")
                                  << QStringList{QStringLiteral("T 75,707 11 ......"),
                                                 QStringLiteral("T 75,729 11 gez. X")};
        QTest::newRow("empty own text: no dots, no signature")
            << false << QString()
            << QStringList{QStringLiteral("T 75,663 11  "), QStringLiteral("T 75,685 11  ")};
    }

    void signature()
    {
        QFETCH(bool, senderName);
        QFETCH(QString, signature);
        QFETCH(QStringList, tail);
        Letter letter = sampleLetter();
        letter.signature = signature;
        const Drawn drawn =
            drawPage(LayoutKind::Layout1, letter, 1, ViewOptions{false, senderName});
        QCOMPARE(drawn.ops.mid(drawn.ops.size() - 2 - tail.size(), tail.size()), tail);
    }

    void signatureImage_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("heightMm");
        QTest::addColumn<QString>("image"); // on the sample letter's page
        // The dotted line's cell is 75,707 to 729: the image stands on its
        // bottom; 15 mm are 56 px at 96 dpi, 40 mm 151 px, 8 mm 30 px.
        QTest::newRow("15 mm, three times as wide")
            << QSize(300, 100) << 15 << QStringLiteral("I 75,673-243,729");
        QTest::newRow("40 mm, twice as high")
            << QSize(50, 100) << 40 << QStringLiteral("I 75,578-151,729");
        QTest::newRow("8 mm, one pixel high")
            << QSize(40, 1) << 8 << QStringLiteral("I 75,699-1275,729");
    }

    void signatureImage()
    {
        QFETCH(QSize, pixels);
        QFETCH(int, heightMm);
        QFETCH(QString, image);
        ViewOptions withImage;
        withImage.signatureImage = QImage(pixels, QImage::Format_RGB32);
        withImage.signatureImage.fill(Qt::white);
        withImage.signatureHeightMm = heightMm;
        const QStringList page = drawPage(LayoutKind::Layout1, sampleLetter(), 1, withImage).ops;
        QVERIFY2(page.contains(image), qPrintable(page.join(u'\n')));

        // Wherever the signature falls, before or after a page break, the
        // image takes the dotted line's place and nothing else moves.
        for (int lines = 10; lines <= 36; ++lines) {
            Letter letter = sampleLetter();
            letter.body = QStringList(lines, QStringLiteral("Zeile")).join(QStringLiteral("\r\n"));
            const Drawn dots = drawPage(LayoutKind::Layout1, letter, 1);
            for (int pageNo = 1; pageNo <= dots.pageCount; ++pageNo) {
                Drawn plain = drawPage(LayoutKind::Layout1, letter, pageNo);
                Drawn drawn = drawPage(LayoutKind::Layout1, letter, pageNo, withImage);
                QCOMPARE(drawn.pageCount, dots.pageCount);
                const qsizetype dotted =
                    plain.ops.indexOf(QRegularExpression(QStringLiteral("^T .* \\.+$")));
                const qsizetype drawnImage =
                    drawn.ops.indexOf(QRegularExpression(QStringLiteral("I .*")));
                QCOMPARE(dotted >= 0, drawnImage >= 0);
                if (dotted < 0) {
                    QCOMPARE(drawn.ops, plain.ops);
                    continue;
                }
                // Same left edge, bottom on the dotted line's bottom.
                const RecordingCanvas::Op& dotsOp = plain.raw[size_t(dotted)];
                const RecordingCanvas::Op& imageOp = drawn.raw[size_t(drawnImage)];
                QCOMPARE(imageOp.from.x(), dotsOp.from.x());
                QCOMPARE(imageOp.to.y(),
                         dotsOp.from.y() + RecordingCanvas::lineHeight(dotsOp.font.points));
                plain.ops.removeAt(dotted);
                drawn.ops.removeAt(drawnImage);
                QCOMPARE(drawn.ops, plain.ops);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestHeads)
#include "tst_heads.moc"
