#include "layout/DrawPage.h"
#include "layout/PainterCanvas.h"
#include "output/FakePrinter.h"
#include "output/LetterPrinter.h"
#include "output/PdfTarget.h"
#include "output/PreviewRenderer.h"
#include "output/PrinterTarget.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::output;
using document::Letter;

namespace {

/** A letter whose body fills the given number of pages at 150 dpi on A4. */
Letter letterOfPages(int wanted)
{
    Letter letter = Letter::makeNew(QDate(2026, 12, 8));
    letter.recipientName = QStringLiteral("Stadtwerke Musterstadt");
    const QString paragraph = QStringLiteral(
        "Hiermit kündige ich den Vertrag zum nächstmöglichen Zeitpunkt und bitte um eine "
        "schriftliche Bestätigung.\r\n");
    QImage scratch(10, 10, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(qRound(150 * kInchesPerMetre));
    scratch.setDotsPerMeterY(qRound(150 * kInchesPerMetre));
    QPainter painter(&scratch);
    layout::PainterCanvas canvas(painter);
    const layout::PageGeometry a4{1240, 1754, 150, 1};
    QString body;
    for (int i = 0; i < 400; ++i) {
        body += paragraph;
        letter.body = body;
        if (layout::composeLetter(layout::LayoutKind::Layout1, letter, {}, canvas, a4)
                .pageCount() == wanted)
            return letter;
    }
    return letter;
}

/** A letter of random length, fonts, margin and line counts, as users vary them. */
Letter randomLetter(QRandomGenerator& random)
{
    static const QStringList words =
        QStringLiteral(
            "Hiermit kündige ich den Stromliefervertrag fristgerecht zum nächstmöglichen Zeitpunkt "
            "und bitte um schriftliche Bestätigung Zählerstand Abschlagszahlung Kundennummer "
            "Vertragsnummer Rückerstattung Guthaben Überweisung Bankverbindung a bb ccc")
            .split(u' ');
    Letter letter = Letter::makeNew(QDate(2026, 12, 8));
    letter.recipientName = QStringLiteral("Stadtwerke Musterstadt GmbH");
    letter.recipientCity = QStringLiteral("12345 Musterstadt");
    letter.subject = QStringLiteral("Kündigung");
    letter.senderPhone = QStringLiteral("030 1234567");
    letter.footer = QStringLiteral("Musterbank · IBAN DE00 0000 0000 0000 0000 00");
    letter.marginMm = 10 + random.bounded(2500) / 100.0;
    letter.linesToSender = random.bounded(1, 10);
    letter.linesToSubject = random.bounded(1, 10);
    letter.letterFont = document::LetterFont::arial(-random.bounded(11, 22));
    letter.footerFont = document::LetterFont::arial(-random.bounded(9, 15));
    QStringList lines;
    const int lineCount = random.bounded(1, 120);
    for (int i = 0; i < lineCount; ++i) {
        QStringList line;
        for (int n = random.bounded(0, 30); n > 0; --n)
            line << words[random.bounded(words.size())];
        lines << line.join(u' ');
    }
    letter.body = lines.join(QStringLiteral("\r\n"));
    return letter;
}

/** A printer that stands for a file: what a PDF export replays. */
class FakeFile : public FakePrinter
{
public:
    using FakePrinter::FakePrinter;
    bool onPaper() const override { return false; }
};

/** The darkest grey within rows from and to (millimetres at dpi) of image. */
int darkest(const QImage& image, double fromMm, double toMm, int dpi)
{
    int least = 255;
    const int last = std::min(image.height(), int(toMm * dpi / 25.4));
    for (int y = std::max(0, int(fromMm * dpi / 25.4)); y < last; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            least = std::min(least, qGray(line[x]));
    }
    return least;
}

int pdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

class TestLetterPrinter : public QObject
{
    Q_OBJECT

private slots:
    void aThreePageLetterIsOneJobOfThreePages()
    {
        FakePrinter printer(150, QSize(1240, 1754));
        PrintRequest request;
        request.letter = letterOfPages(3);
        QList<int> told;
        const PrintOutcome outcome = printLetter(printer, request, [&](int page, int count) {
            told << page * 10 + count;
            return true;
        });
        QVERIFY2(outcome.error.isEmpty(), qPrintable(outcome.error));
        QCOMPARE(outcome.pages, 3);
        QCOMPARE(printer.job->begun, 1);
        QCOMPARE(printer.job->title, QStringLiteral("Brief"));
        QCOMPARE(printer.job->pages.size(), 3);
        QVERIFY(printer.job->ended);
        QVERIFY(!printer.job->aborted);
        QCOMPARE(told, (QList<int>{13, 23, 33}));
        // Every page carries ink, and the three differ.
        for (const QImage& page : printer.job->pages)
            QVERIFY(page != QImage(page.size(), page.format()));
        QVERIFY(printer.job->pages[0] != printer.job->pages[1]);
        QVERIFY(printer.job->pages[1] != printer.job->pages[2]);
    }

    void theChosenLayoutIsPrinted()
    {
        PrintRequest request;
        request.letter = letterOfPages(1);
        FakePrinter first(150, QSize(1240, 1754));
        printLetter(first, request);
        request.kind = layout::LayoutKind::Layout2;
        FakePrinter second(150, QSize(1240, 1754));
        printLetter(second, request);
        QCOMPARE(first.job->pages.size(), 1);
        QCOMPARE(second.job->pages.size(), 1);
        QVERIFY(first.job->pages[0] != second.job->pages[0]);

        // Each page is exactly what composing that layout at the printer's resolution gives.
        QImage expected(1240, 1754, QImage::Format_RGB32);
        expected.fill(Qt::white);
        expected.setDotsPerMeterX(qRound(150 * kInchesPerMetre));
        expected.setDotsPerMeterY(qRound(150 * kInchesPerMetre));
        {
            QPainter painter(&expected);
            layout::PainterCanvas canvas(painter);
            layout::drawpage2(canvas, 1240, 1754, 1, 150, 1.0, request.letter, request.view);
        }
        QCOMPARE(second.job->pages[0], expected);
    }

    void pagesAreCountedAtThePrintersResolution()
    {
        // The job has the pages composition finds at the printer's 600 dpi.
        PrintRequest request;
        request.letter = letterOfPages(3);
        FakePrinter printer(600, QSize(4960, 7016), QSize(64, 64));
        const PrintOutcome outcome = printLetter(printer, request);

        QImage scratch(10, 10, QImage::Format_RGB32);
        scratch.setDotsPerMeterX(qRound(600 * kInchesPerMetre));
        scratch.setDotsPerMeterY(qRound(600 * kInchesPerMetre));
        QPainter painter(&scratch);
        layout::PainterCanvas canvas(painter);
        const int expected = layout::composeLetter(layout::LayoutKind::Layout1, request.letter, {},
                                                   canvas, {4960, 7016, 600, 1})
                                 .pageCount();
        QCOMPARE(outcome.pages, expected);
        QCOMPARE(printer.job->pages.size(), expected);
    }

    void thePreviewShowsThePrintedPagesAtEveryZoom_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("layout");
        for (int dpi : {600, 1200}) {
            for (int layout : {1, 2})
                QTest::addRow("%d dpi, Layout %d", dpi, layout) << dpi << layout;
        }
    }

    void thePreviewShowsThePrintedPagesAtEveryZoom()
    {
        // At every zoom the preview has the printer's page count, and each
        // preview page is the printed page shrunk to the preview's scale.
        QFETCH(int, dpi);
        QFETCH(int, layout);
        const PrinterMetrics printer{dpi, dpi, QSize(4760, 6812) * dpi / 600}; // A4 printable
        QRandomGenerator random(quint32(dpi + layout));
        for (int letterNo = 0; letterNo < 6; ++letterNo) {
            PreviewRequest preview;
            preview.letter = randomLetter(random);
            preview.kind = layout == 1 ? layout::LayoutKind::Layout1 : layout::LayoutKind::Layout2;
            preview.view.blankBeforeRecipientCity = random.bounded(2) == 1;
            preview.printer = printer;
            PrintRequest print;
            print.letter = preview.letter;
            print.view = preview.view;
            print.kind = preview.kind;
            for (int zoom : {10, 50, 100, 200, 300}) {
                preview.geometry = previewGeometry(printer, 96, zoom);
                // Large zooms only scale the same pictures up: their page counts are checked.
                const bool compared = zoom <= 100;
                FakePrinter fake(dpi, printer.printableArea,
                                 compared ? preview.geometry.size : QSize(8, 8),
                                 preview.geometry.scale);
                const PrintOutcome printed = printLetter(fake, print);
                QVERIFY2(printed.error.isEmpty(), qPrintable(printed.error));
                PreviewRenderer renderer;
                const QString where = QStringLiteral("letter %1, zoom %2").arg(letterNo).arg(zoom);
                QVERIFY2(renderer.pageCount(preview) == printed.pages, qPrintable(where));
                // The first, a middle and the last page: where breaks would show.
                for (int page : {1, (printed.pages + 1) / 2, printed.pages}) {
                    if (!compared)
                        break;
                    preview.page = page;
                    QImage shown(preview.geometry.size, QImage::Format_RGB32);
                    QPainter painter(&shown);
                    renderer.paint(painter, preview);
                    painter.end();
                    QVERIFY2(shown == fake.job->pages[page - 1],
                             qPrintable(where + QStringLiteral(", page %1").arg(page)));
                }
            }
        }
    }

    void preprintedStationery_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("layout"); // 1, or 3 for DIN 5008 B
        QTest::addColumn<bool>("preprinted");
        QTest::addColumn<QString>("ink"); // in the letterhead zone and the footer
        QTest::newRow("printer, plain paper") << "printer" << 3 << false << "black";
        QTest::newRow("printer, stationery") << "printer" << 3 << true << "none";
        QTest::newRow("file, stationery") << "file" << 3 << true << "black";
        QTest::newRow("preview, stationery") << "preview" << 3 << true << "faint";
        QTest::newRow("preview, plain paper") << "preview" << 3 << false << "black";
        // Layout 1 has no letterhead zone: the choice leaves it as it is.
        QTest::newRow("printer, Layout 1") << "printer" << 1 << true << "black";
    }

