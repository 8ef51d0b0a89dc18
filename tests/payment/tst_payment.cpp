#include "document/LetterExtension.h"
#include "payment/PaymentCheck.h"
#include "payment/PaymentCode.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory::payment;
using quillory::document::Letter;

namespace {

Letter letterPaying(const Letter::Payment& payment)
{
    Letter letter = Letter::makeNew(QDate(2026, 12, 8));
    letter.senderName = u"Erika Mustermann"_s;
    letter.payment = payment;
    return letter;
}

} // namespace

class TestPayment : public QObject
{
    Q_OBJECT

private slots:
    void fieldChecks_data();
    void fieldChecks();
    void normalised_data();
    void normalised();
    void payload_data();
    void payload();
    void problems_data();
    void problems();
    void largestPayloadFitsVersion13();
    void extensionKeepsPayment();
};

void TestPayment::fieldChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("error"); // the message's start; empty: fine

    const QString digits = u"Die Prüfziffern der IBAN"_s;
    QTest::newRow("DE") << "iban"
                        << "DE89 3704 0044 0532 0130 00" << QString();
    QTest::newRow("AT") << "iban"
                        << "AT611904300234573201" << QString();
    QTest::newRow("CH") << "iban"
                        << "CH93 0076 2011 6238 5295 7" << QString();
    QTest::newRow("NL") << "iban"
                        << "NL91ABNA0417164300" << QString();
    QTest::newRow("FR, letter inside") << "iban"
                                       << "FR14 2004 1010 0505 0001 3M02 606" << QString();
    QTest::newRow("lower case") << "iban"
                                << "de89370400440532013000" << QString();
    QTest::newRow("wrong digit") << "iban"
                                 << "DE89 3704 0044 0532 0131 00" << digits;
    QTest::newRow("swapped digits") << "iban"
                                    << "DE89 3704 0044 0532 0103 00" << digits;
    QTest::newRow("letter among digits") << "iban"
                                         << "DE89 3704 0044 0532 0I30 00" << digits;
    QTest::newRow("too short") << "iban"
                               << "DE89 3704 0044 0532 0130 0"
                               << u"Eine IBAN mit dem Kürzel DE hat 22 Stellen, diese hat 21."_s;
    QTest::newRow("AT too long") << "iban"
                                 << "AT611904300234573201 1"
                                 << u"Eine IBAN mit dem Kürzel AT hat 20 Stellen, diese hat 21."_s;
    QTest::newRow("unknown country")
        << "iban"
        << "US64SVBKUS6S3300958879" << u"Die IBAN beginnt nicht mit dem Kürzel"_s;
    QTest::newRow("letters as check digits")
        << "iban"
        << "DEAB370400440532013000" << u"Auf das Länderkürzel der IBAN"_s;
    QTest::newRow("punctuation") << "iban"
                                 << "DE89-3704-0044-0532-0130-00"
                                 << u"Die IBAN darf nur Buchstaben und Ziffern"_s;
    QTest::newRow("no IBAN") << "iban"
                             << " " << u"Bitte geben Sie die IBAN"_s;

    const QString bic = u"Die BIC hat 8 oder 11 Stellen"_s;
    QTest::newRow("BIC 8") << "bic"
                           << "BKAUATWW" << QString();
    QTest::newRow("BIC 11, lower case") << "bic"
                                        << "cobadeffxxx" << QString();
    QTest::newRow("BIC none") << "bic"
                              << "" << QString();
    QTest::newRow("BIC 9") << "bic"
                           << "BKAUATWWX" << bic;
    QTest::newRow("BIC digit in bank") << "bic"
                                       << "BK1UATWW" << bic;
    QTest::newRow("BIC digit in country") << "bic"
                                          << "BKAUA1WW" << bic;

    const QString format = u"Der Betrag ist eine Zahl"_s;
    const QString range = u"Der Betrag muss zwischen 0,01 und 999.999.999,99"_s;
    QTest::newRow("comma") << "amount"
                           << "149,90" << QString();
    QTest::newRow("point, one decimal") << "amount"
                                        << "149.9" << QString();
    QTest::newRow("smallest") << "amount"
                              << "0,01" << QString();
    QTest::newRow("largest") << "amount"
                             << "999999999.99" << QString();
    QTest::newRow("no amount") << "amount"
                               << "" << QString();
    QTest::newRow("three decimals") << "amount"
                                    << "1,999" << format;
    QTest::newRow("thousands point") << "amount"
                                     << "1.000,00" << format;
    QTest::newRow("negative") << "amount"
                              << "-5" << format;
    QTest::newRow("zero") << "amount"
                          << "0,00" << range;
    QTest::newRow("a billion") << "amount"
                               << "1000000000" << range;

    const QString rfDigits = u"Die Prüfziffern der Referenz"_s;
    const QString rfForm = u"Die Referenz beginnt mit RF"_s;
    QTest::newRow("RF") << "reference"
                        << "RF18 5390 0754 7034" << QString();
    QTest::newRow("RF lower case") << "reference"
                                   << "rf18539007547034" << QString();
    QTest::newRow("RF wrong digit") << "reference"
                                    << "RF18 5390 0754 7035" << rfDigits;
    QTest::newRow("RF without digits") << "reference"
                                       << "RFAB539007547034" << rfForm;
    QTest::newRow("RF 22 characters") << "reference" << u"RF00"_s + QString(22, u'1') << rfForm;
    QTest::newRow("no RF") << "reference"
                           << "18539007547034" << rfForm;

    QTest::newRow("text 140") << "text" << QString(140, u'ä') << QString();
    QTest::newRow("text 141") << "text" << QString(141, u'a')
                              << u"Der Verwendungszweck darf höchstens 140 Zeichen"_s;
    QTest::newRow("text two lines") << "text"
                                    << "a\nb" << u"Der Verwendungszweck muss in"_s;
    QTest::newRow("payee 70") << "payee" << QString(70, u'ö') << QString();
    QTest::newRow("payee 71") << "payee" << QString(71, u'o')
                              << u"Der Name des Zahlungsempfängers darf höchstens 70"_s;
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
    if (error.isEmpty())
        QCOMPARE(got, QString());
    else
        QVERIFY2(got.startsWith(error), qPrintable(got));
}

