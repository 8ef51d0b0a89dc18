#include "payment/PaymentCheck.h"
#include "payment/PaymentCode.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory::payment;
using quillory::document::Letter;

class TestPayment : public QObject
{
    Q_OBJECT

private slots:
    void fieldChecks_data();
    void fieldChecks();
    void problems_data();
    void problems();
};

void TestPayment::fieldChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("error"); // the message's start; empty: fine
    struct Row
    {
        const char* field;
        QString value;
        QString error;
    };
    const QString iban = u"Die Prüfziffern der IBAN"_s, bic = u"Die BIC hat 8 oder 11"_s;
    const QString format = u"Der Betrag ist eine Zahl"_s, range = u"Der Betrag muss zwischen"_s;
    const QString rf = u"Die Referenz beginnt mit RF"_s;
    const Row rows[] = {
        {"iban", u"DE89 3704 0044 0532 0130 00"_s, {}},
        {"iban", u"AT611904300234573201"_s, {}},
        {"iban", u"CH93 0076 2011 6238 5295 7"_s, {}},
        {"iban", u"NL91ABNA0417164300"_s, {}},
        {"iban", u"FR14 2004 1010 0505 0001 3M02 606"_s, {}},
        {"iban", u"DE89 3704 0044 0532 0131 00"_s, iban},
        {"iban", u"DE89 3704 0044 0532 0I30 00"_s, iban},
        {"iban", u"DE89 3704 0044 0532 0130 0"_s,
         u"Eine IBAN mit dem Kürzel DE hat 22 Stellen, diese hat 21."_s},
        {"iban", u"US64SVBKUS6S3300958879"_s, u"Die IBAN beginnt nicht mit dem Kürzel"_s},
        {"iban", u"DEAB370400440532013000"_s, u"Auf das Länderkürzel der IBAN"_s},
        {"bic", u"cobadeffxxx"_s, {}},
        {"bic", u"BKAUATWWX"_s, bic},
        {"amount", u"149,9"_s, {}},
        {"amount", u"1,999"_s, format},
        {"amount", u"0,00"_s, range},
        {"amount", u"1000000000"_s, range},
        {"reference", u"rf18 5390 0754 7034"_s, {}},
        {"reference", u"RF18 5390 0754 7035"_s, u"Die Prüfziffern der Referenz"_s},
        {"reference", u"RF00"_s + QString(22, u'1'), rf},
        {"text", QString(141, u'a'), u"Der Verwendungszweck darf höchstens 140 Zeichen"_s},
        {"payee", QString(71, u'o'), u"Der Name des Zahlungsempfängers darf höchstens 70"_s},
    };
    for (const Row& row : rows)
        QTest::addRow("%s %s", row.field, qPrintable(row.value.left(30)))
            << QString::fromLatin1(row.field) << row.value << row.error;
}

void TestPayment::fieldChecks()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, error);
    const QString got = field == "iban"_L1        ? PaymentCheck::ibanError(value)
                        : field == "bic"_L1       ? PaymentCheck::bicError(value)
                        : field == "amount"_L1    ? PaymentCheck::amountError(value)
                        : field == "reference"_L1 ? PaymentCheck::referenceError(value)
                        : field == "text"_L1      ? PaymentCheck::textError(value)
                                                  : PaymentCheck::payeeError(value);
    QVERIFY2(error.isEmpty() ? got.isEmpty() : got.startsWith(error), qPrintable(got));
}

void TestPayment::problems_data()
{
    QTest::addColumn<Letter::Payment>("payment");
    QTest::addColumn<QString>("problem"); // its start
    const QString iban = u"DE89370400440532013000"_s;
    QTest::newRow("reference and text")
        << Letter::Payment{u"Eva"_s, iban, {}, {}, u"RF18539007547034"_s, u"Rechnung"_s}
        << u"Referenz und Verwendungszweck"_s;
    QTest::newRow("no payee, no sender") << Letter::Payment{{}, iban, {}, u"1"_s, {}, {}}
                                         << u"Bitte geben Sie den Namen des Zahlungsempfängers"_s;
    // 70 and 140 characters of two bytes each: every field fits, the code does not.
    QTest::newRow("payload over 331 bytes")
        << Letter::Payment{QString(70, u'ä'), iban, {}, u"1"_s, {}, QString(140, u'ü')}
        << u"Die Angaben sind zu lang für den Zahlungscode: 469 Bytes"_s;
}

void TestPayment::problems()
{
    QFETCH(Letter::Payment, payment);
    QFETCH(QString, problem);
    Letter letter;
    letter.payment = payment;
    const QString got = PaymentCode::problem(letter);
    QVERIFY2(got.startsWith(problem), qPrintable(got));
    // Nothing is drawn for a payment that cannot be paid.
    QVERIFY(PaymentCode::symbol(letter).isEmpty());
}

QTEST_GUILESS_MAIN(TestPayment)
#include "tst_payment.moc"
