#include "document/Letter.h"
#include "document/ValueRules.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace quillory::document;

class TestValueRules : public QObject
{
    Q_OBJECT

private slots:
    void integers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<int>("expected");
        QTest::newRow("lines above range") << 1500.0 << 0.0 << 1000.0 << 1000;
        QTest::newRow("lines below range") << -3.0 << 0.0 << 1000.0 << 0;
        QTest::newRow("2.5 to even 2") << 2.5 << 0.0 << 1000.0 << 2;
        QTest::newRow("3.5 to even 4") << 3.5 << 0.0 << 1000.0 << 4;
        QTest::newRow("2.4999 down") << 2.4999 << 0.0 << 1000.0 << 2;
        QTest::newRow("2.5001 up") << 2.5001 << 0.0 << 1000.0 << 3;
        QTest::newRow("reduction above range") << 12.0 << 0.0 << 10.0 << 10;
        QTest::newRow("page below range") << 0.0 << 1.0 << 100000.0 << 1;
        QTest::newRow("zoom 0.5 step") << 10.5 << 10.0 << 300.0 << 10;
        QTest::newRow("NaN gives minimum") << std::nan("") << 10.0 << 300.0 << 10;
        QTest::newRow("infinity clamps")
            << std::numeric_limits<double>::infinity() << 0.0 << 1000.0 << 1000;
        QTest::newRow("minus infinity clamps")
            << -std::numeric_limits<double>::infinity() << 0.0 << 1000.0 << 0;
    }

    void integers()
    {
        QFETCH(double, value);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(int, expected);
        QCOMPARE(ValueRules::setInteger(value, NumberRange{minimum, maximum, 1}), expected);
    }

    void margin_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("two decimals, half up") << 12.345 << 12.35;
        QTest::newRow("below half") << 12.344 << 12.34;
        QTest::newRow("1.005 reads as 1.005") << 1.005 << 1.01;
        QTest::newRow("above range") << 1200.0 << 1000.0;
        QTest::newRow("below range") << -5.0 << 0.0;
        QTest::newRow("default") << 20.0 << 20.0;
        QTest::newRow("999.999 stays in range") << 999.999 << 1000.0;
        QTest::newRow("NaN") << std::nan("") << 0.0;
    }

    void margin()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(ValueRules::setDecimal(value, Letter::kMarginRange), expected);
    }

    void dates_data()
    {
        QTest::addColumn<double>("dayNumber");
        QTest::addColumn<QDate>("expected");
        const QDate today(2026, 12, 8);
        QTest::newRow("1 January 2000") << 36526.0 << QDate(2000, 1, 1);
        QTest::newRow("time of day ignored") << 36526.75 << QDate(2000, 1, 1);
        QTest::newRow("day 1") << 1.0 << QDate(1899, 12, 31);
        QTest::newRow("day 0 is today") << 0.0 << today;
        QTest::newRow("negative day") << -1.0 << QDate(1899, 12, 29);
        QTest::newRow("negative with time") << -1.5 << QDate(1899, 12, 29);
        QTest::newRow("first day") << -693593.0 << QDate(1, 1, 1);
        QTest::newRow("before first day") << -693594.0 << today;
        QTest::newRow("last day") << 2958465.0 << QDate(9999, 12, 31);
        QTest::newRow("after last day") << 2958466.0 << today;
        QTest::newRow("NaN") << std::nan("") << today;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << today;
        QTest::newRow("huge") << 1e300 << today;
    }

    void dates()
    {
        QFETCH(double, dayNumber);
        QFETCH(QDate, expected);
        QCOMPARE(ValueRules::setDate(dayNumber, QDate(2026, 12, 8)), expected);
    }

    void dayNumbersRoundTrip()
    {
        for (const QDate date : {QDate(2000, 1, 1), QDate(1899, 12, 31), QDate(1, 1, 1),
                                 QDate(9999, 12, 31), QDate(2024, 2, 29)}) {
            const double day = ValueRules::dayNumberFromDate(date);
            QCOMPARE(ValueRules::dateFromDayNumber(day), std::optional<QDate>(date));
        }
        QCOMPARE(ValueRules::dayNumberFromDate(QDate(2000, 1, 1)), 36526.0);
    }

    void roundHalfAway_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("10.5") << 10.5 << 11;
        QTest::newRow("-10.5") << -10.5 << -11;
        QTest::newRow("14.666") << 14.666 << 15;
        QTest::newRow("saturates high") << 1e12 << std::numeric_limits<int>::max();
        QTest::newRow("saturates low, negatable") << -1e12 << -std::numeric_limits<int>::max();
        QTest::newRow("NaN") << std::nan("") << 0;
    }

    void roundHalfAway()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(ValueRules::roundHalfAway(value), expected);
    }
};

QTEST_APPLESS_MAIN(TestValueRules)
#include "tst_valuerules.moc"