    void preprintedStationery()
    {
        QFETCH(QString, output);
        QFETCH(int, layout);
        QFETCH(bool, preprinted);
        QFETCH(QString, ink);
        const int dpi = 150;
        const QSize a4(1240, 1754);
        PrintRequest request;
        request.letter = letterOfPages(1);
        request.letter.footer = QStringLiteral("Musterbank · IBAN DE00 0000 0000 0000 0000 00");
        request.kind = layout == 1 ? layout::LayoutKind::Layout1 : layout::LayoutKind::DinB;
        request.view.preprintedStationery = preprinted;
        QImage page;
        if (output == QLatin1String("preview")) {
            PreviewRequest preview;
            preview.letter = request.letter;
            preview.view = request.view;
            preview.kind = request.kind;
            preview.printer = PrinterMetrics{dpi, dpi, a4};
            preview.geometry = previewGeometry(preview.printer, dpi, 100);
            page = QImage(preview.geometry.size, QImage::Format_RGB32);
            QPainter painter(&page);
            PreviewRenderer().paint(painter, preview);
        } else {
            std::unique_ptr<FakePrinter> target = output == QLatin1String("file")
                                                      ? std::make_unique<FakeFile>(dpi, a4)
                                                      : std::make_unique<FakePrinter>(dpi, a4);
            const PrintOutcome outcome = printLetter(*target, request);
            QVERIFY2(outcome.error.isEmpty(), qPrintable(outcome.error));
            page = target->job->pages.first();
        }
        // Layout 1's sender stands in its top 40 mm as the DIN letterhead does.
        const int head = darkest(page, 0, layout == 1 ? 40 : 44, dpi);
        const int footer = darkest(page, 275, 297, dpi);
        const int body = darkest(page, 100, 270, dpi);
        QVERIFY2(body < 80, "the letter itself is always printed");
        for (const int darkestGrey : {head, footer}) {
            if (ink == QLatin1String("black"))
                QVERIFY2(darkestGrey < 80, qPrintable(QString::number(darkestGrey)));
            else if (ink == QLatin1String("faint"))
                QVERIFY2(darkestGrey > 120 && darkestGrey < 240,
                         qPrintable(QString::number(darkestGrey)));
            else
                QCOMPARE(darkestGrey, 255);
        }
        // The export writes a file, which keeps everything.
        QVERIFY(!PdfTarget(QStringLiteral("unbenutzt.pdf")).onPaper());
    }

