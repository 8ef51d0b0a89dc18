#include "output/PreviewGeometry.h"

#include <QTest>

using namespace quillory::output;

class TestPreviewGeometry : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data()
    {
        QTest::addColumn<int>("printerX");
        QTest::addColumn<int>("printerY");
        QTest::addColumn<QSize>("printable");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("scale"); // screen pixels per printer pixel
        const QSize a4(4760, 6812);
        QTest::newRow("zoom 100") << 600 << 600 << a4 << 100 << QSize(761, 1089) << 0.16;
        QTest::newRow("zoom 50") << 600 << 600 << a4 << 50 << QSize(380, 544) << 0.08;
        QTest::newRow("zoom 300") << 600 << 600 << a4 << 300 << QSize(2284, 3269) << 0.48;
        QTest::newRow("600 x 300 dpi printer")
            << 600 << 300 << QSize(4760, 3410) << 100 << QSize(761, 545) << 0.16;
        QTest::newRow("typed zoom 0 is clamped")
            << 600 << 600 << a4 << 0 << QSize(76, 108) << 0.016;
        QTest::newRow("typed zoom 9999 is clamped")
            << 600 << 600 << a4 << 9999 << QSize(2284, 3269) << 0.48;
    }

    void sizes()
    {
        QFETCH(int, printerX);
        QFETCH(int, printerY);
        QFETCH(QSize, printable);
        QFETCH(int, zoom);
        QFETCH(QSize, size);
        QFETCH(double, scale);
        const PreviewGeometry g = previewGeometry({printerX, printerY, printable}, 96, zoom);
        QCOMPARE(g.size, size);
        QCOMPARE(g.scale, scale);
    }
};

QTEST_APPLESS_MAIN(TestPreviewGeometry)
#include "tst_previewgeometry.moc"
