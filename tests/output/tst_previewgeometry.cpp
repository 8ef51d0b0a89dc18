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
        QTest::addColumn<double>("dpi");
        QTest::addColumn<double>("fontScale");
        const QSize a4(4760, 6812);
        QTest::newRow("zoom 100") << 600 << 600 << a4 << 100 << QSize(761, 1089) << 96.0 << 1.0;
        QTest::newRow("zoom 50") << 600 << 600 << a4 << 50 << QSize(380, 544) << 48.0 << 0.5;
        QTest::newRow("zoom 300") << 600 << 600 << a4 << 300 << QSize(2284, 3269) << 288.0 << 3.0;
        QTest::newRow("600 x 300 dpi printer")
            << 600 << 300 << QSize(4760, 3410) << 100 << QSize(761, 545) << 96.0 << 1.0;
        QTest::newRow("typed zoom 0 is clamped")
            << 600 << 600 << a4 << 0 << QSize(76, 108) << 9.6 << 0.1;
        QTest::newRow("typed zoom 9999 is clamped")
            << 600 << 600 << a4 << 9999 << QSize(2284, 3269) << 288.0 << 3.0;
    }

    void sizes()
    {
        QFETCH(int, printerX);
        QFETCH(int, printerY);
        QFETCH(QSize, printable);
        QFETCH(int, zoom);
        QFETCH(QSize, size);
        QFETCH(double, dpi);
        QFETCH(double, fontScale);
        const PreviewGeometry g = previewGeometry({printerX, printerY, printable}, 96, zoom);
        QCOMPARE(g.size, size);
        QCOMPARE(g.dpi, dpi);
        QCOMPARE(g.fontScale, fontScale);
    }
};

QTEST_APPLESS_MAIN(TestPreviewGeometry)
#include "tst_previewgeometry.moc"