    void failuresAndCancelsAbortTheJob()
    {
        PrintRequest request;
        request.letter = letterOfPages(3);

        FakePrinter cancelled(150, QSize(1240, 1754));
        const PrintOutcome stop =
            printLetter(cancelled, request, [](int page, int) { return page < 2; });
        QVERIFY(stop.cancelled);
        QVERIFY(cancelled.job->aborted);
        QVERIFY(!cancelled.job->ended);

        FakePrinter jammed(150, QSize(1240, 1754));
        jammed.failNewPageAt = 2;
        const PrintOutcome jam = printLetter(jammed, request);
        QCOMPARE(jam.error, QStringLiteral("Papierstau"));
        QVERIFY(jammed.job->aborted);
        QVERIFY(!jammed.job->ended);

        FakePrinter missing(150, QSize(1240, 1754));
        missing.problem = PrinterTarget::noDefaultPrinterText();
        const PrintOutcome none = printLetter(missing, request);
        QCOMPARE(none.error, QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt"));
        QCOMPARE(missing.job->begun, 0);
    }

    void pdfExport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("brief.pdf"));
        PrintRequest request;
        request.letter = letterOfPages(3);
        PdfTarget pdf(path, QPageSize(QPageSize::A4), 150);
        const PrintOutcome outcome = printLetter(pdf, request);
        QVERIFY2(outcome.error.isEmpty(), qPrintable(outcome.error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(pdfPageCount(bytes), outcome.pages);
        QVERIFY(outcome.pages >= 3);
    }

    void aCancelledExportLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("brief.pdf"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("alt");
        }
        PrintRequest request;
        request.letter = letterOfPages(2);
        PdfTarget pdf(path, QPageSize(QPageSize::A4), 150);
        const PrintOutcome outcome = printLetter(pdf, request, [](int, int) { return false; });
        QVERIFY(outcome.cancelled);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("alt"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("brief.pdf")});

        PdfTarget nowhere(dir.filePath(QStringLiteral("fehlt/brief.pdf")));
        QCOMPARE(printLetter(nowhere, request).error, QStringLiteral("Ordner nicht gefunden"));
    }

    void aPrinterThatIsReallyAPdfWriterIsNoPrinter()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        QCOMPARE(PrinterTarget::problem(printer), PrinterTarget::noDefaultPrinterText());
    }
};

QTEST_MAIN(TestLetterPrinter)
#include "tst_letterprinter.moc"