void TestPayment::normalised_data()
{
    QTest::addColumn<Letter::Payment>("entered");
    QTest::addColumn<Letter::Payment>("stored");
    QTest::newRow("typed")
        << Letter::Payment{u" Jörg "_s, u"de89 3704 0044 0532 0130 00"_s, u"cobade ffxxx"_s,
                           u"0149,9"_s, u"rf18 5390 0754 7034"_s,         QString()}
        << Letter::Payment{u"Jörg"_s,   u"DE89370400440532013000"_s, u"COBADEFFXXX"_s,
                           u"149.90"_s, u"RF18539007547034"_s,       QString()};
    // A serial letter's placeholders keep their spelling until a record fills them.
    QTest::newRow("placeholders") << Letter::Payment{u"{Name}"_s,   u"{Iban}"_s, u"{Bic}"_s,
                                                     u"{Betrag}"_s, u"{Ref}"_s,  {}}
                                  << Letter::Payment{u"{Name}"_s,   u"{Iban}"_s, u"{Bic}"_s,
                                                     u"{Betrag}"_s, u"{Ref}"_s,  {}};
    QTest::newRow("whole euros") << Letter::Payment{{}, {}, {}, u"5"_s, {}, {}}
                                 << Letter::Payment{{}, {}, {}, u"5.00"_s, {}, {}};
}

void TestPayment::normalised()
{
    QFETCH(Letter::Payment, entered);
    QFETCH(Letter::Payment, stored);
    QCOMPARE(PaymentCheck::normalised(entered), stored);
    QCOMPARE(PaymentCheck::normalised(stored), stored);
}

