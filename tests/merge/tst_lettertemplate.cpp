#include "merge/LetterTemplate.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory::merge;
using quillory::document::Letter;

namespace {

struct Field
{
    QString Letter::*member;
    QString label;
};

// Every text of a letter, each with the name an error gives it.
const Field kFields[] = {
    {&Letter::recipientName, u"Name des Empfängers"_s},
    {&Letter::recipientExtra, u"Zusatzinformationen des Empfängers"_s},
    {&Letter::recipientStreet, u"Straße des Empfängers"_s},
    {&Letter::recipientCity, u"Postleitzahl und Ort des Empfängers"_s},
    {&Letter::recipientCountry, u"Zielland"_s},
    {&Letter::subject, u"Betreff"_s},
    {&Letter::salutation, u"Anrede"_s},
    {&Letter::closing, u"Schlussformel"_s},
    {&Letter::signature, u"Unterschrift"_s},
    {&Letter::body, u"Brieftext"_s},
    {&Letter::senderName, u"Name des Absenders"_s},
    {&Letter::senderExtra, u"Zusatzinformationen des Absenders"_s},
    {&Letter::senderStreet, u"Straße des Absenders"_s},
    {&Letter::senderPostcode, u"Postleitzahl des Absenders"_s},
    {&Letter::senderCity, u"Ort des Absenders"_s},
    {&Letter::senderCountry, u"Absender-Land"_s},
    {&Letter::senderPhone, u"Telefon"_s},
    {&Letter::senderFax, u"Fax"_s},
    {&Letter::senderEmail, u"Email"_s},
    {&Letter::footer, u"Fußzeile"_s},
};
constexpr int kBody = 9;
constexpr int kSubject = 5;

} // namespace

class TestLetterTemplate : public QObject
{
    Q_OBJECT

private slots:
    void fill_data();
    void fill();
    void fillsTheListsBeyondTheFields_data();
    void fillsTheListsBeyondTheFields();
};

void TestLetterTemplate::fill_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("record"); // Name, Ort, Notiz
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("unknown");

    const QStringList erika{u"Erika Müller"_s, u"Köln"_s, u"erste\nzweite"_s};
    for (int i = 0; i < int(std::size(kFields)); ++i) {
        QTest::addRow("%s", qPrintable(kFields[i].label))
            << i << u"Hallo {Name} aus {Ort}!"_s << erika << u"Hallo Erika Müller aus Köln!"_s
            << QString();
        QTest::addRow("unknown in %s", qPrintable(kFields[i].label))
            << i << u"{Name} {Nmae}"_s << erika << QString()
            << u"Unbekannte Spalte „Nmae“ in "_s + kFields[i].label;
    }
    QTest::newRow("escaped braces") << kSubject << u"{{Name}} }}{{ {Name}"_s << erika
                                    << u"{Name} }{ Erika Müller"_s << QString();
    QTest::newRow("braces that open no name stay")
        << kSubject << u"{ {} a } b {Na\nme} {Name"_s << erika << u"{ {} a } b {Na\nme} {Name"_s
        << QString();
    QTest::newRow("a value with braces is not expanded again")
        << kSubject << u"{Name}"_s << QStringList{u"{Ort}"_s, u"Köln"_s, u"{{x}}"_s} << u"{Ort}"_s
        << QString();
    QTest::newRow("line breaks of a value in a one-line field")
        << kSubject << u"Betr.: {Notiz}"_s << erika << u"Betr.: erste zweite"_s << QString();
    QTest::newRow("line breaks of a value in the body")
        << kBody << u"Ihre Notiz:\r\n{Notiz}\r\nEnde"_s << erika
        << u"Ihre Notiz:\r\nerste\r\nzweite\r\nEnde"_s << QString();
    QTest::newRow("unknown names each once, in order")
        << kSubject << u"{Fax} {Name} {Nmae} {Fax}"_s << erika << QString()
        << u"Unbekannte Spalte „Fax“ in Betreff\nUnbekannte Spalte „Nmae“ in Betreff"_s;
    QTest::newRow("names are case-sensitive") << kSubject << u"{name}"_s << erika << QString()
                                              << u"Unbekannte Spalte „name“ in Betreff"_s;
}

void TestLetterTemplate::fill()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QStringList, record);
    QFETCH(QString, expected);
    QFETCH(QString, unknown);

    Letter letter = Letter::makeNew(QDate(2026, 3, 1));
    letter.*kFields[field].member = text;
    LetterTemplate letterTemplate(letter);
    const auto problems = letterTemplate.bind({u"Name"_s, u"Ort"_s, u"Notiz"_s});
    QCOMPARE(LetterTemplate::describe(problems), unknown);
    if (!unknown.isEmpty())
        return;

    Letter filled = letterTemplate.fill(record);
    QCOMPARE(filled.*kFields[field].member, expected);
    // Nothing but that field changed.
    filled.*kFields[field].member = text;
    QVERIFY(filled == letter);
}

void TestLetterTemplate::fillsTheListsBeyondTheFields_data()
{
    QTest::addColumn<int>("slot"); // label, value, postal note, enclosure, distribution
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("unknown");
    const char* names[] = {"Infoblock", "Infoblock", "Postvermerk", "Anlagen", "Verteiler"};
    for (int slot = 0; slot < 5; ++slot) {
        QTest::addRow("%d: %s", slot, names[slot])
            << slot << u"{Name}: {Notiz}"_s << u"Erika Müller: erste zweite"_s << QString();
        QTest::addRow("%d: unknown in %s", slot, names[slot])
            << slot << u"{Nmae}"_s << QString()
            << u"Unbekannte Spalte „Nmae“ in "_s + QLatin1String(names[slot]);
    }
}

void TestLetterTemplate::fillsTheListsBeyondTheFields()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(QString, unknown);
    // The second item of each list is the one with the placeholder.
    Letter letter = Letter::makeNew(QDate(2026, 3, 1));
    letter.infoBlock = {{u"L"_s, u"V"_s}, {u"L"_s, u"V"_s}};
    letter.postalNotes = letter.enclosures = letter.distribution = QStringList{u"A"_s, u"B"_s};
    const auto at = [slot](Letter& l) -> QString& {
        QString* texts[] = {&l.infoBlock[1].label, &l.infoBlock[1].value, &l.postalNotes[1],
                            &l.enclosures[1], &l.distribution[1]};
        return *texts[slot];
    };
    at(letter) = text;
    LetterTemplate letterTemplate(letter);
    QCOMPARE(LetterTemplate::describe(letterTemplate.bind({u"Name"_s, u"Notiz"_s})), unknown);
    if (!unknown.isEmpty())
        return;
    Letter filled = letterTemplate.fill({u"Erika Müller"_s, u"erste\nzweite"_s});
    QCOMPARE(at(filled), expected);
    // Nothing but that item changed.
    at(filled) = text;
    QVERIFY(filled == letter);
}

QTEST_APPLESS_MAIN(TestLetterTemplate)
#include "tst_lettertemplate.moc"
