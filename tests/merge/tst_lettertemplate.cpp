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

namespace {

/** The new lists of a letter as one list of texts: label, value, note, enclosure, distribution. */
QStringList listTexts(const Letter& letter)
{
    QStringList texts;
    for (const Letter::InfoRow& row : letter.infoBlock)
        texts << row.label << row.value;
    return texts + letter.postalNotes + letter.enclosures + letter.distribution;
}

} // namespace

void TestLetterTemplate::fillsTheListsBeyondTheFields_data()
{
    QTest::addColumn<int>("slot"); // 0 label, 1 value, 2 postal note, 3 enclosure, 4 distribution
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("unknown");
    const char* names[] = {"label", "value", "postal note", "enclosure", "distribution"};
    const QString fields[] = {u"Infoblock"_s, u"Infoblock"_s, u"Postvermerk"_s, u"Anlagen"_s,
                              u"Verteiler"_s};
    for (int slot = 0; slot < 5; ++slot) {
        QTest::addRow("%s", names[slot])
            << slot << u"{Name} in {Ort}"_s << u"Erika Müller in Köln"_s << QString();
        QTest::addRow("line breaks in a %s", names[slot])
            << slot << u"Notiz: {Notiz}"_s << u"Notiz: erste zweite"_s << QString();
        QTest::addRow("unknown in a %s", names[slot])
            << slot << u"{Nmae}"_s << QString() << u"Unbekannte Spalte „Nmae“ in "_s + fields[slot];
    }
}

void TestLetterTemplate::fillsTheListsBeyondTheFields()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(QString, unknown);

    // Two items in each list, so that the one filled is told from the one left.
    Letter letter = Letter::makeNew(QDate(2026, 3, 1));
    letter.infoBlock = {{u"L1"_s, u"V1"_s}, {u"L2"_s, u"V2"_s}};
    letter.postalNotes = {u"P1"_s, u"P2"_s};
    letter.enclosures = {u"E1"_s, u"E2"_s};
    letter.distribution = {u"D1"_s, u"D2"_s};
    QStringList texts = listTexts(letter);
    const qsizetype at = slot < 2 ? 2 + slot : 4 + 2 * (slot - 2) + 1;
    QString* target[] = {&letter.infoBlock[1].label, &letter.infoBlock[1].value,
                         &letter.postalNotes[1], &letter.enclosures[1], &letter.distribution[1]};
    *target[slot] = text;
    QCOMPARE(listTexts(letter)[at], text);

    LetterTemplate letterTemplate(letter);
    QCOMPARE(LetterTemplate::describe(letterTemplate.bind({u"Name"_s, u"Ort"_s, u"Notiz"_s})),
             unknown);
    if (!unknown.isEmpty())
        return;
    const Letter filled = letterTemplate.fill({u"Erika Müller"_s, u"Köln"_s, u"erste\r\nzweite"_s});
    texts[at] = expected;
    QCOMPARE(listTexts(filled), texts);
    QCOMPARE(filled.subject, letter.subject);
}

QTEST_APPLESS_MAIN(TestLetterTemplate)
#include "tst_lettertemplate.moc"
