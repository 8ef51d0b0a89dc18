#include "envelope/AddressCheck.h"
#include "envelope/WindowOverlay.h"
#include "features/envelope/EnvelopePart.h"
#include "PreviewFixture.h"
#include "widgets/SpinField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>

#include <algorithm>

using quillory::app::EnvelopePart;
using quillory::app::MainForm;
using quillory::settings::MemorySettingsBackend;
namespace envelope = quillory::envelope;
namespace layout = quillory::layout;
using Letter = quillory::document::Letter;

namespace {

// The envelope's widgets, by the names the window gives them.
QComboBox* umschlagCombo(const MainForm& form)
{
    return form.findChild<QComboBox*>(QStringLiteral("UmschlagCombo"));
}
QLabel* umschlagVerdict(const MainForm& form)
{
    return form.findChild<QLabel*>(QStringLiteral("UmschlagVerdict"));
}
QLabel* umschlagStatus(const MainForm& form)
{
    return form.findChild<QLabel*>(QStringLiteral("UmschlagStatus"));
}
QPushButton* anpassenButton(const MainForm& form)
{
    return form.findChild<QPushButton*>(QStringLiteral("AnpassenButton"));
}

/** A4 whose printable area starts 4.23 mm in from the top-left corner, as on many printers. */
void useA4Printer(FakePrinterAccess& access)
{
    access.printer.paperMm = QSizeF(210, 297);
    access.printer.printableOriginMm = QPointF(4.23, 4.23);
}

/** Without a printer the window checks a whole A4 sheet at 600 dpi. */
quillory::output::PrinterMetrics a4WithoutPrinter()
{
    const layout::PrintedPage a4 = layout::PrintedPage::a4At600();
    return {a4.dpiX, a4.dpiY, a4.size};
}

/**
 * Pixels of one printed page that no pixel around the same place on the other
 * page explains, either way. Qt's FreeType engine draws large glyphs from
 * outlines that it places a fraction of a device pixel apart depending on
 * the glyph it last rendered for the screen, so the edges of the same text
 * may shade a few levels differently; anything drawn that the other page
 * lacks, or text moved by a pixel, lies outside its neighbours' shades.
 */
int unexplainedPixels(const QImage& a, const QImage& b)
{
    constexpr int kEdgeShades = 8;
    const auto unexplained = [](const QImage& page, const QImage& other, int x, int y) {
        for (const int shift : {16, 8, 0}) { // red, green, blue
            const auto channel = [shift](QRgb rgb) {
                return int(rgb >> shift) & 0xFF;
            };
            int low = 255;
            int high = 0;
            for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, other.height() - 1); ++ny) {
                for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, other.width() - 1); ++nx) {
                    low = std::min(low, channel(other.pixel(nx, ny)));
                    high = std::max(high, channel(other.pixel(nx, ny)));
                }
            }
            const int seen = channel(page.pixel(x, y));
            if (seen < low - kEdgeShades || seen > high + kEdgeShades)
                return true;
        }
        return false;
    };
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (lineA[x] != lineB[x])
                count += unexplained(a, b, x, y) || unexplained(b, a, x, y);
        }
    }
    return count;
}

/** The letter as the window prints it, and what the core makes of it. */
struct CoreView
{
    Letter letter;
    layout::ViewOptions view;
    layout::LayoutKind kind;
    layout::PrintedPage page;
    envelope::Sheet sheet;
    const envelope::Envelope& chosen;

    CoreView(const MainForm& form, const FakePrinterAccess& access, const QString& name)
        : CoreView(form, access.problem.isEmpty() ? access.printer : a4WithoutPrinter(), name)
    {}

