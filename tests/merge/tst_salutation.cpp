#include "merge/Salutation.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory::merge;

class TestSalutation : public QObject
{
    Q_OBJECT

private slots:
    void derive_data();
    void derive();
    void columns_data();
    void columns();
    void textForm_data();
    void textForm();
};

void TestSalutation::derive_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("address");
    const QString anyone = u"Sehr geehrte Damen und Herren,"_s;
    QTest::newRow("Frau with title") << u"Frau"_s << u"Dr."_s << u"Anna"_s << u"Müller"_s
                                     << u"Sehr geehrte Frau Dr. Müller,"_s << u"Frau"_s;
    QTest::newRow("FRAU") << u"FRAU"_s << QString() << QString() << u"Meier"_s
                          << u"Sehr geehrte Frau Meier,"_s << u"Frau"_s;
    QTest::newRow("Fr.") << u"Fr."_s << QString() << QString() << u" Meier "_s
                         << u"Sehr geehrte Frau Meier,"_s << u"Frau"_s;
    QTest::newRow("Herr") << u"Herr"_s << QString() << u"Cem"_s << u"Özdemir"_s
                          << u"Sehr geehrter Herr Özdemir,"_s << u"Herrn"_s;
    QTest::newRow(" hr. , Prof. Dr.") << u" hr. "_s << u" Prof.  Dr. "_s << QString() << u"Weber"_s
                                      << u"Sehr geehrter Herr Prof. Dr. Weber,"_s << u"Herrn"_s;
    QTest::newRow("Herrn") << u"Herrn"_s << QString() << QString() << u"Weber"_s
                           << u"Sehr geehrter Herr Weber,"_s << u"Herrn"_s;
    QTest::newRow("divers") << u"divers"_s << QString() << u"Alex"_s << u"Schmidt"_s
                            << u"Guten Tag Alex Schmidt,"_s << QString();
    QTest::newRow("d without first name")
        << u"d"_s << QString() << QString() << u"Schmidt"_s << u"Guten Tag Schmidt,"_s << QString();
    QTest::newRow("empty with a name") << u"  "_s << QString() << u"Alex"_s << u"Schmidt"_s
                                       << u"Guten Tag Alex Schmidt,"_s << QString();
    QTest::newRow("Firma") << u"Firma"_s << QString() << QString() << u"Beispiel GmbH"_s << anyone
                           << QString();
    QTest::newRow("Herr without surname")
        << u"Herr"_s << u"Dr."_s << u"Hans"_s << QString() << anyone << u"Herrn"_s;
    QTest::newRow("Frau without any name")
        << u"Frau"_s << QString() << QString() << u" "_s << anyone << QString();
    QTest::newRow("empty without surname")
        << QString() << QString() << u"Alex"_s << QString() << anyone << QString();
    QTest::newRow("another form") << u"Familie"_s << QString() << QString() << u"Müller"_s << anyone
                                  << QString();
}

void TestSalutation::derive()
{
    QFETCH(QString, form);
    QFETCH(QString, title);
    QFETCH(QString, firstName);
    QFETCH(QString, surname);
    QFETCH(QString, letter);
    QFETCH(QString, address);
    QCOMPARE(Salutation::derive(form, title, surname, firstName), (Salutation{letter, address}));
}

