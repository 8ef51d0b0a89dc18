#include "layout/PainterCanvas.h"
#include "layout/SignatureImage.h"
#include "LayoutTestSupport.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory::layout;
using namespace quillory::layout::test;

namespace {

QImage blankPage(int width, int height, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

} // namespace

class TestPainterCanvas : public QObject
{
    Q_OBJECT

private slots:
    void signatureImageRead_data()
    {
        QTest::addColumn<QByteArray>("format"); // empty: damaged bytes
        QTest::addColumn<QRgb>("left");         // the pixels read, flattened onto white
        QTest::addColumn<QRgb>("middle");
        QTest::addColumn<QRgb>("right");
        QTest::newRow("transparent PNG")
            << QByteArray("PNG") << qRgb(255, 255, 255) << qRgb(128, 128, 255) << qRgb(0, 0, 255);
        QTest::newRow("opaque PNG")
            << QByteArray("PNG-opaque") << qRgb(255, 0, 0) << qRgb(255, 0, 0) << qRgb(0, 0, 255);
        QTest::newRow("damaged file") << QByteArray() << QRgb(0) << QRgb(0) << QRgb(0);
    }

    void signatureImageRead()
    {
        QFETCH(QByteArray, format);
        QFETCH(QRgb, left);
        QFETCH(QRgb, middle);
        QFETCH(QRgb, right);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unterschrift.png"));
        // Ink on the right; on the left nothing (transparent) or red, half ink between.
        QImage image(3, 1, QImage::Format_ARGB32);
        const bool opaque = format == "PNG-opaque";
        image.setPixel(0, 0, opaque ? qRgb(255, 0, 0) : qRgba(0, 0, 0, 0));
        image.setPixel(1, 0, opaque ? qRgb(255, 0, 0) : qRgba(0, 0, 255, 128));
        image.setPixel(2, 0, qRgb(0, 0, 255));
        image.setDotsPerMeterX(11811);
        if (format.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("\x89PNG\r\n\x1a\n kaputt");
        } else {
            QVERIFY(image.save(path, "PNG"));
        }
        QString error;
        const std::optional<QImage> read = readSignatureImage(path, error);
        QCOMPARE(read.has_value(), !format.isEmpty());
        if (!read) {
            QVERIFY(!error.isEmpty());
            QVERIFY(!readSignatureImage(dir.filePath(QStringLiteral("fehlt.png")), error));
            return;
        }
        QVERIFY(!read->hasAlphaChannel());
        QCOMPARE(read->size(), QSize(3, 1));
        QCOMPARE(read->dotsPerMeterX(), 11811); // flattened at the image's own resolution
        QCOMPARE(read->pixel(0, 0), left);
        QVERIFY2(qAbs(qRed(read->pixel(1, 0)) - qRed(middle)) <= 1, "half ink on white");
        QCOMPARE(qBlue(read->pixel(1, 0)), qBlue(middle));
        QCOMPARE(read->pixel(2, 0), right);
    }

    void pixelSize_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("11 pt at 96") << 11 << 96 << 15;
        QTest::newRow("8 pt at 96") << 8 << 96 << 11;
        QTest::newRow("11 pt at 600") << 11 << 600 << 92;
        QTest::newRow("0 pt is drawn at 1 pt") << 0 << 600 << 8;
        QTest::newRow("-3 pt is drawn at 1 pt") << -3 << 96 << 1;
    }

    void pixelSize()
    {
        QFETCH(int, points);
        QFETCH(int, dpi);
        QFETCH(int, pixels);
        QImage image = blankPage(10, 10, dpi);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        canvas.setFont(CanvasFont{QStringLiteral("Arial"), points});
        QCOMPARE(canvas.qfont().pixelSize(), pixels);
        QCOMPARE(canvas.qfont().kerning(), false);
        QCOMPARE(canvas.textHeight(QString()), 0);
        QCOMPARE(canvas.textWidth(QString()), 0);
        QCOMPARE(canvas.textHeight(QStringLiteral("x")), canvas.textHeight(QStringLiteral("Wg")));
        QVERIFY(canvas.textHeight(QStringLiteral("x")) >= pixels);
    }