    CoreView(const MainForm& form, const quillory::output::PrinterMetrics& printer,
             const QString& name)
        : letter(form.letter()), kind(form.Layout2Check->isChecked() ? layout::LayoutKind::Layout2
                                                                     : layout::LayoutKind::Layout1),
          page(printer.page()), sheet{printer.paperMm, printer.printableOriginMm},
          chosen(envelope::Envelope::of(*envelope::Envelope::fromName(name)))
    {
        view.blankBeforeRecipientCity = form.Leer2Check->isChecked();
        view.signatureIsSenderName = form.RadioButton1->isChecked();
    }

    envelope::AddressCheck check() const
    {
        return envelope::checkAddress(envelope::composeHead(letter, view, kind, page), page, sheet,
                                      chosen);
    }
    envelope::AddressFit fit() const
    {
        return envelope::fitAddress(letter, view, kind, page, sheet, chosen);
    }
};

/** The window's new letter to the sample letter's recipient. */
struct EnvelopeFixture : PreviewFixture
{
    EnvelopeFixture()
    {
        useA4Printer(printer);
        Letter letter = form->letter();
        letter.recipientName = QStringLiteral("Stadtwerke Musterstadt GmbH");
        letter.recipientExtra = QStringLiteral("z.Hd. Kundenservice");
        letter.recipientStreet = QStringLiteral("Am Kraftwerk 5");
        letter.recipientCity = QStringLiteral("12345 Musterstadt");
        form->setLetter(letter);
        form->SetUnChanged();
    }

    void choose(const QString& name)
    {
        umschlagCombo(*form)->setCurrentText(name);
        QCOMPARE(umschlagCombo(*form)->currentText(), name);
        settle();
    }
    /** The verdict follows on the next turn of the event loop. */
    static void settle() { QCoreApplication::processEvents(); }

    envelope::AddressCheck coreCheck(const QString& name) const
    {
        return CoreView(*form, printer, name).check();
    }
    QString verdict() const { return umschlagVerdict(*form)->text(); }
    QString status() const { return umschlagStatus(*form)->text(); }
};

} // namespace

