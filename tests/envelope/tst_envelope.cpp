#include "envelope/AddressCheck.h"
#include "layout/LayoutTestSupport.h"

#include <QGuiApplication>
#include <QTest>

#include <cmath>

using namespace quillory;
using namespace quillory::envelope;
using document::Letter;
using layout::LayoutKind;

Q_DECLARE_METATYPE(quillory::envelope::EnvelopeKind)
Q_DECLARE_METATYPE(quillory::document::Letter)

namespace {

const layout::PrintedPage kA4 = layout::PrintedPage::a4At600();

/** The new letter's sender with an ordinary address of four lines. */
Letter addressed()
{
    Letter letter = layout::test::sampleLetter();
    letter.recipientName = QStringLiteral("Stadtwerke Musterstadt GmbH");
    letter.recipientExtra = QStringLiteral("z.Hd. Kundenservice");
    return letter;
}

/** The sender block on five lines with every contact line below it, at the left. */
Letter senderBlockAtTheLeft()
{
    Letter letter = addressed();
    letter.senderOneLine = false;
    letter.phoneRight = false;
    letter.senderFax = QStringLiteral("030 1234568");
    return letter;
}

AddressCheck check(const Letter& letter, LayoutKind kind, EnvelopeKind envelope,
                   const Sheet& sheet = Sheet())
{
    return checkAddress(composeHead(letter, {}, kind, kA4), kA4, sheet, Envelope::of(envelope));
}

} // namespace

