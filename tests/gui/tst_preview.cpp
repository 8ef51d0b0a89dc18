#include "widgets/PaintSurface.h"
#include "PreviewFixture.h"
#include "support/PrinterAccess.h"
#include "widgets/SpinField.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWheelEvent>

using quillory::app::MainForm;
using quillory::output::PrinterMetrics;

namespace {

void wheel(QWidget* target, int delta)
{
    const QPointF at(10, 10);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void pageSizeFollowsPrinterAndZoom_data()
    {
        QTest::addColumn<int>("resolutionY");
        QTest::addColumn<QSize>("printable");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("preview");
        const QSize a4(4760, 6812);
        QTest::newRow("zoom 100") << 600 << a4 << 100 << QSize(761, 1089);
        QTest::newRow("zoom 50") << 600 << a4 << 50 << QSize(380, 544);
        QTest::newRow("zoom 300") << 600 << a4 << 300 << QSize(2284, 3269);
        QTest::newRow("600 x 300 dpi") << 300 << QSize(4760, 3410) << 100 << QSize(761, 545);
    }

    void pageSizeFollowsPrinterAndZoom()
    {
        QFETCH(int, resolutionY);
        QFETCH(QSize, printable);
        QFETCH(int, zoom);
        QFETCH(QSize, preview);
        PreviewFixture f;
        if (f.form->PaintBox1->logicalDpiX() != 96)
            QSKIP("the sizes are those of a 96-dpi screen");
        f.printer.printer = {600, resolutionY, printable};
        f.form->ZoomEd->setValue(zoom);
        QCOMPARE(f.paint(), preview);
        // Sized and drawn in the same paint: the page is white with text on it.
        const QImage page = f.form->PaintBox1->grab().toImage();
        QCOMPARE(page.pixelColor(0, 0), QColor(Qt::white));
        QVERIFY(f.form->pageCount() >= 1);
    }

    void withoutAPrinterThePreviewShowsA4Quietly()
    {
        PreviewFixture f;
        f.printer.problem = QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt");
        f.form->PageControl1->setCurrentIndex(2);
        const QSize size = f.paint();
        if (f.form->PaintBox1->logicalDpiX() == 96)
            QCOMPARE(size, QSize(793, 1122)); // A4 at 600 dpi, edge to edge
        QCOMPARE(f.form->PrinterNote->text(), QStringLiteral("Kein Drucker – Vorschau auf A4"));
        QVERIFY(f.prompts.errors.isEmpty());

        f.form->Drucken1->trigger();
        QCOMPARE(f.prompts.errors,
                 QStringList{QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt. Als PDF "
                                            "speichern... geht auch ohne Drucker.")});
        QCOMPARE(f.printer.jobs.size(), 1);
        QCOMPARE(f.printer.jobs[0]->begun, 0);
    }

    void whatMarksTheLetterModified()
    {
        PreviewFixture f;
        const QString clean = f.title(QStringLiteral("unbenannt.bri"));
        QCOMPARE(f.form->windowTitle(), clean);
        f.form->Layout2Check->setChecked(true);
        f.form->SeiteEd->setValue(1);
        QCOMPARE(f.form->windowTitle(), clean);
        f.form->ZoomEd->setValue(50);
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri*")));
    }

    void thePageNumberIsBoundedByTheLetter()
    {
        PreviewFixture f;
        QCOMPARE(f.form->pageCount(), 0); // nothing composed yet
        f.form->SeiteEd->setValue(5);
        QCOMPARE(f.form->SeiteEd->value(), 1.0);

        f.setBodyLines(70); // two pages
        f.form->SeiteEd->setValue(5);
        QCOMPARE(f.form->pageCount(), 2);
        QCOMPARE(f.form->SeiteEd->value(), 2.0);
        f.form->SeiteEd->setValue(1);
        QCOMPARE(f.form->SeiteEd->value(), 1.0);
    }

    void theCountAfterThePageFieldFollowsTheLetter()
    {
        PreviewFixture f;
        f.form->PageControl1->setCurrentWidget(f.form->TabSheet3);
        auto* count = f.form->findChild<QLabel*>(QStringLiteral("SeitenAnzahl"));
        QVERIFY(count && count->isVisible());
        f.setBodyLines(70);
        f.paint();
        QCOMPARE(count->text(), QStringLiteral("von 2"));
        f.setBodyLines(5);
        f.paint();
        QCOMPARE(count->text(), QStringLiteral("von 1"));
        // Between the page field and the zoom, clear of everything on the panel.
        QVERIFY(count->x() > f.form->SeiteEd->geometry().right());
        QVERIFY(count->geometry().right() < f.form->ZoomEd->x());
        QCOMPARE(overlapping(*f.form->Panel2), QStringList());
    }