class TestEnvelope : public QObject
{
    Q_OBJECT

private slots:
    void theVerdictFollowsTheLetter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("layout2");
        QTest::addColumn<bool>("onPreview"); // else on "Brief schreiben"
        QTest::addColumn<bool>("noPrinter");
        QTest::newRow("DL") << "DL" << false << false << false;
        QTest::newRow("C6/5") << "C6/5" << false << false << false;
        QTest::newRow("C5") << "C5" << false << false << false;
        QTest::newRow("DL, Layout 2, preview") << "DL" << true << true << false;
        QTest::newRow("C5, preview, no printer") << "C5" << false << true << true;
    }

    void theVerdictFollowsTheLetter()
    {
        QFETCH(QString, name);
        QFETCH(bool, layout2);
        QFETCH(bool, onPreview);
        QFETCH(bool, noPrinter);
        EnvelopeFixture f;
        if (noPrinter)
            f.printer.problem = QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt");
        f.form->Layout2Check->setChecked(layout2);
        if (onPreview) {
            f.form->PageControl1->setCurrentWidget(f.form->TabSheet3);
            f.paint();
        }
        QVERIFY(f.status().isEmpty());
        QVERIFY(!anpassenButton(*f.form)->isEnabled());

        f.choose(name);
        const envelope::AddressCheck before = f.coreCheck(name);
        QVERIFY(before.hasAddress);
        QCOMPARE(f.verdict(), before.verdict());
        QCOMPARE(f.status(), before.shortVerdict());
        QVERIFY(anpassenButton(*f.form)->isEnabled());
        QCOMPARE(f.form->PrinterNote->text().isEmpty(), !noPrinter);
        QCOMPARE(overlapping(*f.form->Panel2), QStringList());

        // Blank lines before the recipient push the address below the window.
        f.form->ZeilenBisEmpfaenger->setValue(f.form->ZeilenBisEmpfaenger->value() + 12);
        QCOMPARE(f.status(), before.shortVerdict()); // not before the event loop is back
        f.settle();
        const envelope::AddressCheck pushed = f.coreCheck(name);
        QVERIFY(!pushed.fits);
        QVERIFY(pushed.verdict() != before.verdict());
        QCOMPARE(f.verdict(), pushed.verdict());
        QCOMPARE(f.status(), pushed.shortVerdict());

        // Typing on another tab: a recipient's name too wide for any window.
        f.form->PageControl1->setCurrentWidget(f.form->TabSheet1);
        f.form->ZeilenBisEmpfaenger->setValue(1);
        f.form->Edit1->setText(QStringLiteral("Ein Name, der viel zu lang für jedes Fenster ist"));
        f.settle();
        const envelope::AddressCheck wide = f.coreCheck(name);
        QVERIFY(wide.verdict() != pushed.verdict());
        QCOMPARE(f.status(), wide.shortVerdict());

        f.choose(QStringLiteral("kein"));
        QVERIFY(f.verdict().isEmpty());
        QVERIFY(f.status().isEmpty());
        QVERIFY(!anpassenButton(*f.form)->isEnabled());
    }

    void typingIsCheckedOncePerPause_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("layout2"); // switched too before the pause
        QTest::newRow("recipient's street") << "Edit3"
                                            << "Am Kraftwerk 57" << false;
        QTest::newRow("sender line's separator") << "TrennZeichen"
                                                 << " | " << false;
        QTest::newRow("typed, then Layout 2") << "Edit1"
                                              << "Stadtwerke" << true;
    }

    void typingIsCheckedOncePerPause()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, layout2);
        EnvelopeFixture f;
        f.choose(QStringLiteral("DL"));
        QSignalSpy checks(f.form->findChild<EnvelopePart*>(), &EnvelopePart::checked);
        QTest::keyClicks(f.form->findChild<QLineEdit*>(field), typed);
        f.form->Layout2Check->setChecked(layout2);
        QCOMPARE(checks.count(), 0);
        f.settle();
        QCOMPARE(checks.count(), 1);
        QCOMPARE(f.status(), f.coreCheck(QStringLiteral("DL")).shortVerdict());
    }

    void whatElseIsAmissIsInTheVerdictLine_data()
    {
        QTest::addColumn<int>("width"); // of the verdict line; 0: as built
        QTest::newRow("as built") << 0;
        QTest::newRow("too narrow for it") << 120;
    }

    void whatElseIsAmissIsInTheVerdictLine()
    {
        QFETCH(int, width);
        EnvelopeFixture f;
        if (width > 0)
            umschlagVerdict(*f.form)->resize(width, umschlagVerdict(*f.form)->height());
        // The printer's margin lowers the address into C5's window, not the sender line.
        f.choose(QStringLiteral("C5"));
        QCOMPARE(f.status(), QStringLiteral("Fenster C5: passt, aber die Absenderzeile ist nicht "
                                            "im Fenster sichtbar"));
        const QString verdict = f.coreCheck(QStringLiteral("C5")).verdict();
        QVERIFY2(verdict.startsWith(QStringLiteral("Anschrift passt, aber die Absenderzeile ist "
                                                   "nicht im Fenster sichtbar (C5, mindestens ")),
                 qPrintable(verdict));
        const QStringList tip = umschlagVerdict(*f.form)->toolTip().split(QLatin1Char('\n'));
        QVERIFY(tip.contains(QStringLiteral("Die Absenderzeile liegt über dem Fenster")));
        if (width == 0) {
            QCOMPARE(f.verdict(), verdict);
        } else {
            // Cut short, the whole sentence heads its tool tip.
            QVERIFY2(f.verdict().endsWith(QChar(0x2026)), qPrintable(f.verdict()));
            QVERIFY(verdict.startsWith(f.verdict().chopped(1)));
            QCOMPARE(tip.value(0), verdict);
        }
    }

    void anpassen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("reason"); // empty: it can be made to fit
        QTest::newRow("every contact line, DL") << "DL"
                                                << "contacts" << QString();
        QTest::newRow("every contact line, C5") << "C5"
                                                << "contacts" << QString();
        QTest::newRow("30-pt letter font") << "DL"
                                           << "30 pt"
                                           << "Die Anschrift ist höher als das Fenster";
        QTest::newRow("130-mm recipient line") << "C6/5"
                                               << "130 mm"
                                               << "Die Anschrift ist breiter als das Fenster";
    }

    void anpassen()
    {
        QFETCH(QString, name);
        QFETCH(QString, letter);
        QFETCH(QString, reason);
        EnvelopeFixture f;
        Letter l = f.form->letter();
        if (letter == QLatin1String("contacts")) {
            // The sender block below the sender line, with every line filled.
            l.senderOneLine = false;
            l.phoneRight = false;
            l.senderExtra = QStringLiteral("Abteilung Einkauf");
            l.senderCountry = QStringLiteral("Deutschland");
            l.senderPhone = QStringLiteral("0421 123456");
            l.senderFax = QStringLiteral("0421 123457");
            l.senderEmail = QStringLiteral("post@example.org");
        } else if (letter == QLatin1String("30 pt")) {
            // Short lines, so that the height is what cannot fit.
            l.letterFont.setSize(30);
            l.recipientName = QStringLiteral("Stadtwerke");
            l.recipientExtra = QStringLiteral("Kundendienst");
            l.recipientStreet = QStringLiteral("Am Werk 5");
            l.recipientCity = QStringLiteral("12345 Ort");
        } else {
            l.recipientStreet =
                QStringLiteral("Am langen Weg der Straßen und Gassen von Oberhausen "
                               "an der Ruhr und noch weiter, Hinterhaus");
        }
        f.form->setLetter(l);
        f.form->SetUnChanged();
        f.choose(name);
        const CoreView core(*f.form, f.printer, name);
        const envelope::AddressCheck before = core.check();
        const envelope::AddressFit fit = core.fit();
        QVERIFY2(!before.fits, qPrintable(before.verdict()));
        QVERIFY2(fit.possible == reason.isEmpty(), qPrintable(fit.reason));

        anpassenButton(*f.form)->click();
        f.settle();
        if (reason.isEmpty()) {
            QVERIFY(fit.linesToSender != l.linesToSender ||
                    fit.linesToRecipient != l.linesToRecipient);
            QCOMPARE(f.form->ZeilenAbsender->letterValue(), double(fit.linesToSender));
            QCOMPARE(f.form->ZeilenBisEmpfaenger->letterValue(), double(fit.linesToRecipient));
            QVERIFY(f.form->isChanged());
            const envelope::AddressCheck after = f.coreCheck(name);
            QVERIFY2(after.fits, qPrintable(after.verdict()));
            QCOMPARE(f.status(), after.shortVerdict());
            QVERIFY(f.prompts.infos.isEmpty());
        } else {
            QCOMPARE(fit.reason, reason);
            QCOMPARE(f.prompts.infos, QStringList{QStringLiteral("Die Anschrift lässt sich nicht "
                                                                 "ins Fenster (%1) setzen. %2.")
                                                      .arg(name, reason)});
            QCOMPARE(f.form->letter(), l);
            QVERIFY(!f.form->isChanged());
            QCOMPARE(f.status(), before.shortVerdict());
        }
        QVERIFY(f.prompts.errors.isEmpty());
    }

    void theWindowIsDrawnOnTheScreenOnly()
    {
        EnvelopeFixture f;
        // Enough of each printed page to hold every envelope's window.
        f.printer.keptArea = QSize(2800, 2400);
        f.form->PageControl1->setCurrentWidget(f.form->TabSheet3);
        f.paint();
        const QImage bare = f.form->PaintBox1->grab().toImage();
        f.form->Drucken1->trigger();

        f.choose(QStringLiteral("DL"));
        const QImage shown = f.form->PaintBox1->grab().toImage();
        f.form->Drucken1->trigger();
        QTemporaryDir dir;
        f.prompts.pdfNames << dir.filePath(QStringLiteral("brief.pdf"));
        f.form->AlsPDFspeichern1->trigger();
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));

        QCOMPARE(f.printer.jobs.size(), 2);
        QVERIFY(!f.printer.jobs[0]->pages.isEmpty());
        const QList<QImage>& before = f.printer.jobs[0]->pages;
        const QList<QImage>& after = f.printer.jobs[1]->pages;
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            QCOMPARE(unexplainedPixels(before[i], after[i]), 0);

        // On the screen the page changes where the window and its safe zone
        // lie, and nowhere else.
        QCOMPARE(shown.size(), bare.size());
        const envelope::AddressCheck check = f.coreCheck(QStringLiteral("DL"));
        const envelope::Sheet sheet{f.printer.printer.paperMm, f.printer.printer.printableOriginMm};
        // The preview shows the printable area at the screen's resolution.
        const double scale = double(bare.width()) / f.printer.printer.printableArea.width();
        const auto onScreen = [&](const QRectF& mm) {
            const QRectF r = envelope::onPage(mm, sheet, f.printer.printer.page());
            return QRectF(r.topLeft() * scale, r.size() * scale).adjusted(-2, -2, 2, 2);
        };
        const QRectF window = onScreen(check.windowAtCentre).united(onScreen(check.safeZone));
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < bare.height(); ++y) {
            for (int x = 0; x < bare.width(); ++x) {
                if (bare.pixel(x, y) != shown.pixel(x, y))
                    ++(window.contains(QPointF(x, y)) ? inside : outside);
            }
        }
        QVERIFY(inside > 0);
        QCOMPARE(outside, 0);
    }

    void theChoiceIsKeptPerUser_data()
    {
        QTest::addColumn<QString>("chosen"); // in a first run; empty: planted as stored
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("chosen, then a restart") << "C6/5"
                                                << "C6/5"
                                                << "C6/5";
        QTest::newRow("none chosen") << "kein"
                                     << "kein"
                                     << "kein";
        QTest::newRow("any case") << QString() << " c5 "
                                  << "C5";
        QTest::newRow("unknown envelope") << QString() << "B4"
                                          << "kein";
    }

    void theChoiceIsKeptPerUser()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        const QString key = QStringLiteral("Fensterumschlag/Umschlag");
        MemorySettingsBackend settings;
        FakePrinterAccess printer;
        useA4Printer(printer);
        // Shown only once the fake printer is in place, as the restore checks the address.
        const auto start = [&](FormFixture& f) {
            f.form->setPrinterAccess(&printer);
            f.show();
        };
        if (chosen.isEmpty()) {
            settings.values.insert(key, stored);
        } else {
            FormFixture first({}, &settings, QString(), false);
            start(first);
            umschlagCombo(*first.form)->setCurrentText(QStringLiteral("DL"));
            umschlagCombo(*first.form)->setCurrentText(chosen);
            QVERIFY(first.form->close());
            QCOMPARE(settings.values.value(key).toString(), stored);
        }
        // In a group of its own: the form's properties stay as they were.
        QVERIFY(!settings.values.contains(QStringLiteral("Umschlag")));

        FormFixture second({}, &settings, QString(), false);
        start(second);
        QCOMPARE(umschlagCombo(*second.form)->currentText(), shown);
        QCoreApplication::processEvents();
        if (shown == QLatin1String("kein")) {
            QVERIFY(umschlagStatus(*second.form)->text().isEmpty());
        } else {
            QCOMPARE(umschlagStatus(*second.form)->text(),
                     CoreView(*second.form, printer, shown).check().shortVerdict());
        }
    }
};

QTEST_MAIN(TestEnvelope)
#include "tst_envelopewindow.moc"
