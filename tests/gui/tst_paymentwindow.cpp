#include "document/LetterFile.h"
#include "FormFixture.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using quillory::document::Letter;
using quillory::settings::MemorySettingsBackend;

namespace {

QLineEdit* field(FormFixture& f, const QString& name)
{
    return f.form->findChild<QLineEdit*>(name);
}

/** A label's message as the user sees it: none while it is hidden. */
QString message(FormFixture& f, const QString& name)
{
    const auto* label = f.form->findChild<QLabel*>(name);
    return label && !label->isHidden() ? label->text() : QString();
}

QGroupBox* printBox(FormFixture& f)
{
    return f.form->findChild<QGroupBox*>(u"ZahlungscodeCheck"_s);
}

/** Types text and leaves the field, as the user does. */
void type(FormFixture& f, const QString& name, const QString& text)
{
    field(f, name)->setText(text);
    Q_EMIT field(f, name)->editingFinished();
}

} // namespace

/** The letter's payment code in the window: typed, checked, refused, defaulted and kept. */
class TestPayment : public QObject
{
    Q_OBJECT

private slots:
    void typedPaymentIsCheckedAndNormalised_data()
    {
        QTest::addColumn<QString>("iban");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("errorLabel");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("shownIban");
        QTest::newRow("sound") << u"de89 3704 0044 0532013000"_s << QString()
                               << u"ZahlungIbanFehler"_s << QString()
                               << u"DE89 3704 0044 0532 0130 00"_s;
        QTest::newRow("check digits")
            << u"DE89370400440532013001"_s << QString() << u"ZahlungIbanFehler"_s
            << u"Die Prüfziffern der IBAN stimmen nicht: bitte prüfen Sie sie auf Tippfehler."_s
            << u"DE89370400440532013001"_s;
        QTest::newRow("reference and text")
            << u"DE89370400440532013000"_s << u"RF18539007547034"_s << u"ZahlungscodeFehler"_s
            << u"Referenz und Verwendungszweck gehen nicht zusammen: bitte geben Sie nur eines "
               u"von beiden an."_s
            << u"DE89 3704 0044 0532 0130 00"_s;
    }

    void typedPaymentIsCheckedAndNormalised()
    {
        QFETCH(QString, iban);
        QFETCH(QString, reference);
        QFETCH(QString, errorLabel);
        QFETCH(QString, error);
        QFETCH(QString, shownIban);
        FormFixture f;
        printBox(f)->setChecked(true);
        QVERIFY(f.form->isChanged());
        type(f, u"ZahlungIban"_s, iban);
        type(f, u"ZahlungBetrag"_s, u" 149,9"_s);
        type(f, u"ZahlungZweck"_s, u"Rechnung 4711"_s);
        type(f, u"ZahlungReferenz"_s, reference);

        QCOMPARE(field(f, u"ZahlungIban"_s)->text(), shownIban);
        QCOMPARE(field(f, u"ZahlungBetrag"_s)->text(), u"149,90"_s);
        QCOMPARE(message(f, errorLabel), error);
        const Letter::Payment payment = f.form->letter().payment;
        QCOMPARE(payment.iban, QString(shownIban).remove(u' '));
        QCOMPARE(payment.amount, u"149.90"_s);
        QCOMPARE(field(f, u"ZahlungEmpfaenger"_s)->placeholderText(), f.form->Edit10->text());

        const QString pdf = f.ownRecoveryDir.filePath(u"brief.pdf"_s);
        f.prompts.pdfNames << pdf;
        f.form->AlsPDFspeichern1->trigger();
        QCOMPARE(QFile::exists(pdf), error.isEmpty());
        QCOMPARE(f.prompts.errors.join(u'|'),
                 error.isEmpty() ? QString()
                                 : u"Der Zahlungscode kann so nicht gedruckt werden.\n"_s + error);

        printBox(f)->setChecked(false); // switched off: no payment
        QCOMPARE(f.form->letter().payment, Letter::Payment());
    }

    void ownAccountFillsANewPayment()
    {
        MemorySettingsBackend store;
        store.values[MemorySettingsBackend::keyOf(u"Zahlungscode"_s, u"IBAN"_s)] =
            u"AT611904300234573201"_s;
        FormFixture f({}, &store);
        printBox(f)->setChecked(true);
        QCOMPARE(f.form->letter().payment.iban, u"AT611904300234573201"_s);

        // An own IBAN with a typing error is said and not kept.
        type(f, u"EigeneIban"_s, u"AT611904300234573202"_s);
        QVERIFY(message(f, u"EigenesKontoFehler"_s).startsWith(u"Die Prüfziffern der IBAN"_s));
        type(f, u"EigeneBic"_s, u"bkauatww"_s);
        QCOMPARE(store.values.value(MemorySettingsBackend::keyOf(u"Zahlungscode"_s, u"IBAN"_s)),
                 u"AT611904300234573201"_s);
        type(f, u"EigeneIban"_s, u"DE89370400440532013000"_s);
        QCOMPARE(store.values.value(MemorySettingsBackend::keyOf(u"Zahlungscode"_s, u"BIC"_s)),
                 u"BKAUATWW"_s);
    }

    void paymentFromAFileIsShownAndSavedAsItWas()
    {
        FormFixture f;
        Letter letter = f.form->letter();
        letter.payment = {u"Verein e.V."_s, u"DE89370400440532013000"_s, u"COBADEFFXXX"_s,
                          u"12.50"_s,       u"RF18539007547034"_s,       QString()};
        const QString path = f.ownRecoveryDir.filePath(u"brief.bri"_s);
        QVERIFY(!quillory::document::LetterFile::writeFile(path, letter).isError());
        f.form->OpenFileWithName(path);
        QVERIFY(!f.form->isChanged());
        QVERIFY(printBox(f)->isChecked());
        QCOMPARE(field(f, u"ZahlungIban"_s)->text(), u"DE89 3704 0044 0532 0130 00"_s);
        QVERIFY(f.form->SaveTheFile(path));
        const auto saved = quillory::document::LetterFile::readFile(path, Letter());
        QVERIFY(saved);
        QCOMPARE(saved->letter.payment, letter.payment);

        // A new letter starts without it.
        f.form->NewAll();
        QCOMPARE(f.form->letter().payment, Letter::Payment());
        QCOMPARE(field(f, u"ZahlungIban"_s)->text(), QString());
    }
};

QTEST_MAIN(TestPayment)
#include "tst_paymentwindow.moc"
