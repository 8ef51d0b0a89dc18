#include "document/Windows1252.h"

#include <QTest>

using namespace quillory::document;

class TestWindows1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteSurvivesARoundTrip()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        const QString text = Windows1252::decode(all);
        QCOMPARE(text.size(), 256);
        const Windows1252::Encoded back = Windows1252::encode(text);
        QCOMPARE(back.bytes, all);
        QVERIFY(back.replaced.isEmpty());
        QVERIFY(Windows1252::canEncode(text));
    }

    void knownCharacters_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("byte");
        QTest::newRow("u umlaut") << QStringLiteral("ü") << 0xFC;
        QTest::newRow("sharp s") << QStringLiteral("ß") << 0xDF;
        QTest::newRow("euro") << QStringLiteral("€") << 0x80;
        QTest::newRow("en dash") << QStringLiteral("–") << 0x96;
        QTest::newRow("low quote") << QStringLiteral("„") << 0x84;
        QTest::newRow("left quote") << QStringLiteral("“") << 0x93;
        QTest::newRow("Y diaeresis") << QStringLiteral("Ÿ") << 0x9F;
        QTest::newRow("unassigned 0x81") << QString(QChar(0x81)) << 0x81;
        QTest::newRow("nbsp") << QString(QChar(0xA0)) << 0xA0;
    }

    void knownCharacters()
    {
        QFETCH(QString, character);
        QFETCH(int, byte);
        const Windows1252::Encoded encoded = Windows1252::encode(character);
        QCOMPARE(encoded.bytes, QByteArray(1, char(byte)));
        QCOMPARE(Windows1252::decode(encoded.bytes), character);
    }

    void unencodableCharactersAreReplacedAndReported_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("replaced");
        QTest::newRow("cyrillic") << QStringLiteral("Привет") << QByteArray("??????")
                                  << QStringLiteral("Привет");
        QTest::newRow("repeated once")
            << QStringLiteral("a☃b☃c") << QByteArray("a?b?c") << QStringLiteral("☃");
        QTest::newRow("emoji is one character")
            << QStringLiteral("x😀y") << QByteArray("x?y") << QStringLiteral("😀");
        QTest::newRow("lone surrogate")
            << QString(QChar(0xD800)) << QByteArray("?") << QString(QChar(0xD800));
        QTest::newRow("C1 outside the table")
            << QString(QChar(0x80)) << QByteArray("?") << QString(QChar(0x80));
    }

    void unencodableCharactersAreReplacedAndReported()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, replaced);
        const Windows1252::Encoded encoded = Windows1252::encode(text);
        QCOMPARE(encoded.bytes, bytes);
        QCOMPARE(encoded.replaced, replaced);
        QCOMPARE(Windows1252::unencodableCharacters(text), replaced);
        QVERIFY(!Windows1252::canEncode(text));
    }
};

QTEST_APPLESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