void TestPayment::payload_data()
{
    QTest::addColumn<Letter::Payment>("payment");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("amount and text")
        << Letter::Payment{u"Jörg Müller"_s, u"DE89 3704 0044 0532 0130 00"_s, {}, u"149,90"_s, {},
                           u"Rechnung 17"_s}
        << QByteArray("BCD\n002\n1\nSCT\n\nJ\xc3\xb6rg M\xc3\xbcller\nDE89370400440532013000\n"
                      "EUR149.90\n\n\nRechnung 17");
    QTest::newRow("reference ends it")
        << Letter::Payment{u"Verein"_s, u"AT611904300234573201"_s, u"BKAUATWW"_s,
                           {},          u"RF18539007547034"_s,     {}}
        << QByteArray("BCD\n002\n1\nSCT\nBKAUATWW\nVerein\nAT611904300234573201\n\n\n"
                      "RF18539007547034");
    QTest::newRow("sender pays, amount ends it")
        << Letter::Payment{{}, u"NL91ABNA0417164300"_s, {}, u"12"_s, {}, {}}
        << QByteArray("BCD\n002\n1\nSCT\n\nErika Mustermann\nNL91ABNA0417164300\nEUR12.00");
}

void TestPayment::payload()
{
    QFETCH(Letter::Payment, payment);
    QFETCH(QByteArray, bytes);
    const Letter letter = letterPaying(payment);
    QCOMPARE(PaymentCode::problem(letter), QString());
    QCOMPARE(PaymentCode::payload(PaymentCode::effective(letter)), bytes);
}

void TestPayment::problems_data()
{
    QTest::addColumn<Letter::Payment>("payment");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("problem"); // its start; empty: none
    const QString iban = u"DE89370400440532013000"_s;
    QTest::newRow("none") << Letter::Payment() << QString() << QString();
    QTest::newRow("reference and text")
        << Letter::Payment{{}, iban, {}, {}, u"RF18539007547034"_s, u"Rechnung"_s} << u"Erika"_s
        << u"Referenz und Verwendungszweck"_s;
    QTest::newRow("no payee, no sender")
        << Letter::Payment{{}, iban, {}, u"1"_s, {}, {}} << QString()
        << u"Bitte geben Sie den Namen des Zahlungsempfängers"_s;
    // 70 and 140 characters of two bytes each: every field fits, the code does not.
    QTest::newRow("payload over 331 bytes")
        << Letter::Payment{QString(70, u'ä'), iban, {}, u"1"_s, {}, QString(140, u'ü')} << QString()
        << u"Die Angaben sind zu lang für den Zahlungscode: 469 Bytes"_s;
}

void TestPayment::problems()
{
    QFETCH(Letter::Payment, payment);
    QFETCH(QString, sender);
    QFETCH(QString, problem);
    Letter letter = letterPaying(payment);
    letter.senderName = sender;
    const QString got = PaymentCode::problem(letter);
    QVERIFY2(problem.isEmpty() ? got.isEmpty() : got.startsWith(problem), qPrintable(got));
    // Nothing is drawn for a payment that cannot be paid.
    QCOMPARE(PaymentCode::symbol(letter).isEmpty(), true);
}

void TestPayment::largestPayloadFitsVersion13()
{
    // A payload of the largest size allowed needs a symbol of version 13 at most: 69 modules.
    const QByteArray payload =
        "BCD\n002\n1\nSCT\n\nX\nDE89370400440532013000\n\n\n\n" + QByteArray(331 - 43, 'a');
    QCOMPARE(payload.size(), 331);
    const QrMatrix symbol = PaymentCode::encode(payload);
    QVERIFY(!symbol.isEmpty());
    QVERIFY2(symbol.size <= 69, QByteArray::number(symbol.size));
}

void TestPayment::extensionKeepsPayment()
{
    using namespace quillory::document;
    Letter letter = letterPaying(
        {u"Jörg"_s, u"DE89370400440532013000"_s, {}, u"{Betrag}"_s, {}, u"Miete für März"_s});
    Letter read = Letter::makeNew(QDate(2026, 12, 8));
    QCOMPARE(LetterExtension::parse(LetterExtension::serialize(letter), read),
             LetterExtension::Outcome::Read);
    QCOMPARE(read.payment, letter.payment);
    QVERIFY(read.unknownExtensionEntries.isEmpty());
}

QTEST_GUILESS_MAIN(TestPayment)
#include "tst_payment.moc"
