#include "document/LetterFont.h"

#include <QTest>

using namespace quillory::document;

class TestLetterFont : public QObject
{
    Q_OBJECT

private slots:
    void sizeFromHeight_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("ppi");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("points"); // drawn at
        QTest::newRow("-15 at 96 is 11 pt") << -15 << 96 << 11 << 11;
        QTest::newRow("-11 at 96 is 8 pt") << -11 << 96 << 8 << 8;
        QTest::newRow("-14 at 96 is 10.5, away from zero") << -14 << 96 << 11 << 11;
        QTest::newRow("-18 at 120 is 10.8") << -18 << 120 << 11 << 11;
        // A cell height is stored as a negative size but drawn at a positive one.
        QTest::newRow("cell height 16 at 96") << 16 << 96 << -12 << 12;
        QTest::newRow("cell height 25 at 120") << 25 << 120 << -15 << 15;
        QTest::newRow("no resolution") << -15 << 0 << 0 << 0;
        QTest::newRow("negative resolution") << -15 << -96 << 0 << 0;
    }

    void sizeFromHeight()
    {
        QFETCH(int, height);
        QFETCH(int, ppi);
        QFETCH(int, size);
        QFETCH(int, points);
        LetterFont font;
        font.setPixelsPerInch(ppi);
        font.setHeight(height);
        QCOMPARE(font.size(), size);
        QCOMPARE(font.pointSize(), points);
    }

    void heightFromSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("ppi");
        QTest::addColumn<int>("height");
        QTest::newRow("11 pt at 96") << 11 << 96 << -15;
        QTest::newRow("8 pt at 96") << 8 << 96 << -11;
        QTest::newRow("11 pt at 120") << 11 << 120 << -18;
        QTest::newRow("9 pt at 96 is 12 exactly") << 9 << 96 << -12;
        QTest::newRow("3 pt at 60 is 2.5, away from zero") << 3 << 60 << -3;
        QTest::newRow("huge size saturates") << 2147483647 << 600 << -2147483647;
    }

    void heightFromSize()
    {
        QFETCH(int, size);
        QFETCH(int, ppi);
        QFETCH(int, height);
        LetterFont font;
        font.setPixelsPerInch(ppi);
        font.setSize(size);
        QCOMPARE(font.height(), height);
    }

    void faceIsCutTo31Characters()
    {
        LetterFont font;
        font.setFace(QString(40, QLatin1Char('x')));
        QCOMPARE(font.face(), QString(31, QLatin1Char('x')));
        // A surrogate pair straddling the cut is dropped whole, never split.
        font.setFace(QString(30, QLatin1Char('y')) + QStringLiteral("😀z"));
        QCOMPARE(font.face(), QString(30, QLatin1Char('y')));
    }

    void styleKeepsOnlyKnownBits()
    {
        LetterFont font;
        font.setStyle(quint8(0xFF));
        QCOMPARE(font.style(), quint8(0x0F));
        font.setStyle(FontStyleBit::Italic, false);
        QCOMPARE(font.style(), quint8(0x0D));
        QVERIFY(font.hasStyle(FontStyleBit::Bold));
        QVERIFY(!font.hasStyle(FontStyleBit::Italic));
    }

    void copyBetweenResolutionsKeepsPoints()
    {
        // 11 pt written on a 120-ppi screen, taken over on a 96-ppi one.
        LetterFont source = LetterFont::arial(-18);
        source.setPixelsPerInch(120);
        source.setStyle(FontStyleBit::Bold, true);
        source.setColor(0x00112233);
        source.setCharset(238);
        source.setPitch(FontPitch::Fixed);
        source.setFace(QStringLiteral("Times New Roman"));

        LetterFont target = LetterFont::arial(-11);
        target.assign(source);
        QCOMPARE(target.pixelsPerInch(), 96);
        QCOMPARE(target.size(), 11);
        QCOMPARE(target.height(), -15);
        QCOMPARE(target.face(), QStringLiteral("Times New Roman"));
        QCOMPARE(target.style(), quint8(FontStyleBit::Bold));
        QCOMPARE(target.color(), 0x00112233u);
        QCOMPARE(target.charset(), quint8(238));
        QCOMPARE(target.pitch(), FontPitch::Fixed);
    }

    void copyAtTheSameResolutionKeepsPixels()
    {
        // -14 at 96 is 10.5 pt; at equal resolutions the height itself is copied.
        const LetterFont source = LetterFont::arial(-14);
        LetterFont target = LetterFont::arial(-15);
        target.assign(source);
        QCOMPARE(target.height(), -14);
    }

    void defaultsAreArialInWindowText()
    {
        const LetterFont font = LetterFont::arial(-15);
        QCOMPARE(font.face(), QStringLiteral("Arial"));
        QCOMPARE(font.pixelsPerInch(), 96);
        QCOMPARE(font.size(), 11);
        QCOMPARE(font.color(), LetterFont::kWindowTextColor);
        QVERIFY(font.isSystemColor());
        QCOMPARE(font.charset(), quint8(0));
        QCOMPARE(font.pitch(), FontPitch::Default);
        QCOMPARE(font.style(), quint8(0));
    }
};

QTEST_APPLESS_MAIN(TestLetterFont)
#include "tst_letterfont.moc"