    void theWheelScrollsOnlyThePreviewTab()
    {
        PreviewFixture f;
        f.form->resize(870, 640);
        f.form->ZoomEd->setValue(300);
        f.paint();
        QScrollBar* bar = f.form->ScrollBox1->verticalScrollBar();
        QVERIFY(bar->maximum() > 100);
        QWidget* viewport = f.form->ScrollBox1->viewport();

        f.form->PageControl1->setCurrentIndex(2);
        wheel(viewport, -120);
        QCOMPARE(bar->value(), 20);
        wheel(viewport, -60);
        QCOMPARE(bar->value(), 20); // half a notch waits for the other half
        wheel(viewport, -60);
        QCOMPARE(bar->value(), 40);
        wheel(viewport, 120);
        wheel(viewport, 120);
        wheel(viewport, 120);
        QCOMPARE(bar->value(), 0); // held at the top

        for (int tab : {0, 1}) {
            f.form->PageControl1->setCurrentIndex(tab);
            wheel(f.form.get(), -120);
            QCOMPARE(bar->value(), 0);
        }
        f.form->PageControl1->setCurrentIndex(2);
        wheel(f.form.get(), -120);
        QCOMPARE(bar->value(), 20);
    }

    void printingIsOneJobOfEveryPage()
    {
        PreviewFixture f;
        f.setBodyLines(110);
        f.form->SetUnChanged();
        f.form->Drucken1->trigger();
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
        QCOMPARE(f.printer.jobs.size(), 1);
        const FakeJob& job = *f.printer.jobs[0];
        QCOMPARE(job.begun, 1);
        QCOMPARE(job.title, QStringLiteral("Brief"));
        QCOMPARE(job.pages.size(), 3);
        QVERIFY(job.ended);
        // Printing neither saves nor marks the letter.
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri")));
    }

    void printingSaysWhatItDid_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("bodyLines");
        QTest::addColumn<QString>("printerName");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("error");
        const QString none = QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt");
        const QString broken = QStringLiteral("Ausgewählter Drucker ist ungültig");
        const QString hint =
            none + QStringLiteral(". Als PDF speichern... geht auch ohne Drucker.");
        QTest::newRow("one page") << "Drucken1" << 0 << "Buero-Laser" << QString()
                                  << "1 Seite an Buero-Laser gesendet" << QString();
        QTest::newRow("three pages") << "Drucken1" << 110 << "Buero-Laser" << QString()
                                     << "3 Seiten an Buero-Laser gesendet" << QString();
        QTest::newRow("a printer without a name") << "Drucken1" << 0 << QString() << QString()
                                                  << "1 Seite an den Drucker gesendet" << QString();
        QTest::newRow("no printer")
            << "Drucken1" << 0 << "Buero-Laser" << none << QString() << hint;
        QTest::newRow("a broken printer")
            << "Drucken1" << 0 << "Buero-Laser" << broken << QString() << broken + u'.';
        QTest::newRow("set-up without a printer")
            << "Druckereinrichten1" << 0 << QString() << none << QString() << hint;
        QTest::newRow("set-up") << "Druckereinrichten1" << 0 << "Buero-Laser" << QString()
                                << QString() << QString();
    }

    void printingSaysWhatItDid()
    {
        QFETCH(QString, action);
        QFETCH(int, bodyLines);
        QFETCH(QString, printerName);
        QFETCH(QString, problem);
        QFETCH(QString, status);
        QFETCH(QString, error);
        PreviewFixture f;
        f.setBodyLines(bodyLines);
        f.printer.printerName = printerName;
        f.printer.problem = problem;
        f.form->findChild<QAction*>(action)->trigger();
        QCOMPARE(f.form->StatusBar1->currentMessage(), status);
        QCOMPARE(f.prompts.errors, error.isEmpty() ? QStringList() : QStringList{error});
    }

    void theZoomDoesNotReachThePrinterButTheLayoutDoes()
    {
        PreviewFixture f;
        f.form->Drucken1->trigger();
        f.form->ZoomEd->setValue(50);
        f.form->Drucken1->trigger();
        f.form->Layout2Check->setChecked(true);
        f.form->Drucken1->trigger();
        QCOMPARE(f.printer.jobs.size(), 3);
        QCOMPARE(f.printer.jobs[0]->pages, f.printer.jobs[1]->pages);
        QVERIFY(f.printer.jobs[1]->pages != f.printer.jobs[2]->pages);
    }

    void pdfExport()
    {
        PreviewFixture f;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("brief.pdf"));
        f.form->AlsPDFspeichern1->trigger(); // cancelled dialog: nothing happens
        QVERIFY(!QFile::exists(path));
        f.prompts.pdfNames << path;
        f.form->Edit6->setText(QStringLiteral("Mahnung"));
        f.form->Edit10->setText(QStringLiteral("Jörg Weiß"));
        f.form->AlsPDFspeichern1->trigger();
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        // A PDF/A-1b titled with the subject and authored by the sender; the
        // print queue's job keeps the title "Brief".
        QVERIFY(pdf.contains("<pdfaid:part>1</pdfaid:part>"));
        QVERIFY(pdf.contains("<rdf:li xml:lang=\"x-default\">Mahnung</rdf:li>"));
        QVERIFY(pdf.contains(QStringLiteral("<rdf:Seq><rdf:li>Jörg Weiß</rdf:li>").toUtf8()));
        QVERIFY(pdf.contains("/Author <FEFF"));
        f.form->Drucken1->trigger();
        QCOMPARE(f.printer.jobs.last()->title, QStringLiteral("Brief"));
        QCOMPARE(f.prompts.log.last(), QStringLiteral("pdf: "));
        f.form->AlsPDFspeichern1->trigger();
        QCOMPARE(f.prompts.log.last(), QStringLiteral("pdf: ") + path); // the name is remembered
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