void TestSalutation::columns_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QString>("chosen"); // text form; empty to find by name
    QTest::addColumn<QString>("used");
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<QStringList>("derived"); // "Name=value"
    QTest::addColumn<QString>("problem");
    const QString letter = u"Briefanrede="_s;
    const QString address = u"Anschriftanrede="_s;
    QTest::newRow("found in any case")
        << QStringList{u"anrede"_s, u"TITEL"_s, u"Vorname"_s, u"Nachname"_s, u"Ort"_s} << QString()
        << u"anrede,TITEL,Nachname,Vorname"_s
        << QStringList{u"Frau"_s, u"Dr."_s, u"Anna"_s, u"Müller"_s, u"Köln"_s}
        << QStringList{letter + u"Sehr geehrte Frau Dr. Müller,"_s, address + u"Frau"_s}
        << QString();
    QTest::newRow("Name without Nachname")
        << QStringList{u"Anrede"_s, u"Name"_s} << QString() << u"Anrede,,Name"_s
        << QStringList{u"Herr"_s, u"Weber"_s}
        << QStringList{letter + u"Sehr geehrter Herr Weber,"_s, address + u"Herrn"_s} << QString();
    QTest::newRow("Nachname before Name")
        << QStringList{u"Name"_s, u"Anrede"_s, u"Nachname"_s} << QString() << u"Anrede,,Nachname"_s
        << QStringList{u"Meier KG"_s, u"Frau"_s, u"Meier"_s}
        << QStringList{letter + u"Sehr geehrte Frau Meier,"_s, address + u"Frau"_s} << QString();
    QTest::newRow("nothing found")
        << QStringList{u"Geschlecht"_s, u"Familienname"_s} << QString() << u",,"_s
        << QStringList{u"Frau"_s, u"Meier"_s} << QStringList() << QString();
    QTest::newRow("chosen") << QStringList{u"Geschlecht"_s, u"Grad"_s, u"Familienname"_s,
                                           u"Rufname"_s}
                            << u"Geschlecht,Grad,Familienname,Rufname"_s
                            << u"Geschlecht,Grad,Familienname,Rufname"_s
                            << QStringList{u"d"_s, QString(), u"Schmidt"_s, u"Alex"_s}
                            << QStringList{letter + u"Guten Tag Alex Schmidt,"_s, address}
                            << QString();
    QTest::newRow("chosen in another case")
        << QStringList{u"Geschlecht"_s, u"Familienname"_s} << u"geschlecht,,FAMILIENNAME"_s
        << u"Geschlecht,,Familienname"_s << QStringList{u"hr"_s, u"Weber"_s}
        << QStringList{letter + u"Sehr geehrter Herr Weber,"_s, address + u"Herrn"_s} << QString();
    QTest::newRow("chosen over those found by name")
        << QStringList{u"Anrede"_s, u"Name"_s, u"Firma"_s} << u"Anrede,,Firma"_s
        << u"Anrede,,Firma"_s << QStringList{u"Frau"_s, u"Meier"_s, u"Hansen"_s}
        << QStringList{letter + u"Sehr geehrte Frau Hansen,"_s, address + u"Frau"_s} << QString();
    QTest::newRow("chosen without a form of address")
        << QStringList{u"Anrede"_s, u"Name"_s} << u",,Name"_s << u",,Name"_s
        << QStringList{u"Frau"_s, u"Meier"_s} << QStringList() << QString();
    QTest::newRow("a chosen column the table lacks")
        << QStringList{u"Anrede"_s, u"Name"_s} << u"Anrede,Titel,Name"_s << u",,"_s
        << QStringList{u"Frau"_s, u"Meier"_s} << QStringList()
        << u"Unbekannte Spalte „Titel“ für Briefanrede und Anschriftanrede"_s;
    QTest::newRow("the table's own Briefanrede wins")
        << QStringList{u"Anrede"_s, u"Name"_s, u"Briefanrede"_s} << QString() << u"Anrede,,Name"_s
        << QStringList{u"Frau"_s, u"Meier"_s, u"Liebe Eva,"_s} << QStringList{address + u"Frau"_s}
        << QString();
    QTest::newRow("and its own Anschriftanrede")
        << QStringList{u"Anrede"_s, u"Name"_s, u"Anschriftanrede"_s} << QString()
        << u"Anrede,,Name"_s << QStringList{u"Herr"_s, u"Roth"_s, u"An Herrn"_s}
        << QStringList{letter + u"Sehr geehrter Herr Roth,"_s} << QString();
}

void TestSalutation::columns()
{
    QFETCH(QStringList, columns);
    QFETCH(QString, chosen);
    QFETCH(QString, used);
    QFETCH(QStringList, record);
    QFETCH(QStringList, derived);
    QFETCH(QString, problem);
    const SalutationFields fields(columns, SalutationColumns::parse(chosen));
    QCOMPARE(fields.problem(), problem);
    QCOMPARE(fields.used().toString(), used);
    const QStringList names = fields.names();
    const QStringList values = fields.values(record);
    QCOMPARE(values.size(), names.size());
    QStringList got;
    for (qsizetype i = 0; i < names.size(); ++i)
        got.append(names[i] + u'=' + values[i]);
    QCOMPARE(got, derived);
}

void TestSalutation::textForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("printed"); // empty: not a choice
    QTest::newRow("four") << u"Anrede,Titel,Nachname,Vorname"_s
                          << u"Anrede,Titel,Nachname,Vorname"_s;
    QTest::newRow("no title, spaces") << u" Anrede , , Name "_s << u"Anrede,,Name"_s;
    QTest::newRow("empty first name") << u"Anrede,,Name,"_s << u"Anrede,,Name"_s;
    QTest::newRow("two") << u"Anrede,Name"_s << QString();
    QTest::newRow("five") << u"A,B,C,D,E"_s << QString();
    QTest::newRow("nothing") << QString() << QString();
}

void TestSalutation::textForm()
{
    QFETCH(QString, text);
    QFETCH(QString, printed);
    const std::optional<SalutationColumns> parsed = SalutationColumns::parse(text);
    QCOMPARE(parsed.has_value(), !printed.isEmpty());
    if (parsed) {
        QCOMPARE(parsed->toString(), printed);
        QCOMPARE(SalutationColumns::parse(printed), parsed);
    }
}

QTEST_GUILESS_MAIN(TestSalutation)
#include "tst_salutation.moc"