class TestEnvelope : public QObject
{
    Q_OBJECT

private slots:
    void windowOnTheSheet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QRectF>("window");   // on the envelope
        QTest::addColumn<double>("facing");   // height of the folded sheet facing the window
        QTest::addColumn<QRectF>("safeZone"); // on the sheet
        QTest::addColumn<QRectF>("centred");  // the window on the centred sheet
        QTest::newRow("DL") << QStringLiteral("DL") << QSizeF(220, 110) << QRectF(20, 50, 90, 45)
                            << 99.0 << QRectF(20, 50, 80, 34) << QRectF(15, 44.5, 90, 45);
        QTest::newRow("C6/5") << QStringLiteral("C6/5") << QSizeF(229, 114)
                              << QRectF(20, 54, 90, 45) << 99.0 << QRectF(20, 54, 71, 30)
                              << QRectF(10.5, 46.5, 90, 45);
        QTest::newRow("C5") << QStringLiteral("c5") << QSizeF(229, 162) << QRectF(20, 57, 90, 45)
                            << 148.5 << QRectF(20, 57, 71, 31.5) << QRectF(10.5, 50.25, 90, 45);
    }

    void windowOnTheSheet()
    {
        QFETCH(QString, name);
        QFETCH(QSizeF, size);
        QFETCH(QRectF, window);
        QFETCH(double, facing);
        QFETCH(QRectF, safeZone);
        QFETCH(QRectF, centred);
        const std::optional<EnvelopeKind> kind = Envelope::fromName(name);
        QVERIFY(kind);
        const Envelope& envelope = Envelope::of(*kind);
        QCOMPARE(envelope.size, size);
        QCOMPARE(envelope.window, window);
        // A4 folded in three at its fold marks, 99 mm, or once at half its height.
        const WindowOnSheet on = windowOnSheet(envelope, Sheet(), 99);
        QCOMPARE(on.folded, QSizeF(210, facing));
        QCOMPARE(on.safeZone, safeZone);
        QCOMPARE(on.windowAtCentre, centred);
        QVERIFY(!Envelope::fromName(QStringLiteral("C6")));
    }

    void verdicts_data()
    {
        QTest::addColumn<Letter>("letter");
        QTest::addColumn<int>("layout");
        QTest::addColumn<EnvelopeKind>("envelope");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<QString>("reason"); // empty: fitAddress finds values that fit
        Letter tall = addressed();
        tall.letterFont = document::LetterFont::arial(-40); // 30 pt, in short lines
        tall.recipientName = QStringLiteral("Stadtwerke");
        tall.recipientExtra = QStringLiteral("z.Hd. Frau A");
        tall.recipientStreet = QStringLiteral("Weg 5");
        tall.recipientCity = QStringLiteral("12345 Ort");
        Letter wide = addressed();
        wide.recipientExtra = QStringLiteral("Abteilung für Rückerstattungen und "
                                             "Abschlagszahlungen der Stromlieferung");
        QTest::newRow("ordinary letter, Layout 1, DL")
            << addressed() << 1 << EnvelopeKind::DL << true << QString();
        QTest::newRow("ordinary letter, Layout 2, DL")
            << addressed() << 2 << EnvelopeKind::DL << true << QString();
        QTest::newRow("ordinary letter, Layout 1, C5")
            << addressed() << 1 << EnvelopeKind::C5 << false << QString();
        QTest::newRow("sender block at the left, Layout 1, DL")
            << senderBlockAtTheLeft() << 1 << EnvelopeKind::DL << false << QString();
        QTest::newRow("sender block at the left, Layout 2, C6/5")
            << senderBlockAtTheLeft() << 2 << EnvelopeKind::C6_5 << false << QString();
        QTest::newRow("30-pt letter font")
            << tall << 1 << EnvelopeKind::DL << false
            << QStringLiteral("Die Anschrift ist höher als das Fenster");
        QTest::newRow("a recipient line wider than the window")
            << wide << 1 << EnvelopeKind::DL << false
            << QStringLiteral("Die Anschrift ist breiter als das Fenster");
    }

    void verdicts()
    {
        QFETCH(Letter, letter);
        QFETCH(int, layout);
        QFETCH(EnvelopeKind, envelope);
        QFETCH(bool, fits);
        QFETCH(QString, reason);
        const LayoutKind kind = layout == 1 ? LayoutKind::Layout1 : LayoutKind::Layout2;
        const AddressCheck now = check(letter, kind, envelope);
        QVERIFY(now.hasAddress);
        QCOMPARE(now.fits, fits);
        QVERIFY2(now.verdict().startsWith(fits ? QStringLiteral("Anschrift passt")
                                               : QStringLiteral("Anschrift ragt")),
                 qPrintable(now.verdict()));
        // The address box is the recipient's lines, cell for cell.
        QVERIFY(now.recipientBox.left() > 19.9 && now.recipientBox.left() < 20.1);

        const AddressFit fit = fitAddress(letter, {}, kind, kA4, Sheet(), Envelope::of(envelope));
        QCOMPARE(fit.reason, reason);
        QCOMPARE(fit.possible, reason.isEmpty());
        if (!fit.possible) {
            QCOMPARE(fit.linesToSender, letter.linesToSender);
            QCOMPARE(fit.linesToRecipient, letter.linesToRecipient);
            return;
        }
        Letter fixed = letter;
        fixed.linesToSender = fit.linesToSender;
        fixed.linesToRecipient = fit.linesToRecipient;
        const AddressCheck after = check(fixed, kind, envelope);
        QVERIFY2(after.fits, qPrintable(after.verdict()));
        QCOMPARE(after.recipientBox, fit.check.recipientBox);
        if (fits) {
            QCOMPARE(fit.linesToRecipient, letter.linesToRecipient);
            return;
        }
        // The lines before the sender change only where those before the
        // recipient cannot do it, and one line less change would not fit.
        QVERIFY(fit.linesToSender == letter.linesToSender || fit.linesToRecipient == 0);
        QVERIFY(fit.linesToRecipient != letter.linesToRecipient ||
                fit.linesToSender != letter.linesToSender);
        Letter short1 = fixed;
        const int direction = fit.linesToRecipient + fit.linesToSender >
                                      letter.linesToRecipient + letter.linesToSender
                                  ? -1
                                  : 1;
        (fit.linesToSender != letter.linesToSender ? short1.linesToSender
                                                   : short1.linesToRecipient) += direction;
        const AddressCheck lessChange = check(short1, kind, envelope);
        QVERIFY2(!(lessChange.distances[1] >= 0 && lessChange.distances[3] >= 0),
                 qPrintable(lessChange.verdict()));
    }

    void dinFormB_data()
    {
        QTest::addColumn<EnvelopeKind>("envelope");
        QTest::addColumn<int>("addressLines");
        QTest::addColumn<bool>("fits");
        QTest::newRow("DL, four lines") << EnvelopeKind::DL << 4 << true;
        QTest::newRow("C6/5, four lines") << EnvelopeKind::C6_5 << 4 << true;
        QTest::newRow("C6/5, five lines at 18 pt") << EnvelopeKind::C6_5 << 5 << false;
    }

    void dinFormB()
    {
        QFETCH(EnvelopeKind, envelope);
        QFETCH(int, addressLines);
        QFETCH(bool, fits);
        Letter letter = addressed();
        letter.postalNotes = {QStringLiteral("Einschreiben")};
        if (addressLines == 5) {
            letter.letterFont = document::LetterFont::arial(-24); // 18 pt
            letter.recipientCountry = QStringLiteral("Deutschland");
        }
        const AddressCheck now = check(letter, LayoutKind::DinB, envelope);
        QVERIFY(now.hasAddress);
        QCOMPARE(now.fits, fits);
        // The first fold is the form's own at 105 mm: the address lies where the form puts it.
        QVERIFY(std::abs(now.recipientBox.top() - 62.7) < 0.5);
        QVERIFY(std::abs(now.recipientBox.left() - 25) < 0.5);
        // The postal note belongs in the window, like the address.
        QVERIFY2(!now.verdict().contains(QStringLiteral("weiterer Text")),
                 qPrintable(now.verdict()));
        if (fits)
            QVERIFY2(now.shortVerdict().contains(QStringLiteral("passt")),
                     qPrintable(now.shortVerdict()));

        // Fitting leaves the DIN layouts' address where it is.
        const AddressFit fit =
            fitAddress(letter, {}, LayoutKind::DinB, kA4, Sheet(), Envelope::of(envelope));
        QVERIFY(!fit.possible);
        QCOMPARE(fit.reason, dinPlacesAddressText());
        QCOMPARE(fit.linesToRecipient, letter.linesToRecipient);
    }

    void warnings()
    {
        // The sender block through the window, and a return line wider than it.
        Letter letter = addressed();
        letter.senderName = QStringLiteral("Erika Mustermann");
        letter.senderStreet = QStringLiteral("Musterstraße 1 im Hinterhaus des Gebäudes links");
        letter.senderCity = QStringLiteral("Musterstadt an der Muster");
        const AddressCheck oneLine = check(letter, LayoutKind::Layout1, EnvelopeKind::DL);
        QVERIFY(oneLine.returnLineBox);
        QVERIFY2(oneLine.warnings.join(u'|').contains(QStringLiteral("Absenderzeile")),
                 qPrintable(oneLine.warnings.join(u'|')));

        Letter block = senderBlockAtTheLeft();
        block.linesToSender = 3;
        const AddressCheck blockCheck = check(block, LayoutKind::Layout1, EnvelopeKind::DL);
        QVERIFY(!blockCheck.returnLineBox);
        QVERIFY2(blockCheck.warnings.contains(QStringLiteral("Im Fenster zu sehen ist auch: "
                                                             "Absender")),
                 qPrintable(blockCheck.warnings.join(u'|')));
    }

    void whatElseIsAmissIsPartOfTheVerdict_data()
    {
        QTest::addColumn<Letter>("letter");
        QTest::addColumn<EnvelopeKind>("envelope");
        QTest::addColumn<double>("origin");   // of the printable area, mm
        QTest::addColumn<QString>("verdict"); // %1: the margin or overhang in mm
        QTest::addColumn<QString>("status");  // empty: not checked
        Letter shortSender = addressed();
        shortSender.senderName = QStringLiteral("E. Muster");
        shortSender.senderStreet = QStringLiteral("Weg 1");
        shortSender.senderCity = QStringLiteral("Ort");
        shortSender.senderExtra.clear();
        shortSender.senderCountry.clear();
        shortSender.senderPhone.clear();
        shortSender.senderEmail.clear();
        Letter block = senderBlockAtTheLeft();
        block.linesToSender = 3;
        // A printer that starts 4.23 mm in lowers the address into C5's window
        // and leaves the sender line above it.
        QTest::newRow("C5 on a printer: the sender line above the window")
            << addressed() << EnvelopeKind::C5 << 4.23
            << "Anschrift passt, aber die Absenderzeile ist nicht im Fenster sichtbar (C5, "
               "mindestens %1 mm Rand)"
            << "Fenster C5: passt, aber die Absenderzeile ist nicht im Fenster sichtbar";
        QTest::newRow("C5 on the whole sheet: too high as well")
            << addressed() << EnvelopeKind::C5 << 0.0
            << "Anschrift ragt %1 mm über das Fenster (C5), und die Absenderzeile ist nicht im "
               "Fenster sichtbar"
            << QString();
        QTest::newRow("DL on a printer: a sender line wider than the window")
            << addressed() << EnvelopeKind::DL << 4.23
            << "Anschrift passt, aber die Absenderzeile ist nicht ganz im Fenster sichtbar (DL, "
               "mindestens %1 mm Rand)"
            << QString();
        QTest::newRow("DL on a printer: the sender line in the window")
            << shortSender << EnvelopeKind::DL << 4.23
            << "Anschrift passt ins Fenster (DL), mindestens %1 mm Rand"
            << "Fenster DL: passt (%1 mm)";
        QTest::newRow("DL: the sender block in the window")
            << block << EnvelopeKind::DL << 0.0
            << "Anschrift ragt %1 mm unter das Fenster (DL), und im Fenster ist auch Absender zu "
               "sehen"
            << QString();
    }

    void whatElseIsAmissIsPartOfTheVerdict()
    {
        QFETCH(Letter, letter);
        QFETCH(EnvelopeKind, envelope);
        QFETCH(double, origin);
        QFETCH(QString, verdict);
        QFETCH(QString, status);
        Sheet sheet;
        sheet.printableOrigin = QPointF(origin, origin);
        const AddressCheck c = check(letter, LayoutKind::Layout1, envelope, sheet);
        const QString mm = millimetreText(std::abs(c.margin()));
        QCOMPARE(c.verdict(), verdict.replace(QStringLiteral("%1"), mm));
        if (!status.isEmpty())
            QCOMPARE(c.shortVerdict(), status.replace(QStringLiteral("%1"), mm));
    }
};

QTEST_MAIN(TestEnvelope)
#include "tst_envelope.moc"
