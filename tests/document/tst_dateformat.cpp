#include "document/DateFormat.h"

#include <QTest>

using namespace quillory::document;

class TestDateFormat : public QObject
{
    Q_OBJECT

private slots:
    void patternsFollowTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("shown");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << QStringLiteral("dd.MM.yyyy") << QStringLiteral("05.03.2024");
        QTest::newRow("US") << QLocale(QLocale::English, QLocale::UnitedStates)
                            << QStringLiteral("MM/dd/yyyy") << QStringLiteral("03/05/2024");
        QTest::newRow("British") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                 << QStringLiteral("dd/MM/yyyy") << QStringLiteral("05/03/2024");
        QTest::newRow("Swedish") << QLocale(QLocale::Swedish, QLocale::Sweden)
                                 << QStringLiteral("yyyy-MM-dd") << QStringLiteral("2024-03-05");
        QTest::newRow("Dutch") << QLocale(QLocale::Dutch, QLocale::Netherlands)
                               << QStringLiteral("dd-MM-yyyy") << QStringLiteral("05-03-2024");
    }

    void patternsFollowTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, pattern);
        QFETCH(QString, shown);
        QCOMPARE(DateFormat::pattern(locale), pattern);
        QCOMPARE(DateFormat::format(QDate(2024, 3, 5), locale), shown);
        QCOMPARE(DateFormat::parse(shown, locale), QDate(2024, 3, 5));
    }

    void theCLocaleShowsGermanDates()
    {
        // Run under LC_ALL=C.UTF-8 by ctest, so the system locale is C.
        if (QLocale::system().language() != QLocale::C)
            QSKIP("the system locale is not C here");
        QCOMPARE(DateFormat::pattern(DateFormat::displayLocale()), QStringLiteral("dd.MM.yyyy"));
    }

    void textThatIsNoDateParsesInvalid()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        QVERIFY(!DateFormat::parse(QString(), german).isValid());
        QVERIFY(!DateFormat::parse(QStringLiteral("31.02.2024"), german).isValid());
        QVERIFY(!DateFormat::parse(QStringLiteral("morgen"), german).isValid());
        QCOMPARE(DateFormat::parse(QStringLiteral(" 29.02.2024 "), german), QDate(2024, 2, 29));
    }
};

QTEST_APPLESS_MAIN(TestDateFormat)
#include "tst_dateformat.moc"
