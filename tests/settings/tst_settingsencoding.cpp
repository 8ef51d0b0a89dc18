#include "settings/SettingsEncoding.h"

#include <QTest>

using namespace quillory;
using namespace quillory::settings::SettingsEncoding;
using document::FontPitch;
using document::FontStyleBit;

class TestSettingsEncoding : public QObject
{
    Q_OBJECT

private slots:
    void trimming_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("separator") << QStringLiteral("; ") << QStringLiteral(";");
        QTest::newRow("both ends") << QStringLiteral(" \t a b \r\n") << QStringLiteral("a b");
        QTest::newRow("control characters")
            << QString(QChar(1)) + QStringLiteral("x") + QChar(31) << QStringLiteral("x");
        QTest::newRow("only blanks") << QStringLiteral("   ") << QString();
        QTest::newRow("non-breaking space stays") << QString(QChar(0xA0)) << QString(QChar(0xA0));
    }

    void trimming()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(trimmed(text), expected);
    }

    void numbersIgnoreTheLocale_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 20.0 << QStringLiteral("20");
        QTest::newRow("half") << 12.5 << QStringLiteral("12.5");
        QTest::newRow("cents") << 12.35 << QStringLiteral("12.35");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
        QTest::newRow("thousand") << 1000.0 << QStringLiteral("1000");
    }

    void numbersIgnoreTheLocale()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        const QLocale previous;
        for (const QLocale& locale : {QLocale(QLocale::German), QLocale(QLocale::English)}) {
            QLocale::setDefault(locale);
            QCOMPARE(encodeNumber(value), text);
            QCOMPARE(decodeNumber(text), std::optional<double>(value));
        }
        QLocale::setDefault(previous);
    }

    void numbersThatAreNone()
    {
        QCOMPARE(decodeNumber(QStringLiteral("zwanzig")), std::nullopt);
        QCOMPARE(decodeNumber(QString()), std::nullopt);
    }

    void truthValuesIgnoreCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<bool>>("expected");
        QTest::newRow("True") << QStringLiteral("True") << std::optional<bool>(true);
        QTest::newRow("TRUE") << QStringLiteral("TRUE") << std::optional<bool>(true);
        QTest::newRow("true") << QStringLiteral("true") << std::optional<bool>(true);
        QTest::newRow("false") << QStringLiteral("fAlSe") << std::optional<bool>(false);
        QTest::newRow("yes") << QStringLiteral("yes") << std::optional<bool>();
        QTest::newRow("1") << QStringLiteral("1") << std::optional<bool>();
    }

    void truthValuesIgnoreCase()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<bool>, expected);
        QCOMPARE(decodeBool(text), expected);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("window text colour") << QStringLiteral("-2147483640") << int(0x80000008u);
        QTest::newRow("height") << QStringLiteral("-15") << -15;
        QTest::newRow("not a number") << QStringLiteral("elf") << 0;
        QTest::newRow("too large") << QStringLiteral("2147483648") << 0;
        QTest::newRow("fraction") << QStringLiteral("1.5") << 0;
    }

    void wholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(decodeWholeNumber(text), expected);
    }

    void styles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bits");
        QTest::newRow("none") << QStringLiteral("[]") << 0;
        QTest::newRow("bold italic") << QStringLiteral("[fsBold,fsItalic]")
                                     << int(FontStyleBit::Bold | FontStyleBit::Italic);
        QTest::newRow("blank after comma") << QStringLiteral("[fsBold, fsItalic]")
                                           << int(FontStyleBit::Bold | FontStyleBit::Italic);
        QTest::newRow("any case") << QStringLiteral("[FSUNDERLINE,fsstrikeout]")
                                  << int(FontStyleBit::Underline | FontStyleBit::StrikeOut);
        QTest::newRow("unknown words ignored") << QStringLiteral("[bold]") << 0;
        QTest::newRow("all four") << QStringLiteral("[fsBold,fsItalic,fsUnderline,fsStrikeOut]")
                                  << 0x0F;
    }

    void styles()
    {
        QFETCH(QString, text);
        QFETCH(int, bits);
        QCOMPARE(int(decodeStyle(text)), bits);
        QCOMPARE(int(decodeStyle(encodeStyle(quint8(bits)))), bits);
    }

    void stylesAreWrittenInTheirOrder()
    {
        QCOMPARE(encodeStyle(0), QStringLiteral("[]"));
        QCOMPARE(encodeStyle(FontStyleBit::Italic | FontStyleBit::Bold),
                 QStringLiteral("[fsBold,fsItalic]"));
        QCOMPARE(encodeStyle(0x0F), QStringLiteral("[fsBold,fsItalic,fsUnderline,fsStrikeOut]"));
    }

    void pitches()
    {
        for (FontPitch pitch : {FontPitch::Default, FontPitch::Variable, FontPitch::Fixed})
            QCOMPARE(decodePitch(encodePitch(pitch)), std::optional<FontPitch>(pitch));
        QCOMPARE(encodePitch(FontPitch::Default), QStringLiteral("fpDefault"));
        QCOMPARE(decodePitch(QStringLiteral("FPFIXED")),
                 std::optional<FontPitch>(FontPitch::Fixed));
        QCOMPARE(decodePitch(QStringLiteral("fixed")), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestSettingsEncoding)
#include "tst_settingsencoding.moc"