    // Plain text is measured as the sum of its glyph advances; without
    // ligature pairs that is exactly Qt's own width for the unkerned font.
    void plainWidthIsQtsWidth_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("text");
        QTest::newRow("Arial 11 at 96") << QStringLiteral("Arial") << 11 << 96
                                        << QStringLiteral("Sehr geehrte Damen und Herren,");
        QTest::newRow("Arial 11 at 600") << QStringLiteral("Arial") << 11 << 600
                                         << QStringLiteral("Musterstraße 1, 12345 Musterstadt");
        QTest::newRow("kerning pairs stay unkerned")
            << QStringLiteral("Liberation Serif") << 13 << 300 << QStringLiteral("AVATAR Tw LT");
        QTest::newRow("Windows-1252 extras")
            << QStringLiteral("DejaVu Sans") << 9 << 150 << QStringLiteral("€ „Zitat“ – • … ‰ Œ ™");
    }

    void plainWidthIsQtsWidth()
    {
        QFETCH(QString, face);
        QFETCH(int, points);
        QFETCH(int, dpi);
        QFETCH(QString, text);
        QImage image = blankPage(10, 10, dpi);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        canvas.setFont(CanvasFont{face, points});
        const QFontMetrics qt(canvas.qfont(), &image);
        QCOMPARE(canvas.textWidth(text), qt.horizontalAdvance(text));
        std::vector<double> advances;
        canvas.estimateAdvances(text, advances);
        double sum = 0;
        for (double advance : advances)
            sum += advance;
        QCOMPARE(qRound(sum), canvas.textWidth(text));
    }

    // A tab is as wide as a space; what the font cannot show plainly is left
    // to Qt's text layout, for measuring and drawing alike.
    void notPlainText()
    {
        QImage image = blankPage(200, 50, 96);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        canvas.setFont(CanvasFont{QStringLiteral("Arial"), 11});
        QCOMPARE(canvas.textWidth(QStringLiteral("a\tb")), canvas.textWidth(QStringLiteral("a b")));
        const QFontMetrics qt(canvas.qfont(), &image);
        const QString combining = QStringLiteral("Cafe\u0301");
        QCOMPARE(canvas.textWidth(combining), qt.horizontalAdvance(combining));
        canvas.textOut(0, 0, combining);
        painter.end();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 128;
        QVERIFY(ink > 20);
    }

    void colour_data()
    {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("window text") << 0x80000008u << QColor(Qt::black);
        QTest::newRow("another system colour") << 0x80000005u << QColor(Qt::black);
        QTest::newRow("red, 0x00BBGGRR") << 0x000000FFu << QColor(255, 0, 0);
        QTest::newRow("blue") << 0x00FF0000u << QColor(0, 0, 255);
    }

    void colour()
    {
        QFETCH(quint32, value);
        QFETCH(QColor, colour);
        QCOMPARE(PainterCanvas::toColor(value), colour);
    }

    // Page 1 of the sample letter on a 96 ppi bitmap: ink on the page, and
    // none outside the 20 mm margins but the fold marks.
    void pageStaysInsideTheMargins()
    {
        QImage image = blankPage(kA4Width96, kA4Height96, 96);
        {
            QPainter painter(&image);
            PainterCanvas canvas(painter);
            QCOMPARE(drawpage(canvas, image.width(), image.height(), 1, 96, 1, sampleLetter(), {}),
                     1);
        }
        const int margin = 75;
        int ink = 0;
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) > 128)
                    continue;
                ++ink;
                if (x <= 11 && (y == 374 || y == 748))
                    continue; // fold marks
                box |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY2(ink > 2000, qPrintable(QString::number(ink)));
        QVERIFY2(QRect(margin, margin, image.width() - 2 * margin, image.height() - 2 * margin)
                     .contains(box),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(box.x())
                                .arg(box.y())
                                .arg(box.width())
                                .arg(box.height())));
        // the fold marks themselves
        QVERIFY(qGray(image.pixel(5, 374)) < 128);
        QVERIFY(qGray(image.pixel(5, 748)) < 128);
        QVERIFY(qGray(image.pixel(20, 374)) > 128);
    }
};

QTEST_MAIN(TestPainterCanvas)
#include "tst_paintercanvas.moc"
