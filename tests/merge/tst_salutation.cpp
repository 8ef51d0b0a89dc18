#include "merge/Salutation.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory::merge;

class TestSalutation : public QObject
{
    Q_OBJECT

private slots:
    void derive_data()
    {
        QTest::addColumn<QString>("given"); // form|title|first name|surname
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("address");
        const QString anyone = u"Sehr geehrte Damen und Herren,"_s;
        QTest::newRow("Frau, Dr.")
            << u"Frau|Dr.|Anna|Müller"_s << u"Sehr geehrte Frau Dr. Müller,"_s << u"Frau"_s;
        QTest::newRow("FRAU") << u"FRAU||| Meier "_s << u"Sehr geehrte Frau Meier,"_s << u"Frau"_s;
        QTest::newRow("Herr") << u"Herr||Cem|Özdemir"_s << u"Sehr geehrter Herr Özdemir,"_s
                              << u"Herrn"_s;
        QTest::newRow(" hr. , Prof. Dr.") << u" hr. | Prof.  Dr.||Weber"_s
                                          << u"Sehr geehrter Herr Prof. Dr. Weber,"_s << u"Herrn"_s;
        QTest::newRow("Herrn") << u"Herrn|||Weber"_s << u"Sehr geehrter Herr Weber,"_s
                               << u"Herrn"_s;
        QTest::newRow("divers") << u"divers||Alex|Schmidt"_s << u"Guten Tag Alex Schmidt,"_s
                                << QString();
        QTest::newRow("d, no first name")
            << u"d|||Schmidt"_s << u"Guten Tag Schmidt,"_s << QString();
        QTest::newRow("empty, a name")
            << u" ||Alex|Schmidt"_s << u"Guten Tag Alex Schmidt,"_s << QString();
        QTest::newRow("Firma") << u"Firma|||Beispiel GmbH"_s << anyone << QString();
        QTest::newRow("Herr, no surname") << u"Herr|Dr.|Hans|"_s << anyone << u"Herrn"_s;
        QTest::newRow("Frau, no name") << u"Frau||| "_s << anyone << QString();
        QTest::newRow("empty, no surname") << u"||Alex|"_s << anyone << QString();
        QTest::newRow("another form") << u"Familie|||Müller"_s << anyone << QString();
    }

    void derive()
    {
        QFETCH(QString, given);
        QFETCH(QString, letter);
        QFETCH(QString, address);
        const QStringList v = given.split(u'|');
        QCOMPARE(Salutation::derive(v[0], v[1], v[3], v[2]), (Salutation{letter, address}));
    }

    void columns_data()
    {
        QTest::addColumn<QString>("columns"); // of the table, ";" between them
        QTest::addColumn<QString>("chosen");  // text form; empty to find by name
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("derived"); // "Name=value" for each
        QTest::addColumn<QString>("problem");
        QTest::newRow("found in any case")
            << u"anrede;TITEL;Vorname;Nachname;Ort"_s << QString()
            << u"anrede,TITEL,Nachname,Vorname"_s << u"Frau;Dr.;Anna;Müller;Köln"_s
            << u"Briefanrede=Sehr geehrte Frau Dr. Müller,;Anschriftanrede=Frau"_s << QString();
        QTest::newRow("Name without Nachname")
            << u"Anrede;Name"_s << QString() << u"Anrede,,Name"_s << u"Herr;Weber"_s
            << u"Briefanrede=Sehr geehrter Herr Weber,;Anschriftanrede=Herrn"_s << QString();
        QTest::newRow("nothing found") << u"Geschlecht;Familienname"_s << QString() << u",,"_s
                                       << u"Frau;Meier"_s << QString() << QString();
        QTest::newRow("chosen, in another case")
            << u"Anrede;Geschlecht;Grad;Familienname;Rufname"_s
            << u" geschlecht ,Grad,Familienname,Rufname"_s
            << u"Geschlecht,Grad,Familienname,Rufname"_s << u"Herr;d;;Schmidt;Alex"_s
            << u"Briefanrede=Guten Tag Alex Schmidt,;Anschriftanrede="_s << QString();
        QTest::newRow("a chosen column the table lacks")
            << u"Anrede;Name"_s << u"Anrede,Titel,Name"_s << u",,"_s << u"Frau;Meier"_s << QString()
            << u"Unbekannte Spalte „Titel“ für Briefanrede und Anschriftanrede"_s;
        QTest::newRow("the table's own Briefanrede wins")
            << u"Anrede;Name;Briefanrede"_s << QString() << u"Anrede,,Name"_s
            << u"Frau;Meier;Liebe Eva,"_s << u"Anschriftanrede=Frau"_s << QString();
    }

    void columns()
    {
        QFETCH(QString, columns);
        QFETCH(QString, chosen);
        QFETCH(QString, used);
        QFETCH(QString, record);
        QFETCH(QString, derived);
        QFETCH(QString, problem);
        const SalutationFields fields(columns.split(u';'), SalutationColumns::parse(chosen));
        QCOMPARE(fields.problem(), problem);
        QCOMPARE(fields.used().toString(), used);
        const QStringList names = fields.names();
        const QStringList values = fields.values(record.split(u';'));
        QCOMPARE(values.size(), names.size());
        QStringList got;
        for (qsizetype i = 0; i < names.size(); ++i)
            got.append(names[i] + u'=' + values[i]);
        QCOMPARE(got.join(u';'), derived);
    }
};

QTEST_GUILESS_MAIN(TestSalutation)
#include "tst_salutation.moc"
