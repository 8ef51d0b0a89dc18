#include "layout/DrawPage.h"
#include "layout/PainterCanvas.h"
#include "output/LetterPrinter.h"
#include "output/PdfTarget.h"
#include "output/PrinterTarget.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::output;
using document::Letter;

namespace {

constexpr double kInchesPerMetre = 39.37007874;

/** A printer that keeps each page as a picture and tells what was asked of it. */
class FakePrinter : public PrintTarget
{
public:
    /** imageSize: the part of each page kept as a picture; the rest is clipped. */
    FakePrinter(int dpi, QSize printable, QSize imageSize = QSize())
        : m_dpi(dpi), m_printable(printable),
          m_imageSize(imageSize.isValid() ? imageSize : printable)
    {}

    QString problem;       // returned by metrics()
    int failNewPageAt = 0; // page number whose newPage() fails
    QString title;
    QList<QImage> pages;
    int begun = 0;
    bool ended = false;
    bool aborted = false;

    QString metrics(PrinterMetrics& metrics) override
    {
        metrics = {m_dpi, m_dpi, m_printable};
        return problem;
    }
    QString begin(const QString& jobTitle) override
    {
        ++begun;
        title = jobTitle;
        startPage();
        return QString();
    }
    QPainter& painter() override { return m_painter; }
    QString newPage() override
    {
        if (pages.size() + 1 == failNewPageAt)
            return QStringLiteral("Papierstau");
        m_painter.end();
        startPage();
        return QString();
    }
    QString end() override
    {
        m_painter.end();
        ended = true;
        return QString();
    }
    void abort() override
    {
        if (m_painter.isActive())
            m_painter.end();
        aborted = true;
    }

private:
    void startPage()
    {
        QImage page(m_imageSize, QImage::Format_RGB32);
        page.fill(Qt::white);
        page.setDotsPerMeterX(qRound(m_dpi * kInchesPerMetre));
        page.setDotsPerMeterY(qRound(m_dpi * kInchesPerMetre));
        pages.append(page);
        m_painter.begin(&pages.last());
    }

    int m_dpi;
    QSize m_printable;
    QSize m_imageSize;
    QPainter m_painter;
};

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
        QCOMPARE(printer.begun, 1);
        QCOMPARE(printer.title, QStringLiteral("Brief"));
        QCOMPARE(printer.pages.size(), 3);
        QVERIFY(printer.ended);
        QVERIFY(!printer.aborted);
        QCOMPARE(told, (QList<int>{13, 23, 33}));
        // Every page carries ink, and the three differ.
        for (const QImage& page : printer.pages)
            QVERIFY(page != QImage(page.size(), page.format()));
        QVERIFY(printer.pages[0] != printer.pages[1]);
        QVERIFY(printer.pages[1] != printer.pages[2]);
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
        QCOMPARE(first.pages.size(), 1);
        QCOMPARE(second.pages.size(), 1);
        QVERIFY(first.pages[0] != second.pages[0]);

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
        QCOMPARE(second.pages[0], expected);
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
        QCOMPARE(printer.pages.size(), expected);
    }

    void failuresAndCancelsAbortTheJob()
    {
        PrintRequest request;
        request.letter = letterOfPages(3);

        FakePrinter cancelled(150, QSize(1240, 1754));
        const PrintOutcome stop =
            printLetter(cancelled, request, [](int page, int) { return page < 2; });
        QVERIFY(stop.cancelled);
        QVERIFY(cancelled.aborted);
        QVERIFY(!cancelled.ended);

        FakePrinter jammed(150, QSize(1240, 1754));
        jammed.failNewPageAt = 2;
        const PrintOutcome jam = printLetter(jammed, request);
        QCOMPARE(jam.error, QStringLiteral("Papierstau"));
        QVERIFY(jammed.aborted);
        QVERIFY(!jammed.ended);

        FakePrinter missing(150, QSize(1240, 1754));
        missing.problem = PrinterTarget::noDefaultPrinterText();
        const PrintOutcome none = printLetter(missing, request);
        QCOMPARE(none.error, QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt"));
        QCOMPARE(missing.begun, 0);
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
        QCOMPARE(printLetter(nowhere, request).error, QStringLiteral("Invalid filename"));
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
