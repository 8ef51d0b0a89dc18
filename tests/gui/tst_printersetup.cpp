#include "output/PrinterTarget.h"
#include "support/PrinterAccess.h"

#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTest>

using quillory::app::SystemPrinterAccess;
using quillory::output::PrinterTarget;

namespace {

/** What a choice in Qt's print dialog leaves in the printer. */
enum class Leftover { PageRange, Pages, PageSet, Copies, Reverse };

void leave(QPrinter& printer, Leftover leftover)
{
    switch (leftover) {
    case Leftover::PageRange:
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        break;
    case Leftover::Pages:
        printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2")));
        break;
    case Leftover::PageSet: // the print system's option alone, below
        break;
    case Leftover::Copies:
        printer.setCopyCount(3);
        printer.setCollateCopies(false);
        break;
    case Leftover::Reverse:
        printer.setPageOrder(QPrinter::LastPageFirst);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Leftover)

/**
 * "Drucker einrichten..." chooses the printer, and "Drucken" prints every
 * page once, whatever the set-up dialog could leave behind. A job on a real
 * queue needs a printer, so the printer here is Qt's stand-in without one;
 * what a job hands the queue is the printer's state checked below.
 */
class TestPrinterSetUp : public QObject
{
    Q_OBJECT

private slots:
    void everyPageOnceWhateverTheSetUpLeft_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Leftover>("leftover");
        QTest::addColumn<QStringList>("systemOptions");
        const QStringList tray{QStringLiteral("InputSlot"), QStringLiteral("Tray2")};
        QTest::newRow("Seiten von 2 bis 3")
            << QStringLiteral("printRange") << Leftover::PageRange
            << QStringList{QStringLiteral("page-ranges"), QStringLiteral("2-3")} + tray;
        QTest::newRow("Seiten \"2\"")
            << QStringLiteral("pagesLineEdit") << Leftover::Pages
            << tray + QStringList{QStringLiteral("page-ranges"), QStringLiteral("2")};
        QTest::newRow("Gerade Seiten")
            << QStringLiteral("pageSetCombo") << Leftover::PageSet
            << QStringList{QStringLiteral("page-set"), QStringLiteral("even")} + tray;
        QTest::newRow("Ungerade Seiten")
            << QStringLiteral("pageSetCombo") << Leftover::PageSet
            << tray + QStringList{QStringLiteral("page-set"), QStringLiteral("odd")};
        QTest::newRow("3 Kopien") << QStringLiteral("copies") << Leftover::Copies
                                  << QStringList{QStringLiteral("copies"), QStringLiteral("3")} +
                                         tray;
        QTest::newRow("Umgekehrte Reihenfolge")
            << QStringLiteral("reverse") << Leftover::Reverse
            << tray + QStringList{QStringLiteral("outputorder"), QStringLiteral("reverse")};
    }

    void everyPageOnceWhateverTheSetUpLeft()
    {
        QFETCH(QString, field);
        QFETCH(Leftover, leftover);
        QFETCH(QStringList, systemOptions);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat); // the same on every machine
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPageSize(QPageSize(QPageSize::A5));

        // The set-up dialog does not offer the choice. (Windows and macOS show
        // the system's own dialog, which the job below answers for alone.)
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
        {
            QPrintDialog dialog(&printer);
            SystemPrinterAccess::offerOnlyThePrinter(dialog);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabs"));
            QVERIFY(tabs);
            auto* offered = dialog.findChild<QWidget*>(field);
            QVERIFY(offered);
            QVERIFY(!offered->isVisibleTo(tabs));
            // The printer's own options (both sides, colour) stay.
            QVERIFY(tabs->indexOf(dialog.findChild<QWidget*>(QStringLiteral("optionsTab"))) >= 0);
            dialog.reject();
        }
#endif

        // Whatever it might have left, the job prints every page once, in order,
        // on the printer and paper chosen.
        leave(printer, leftover);
        const PrinterTarget job(printer);
        QCOMPARE(printer.printRange(), QPrinter::AllPages);
        QCOMPARE(printer.fromPage(), 0);
        QCOMPARE(printer.toPage(), 0);
        QVERIFY(printer.pageRanges().isEmpty());
        QCOMPARE(printer.copyCount(), 1);
        QCOMPARE(printer.pageOrder(), QPrinter::FirstPageFirst);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A5);
        // The print system's page choices go, the printer's own options stay.
        QCOMPARE(PrinterTarget::withoutPageChoices(systemOptions),
                 (QStringList{QStringLiteral("InputSlot"), QStringLiteral("Tray2")}));
    }
};

QTEST_MAIN(TestPrinterSetUp)
#include "tst_printersetup.moc"
