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
        QTest::addColumn<QString>("given");   // form|title|first name|surname
        QTest::addColumn<QString>("derived"); // salutation|address word
        const QString anyone = u"Sehr geehrte Damen und Herren,|"_s;
        QTest::newRow("Frau, Dr.")
            << u"Frau|Dr.|Anna|Müller"_s << u"Sehr geehrte Frau Dr. Müller,|Frau"_s;
        QTest::newRow("FRAU") << u"FRAU||| Meier "_s << u"Sehr geehrte Frau Meier,|Frau"_s;
        QTest::newRow("Herr") << u"Herr||Cem|Özdemir"_s << u"Sehr geehrter Herr Özdemir,|Herrn"_s;
        QTest::newRow(" hr. , Prof. Dr.")
            << u" hr. | Prof.  Dr.||Weber"_s << u"Sehr geehrter Herr Prof. Dr. Weber,|Herrn"_s;
        QTest::newRow("Herrn") << u"Herrn|||Weber"_s << u"Sehr geehrter Herr Weber,|Herrn"_s;
        QTest::newRow("divers") << u"divers||Alex|Schmidt"_s << u"Guten Tag Alex Schmidt,|"_s;
        QTest::newRow("d, no first name") << u"d|||Schmidt"_s << u"Guten Tag Schmidt,|"_s;
        QTest::newRow("empty, a name") << u" ||Alex|Schmidt"_s << u"Guten Tag Alex Schmidt,|"_s;
        QTest::newRow("Firma") << u"Firma|||Beispiel GmbH"_s << anyone;
        QTest::newRow("Herr, no surname") << u"Herr|Dr.|Hans|"_s << anyone + u"Herrn"_s;
    }

    void derive()
    {
        QFETCH(QString, given);
        QFETCH(QString, derived);
        const QStringList v = given.split(u'|');
        const Salutation s = Salutation::derive(v[0], v[1], v[3], v[2]);
        QCOMPARE(s.letter + u'|' + s.address, derived);
    }

    void columns_data()
    {
        QTest::addColumn<QString>("columns"); // of the table, ";" between them
        QTest::addColumn<QString>("chosen");  // text form; empty to find by name
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("derived"); // "Name=value" for each, or the problem
        QTest::newRow("found in any case")
            << u"anrede;TITEL;Vorname;Nachname;Ort"_s << QString()
            << u"anrede,TITEL,Nachname,Vorname"_s << u"Frau;Dr.;Anna;Müller;Köln"_s
            << u"Briefanrede=Sehr geehrte Frau Dr. Müller,;Anschriftanrede=Frau"_s;
        QTest::newRow("Name without Nachname")
            << u"Anrede;Name"_s << QString() << u"Anrede,,Name"_s << u"Herr;Weber"_s
            << u"Briefanrede=Sehr geehrter Herr Weber,;Anschriftanrede=Herrn"_s;
        QTest::newRow("nothing found")
            << u"Geschlecht;Familienname"_s << QString() << u",,"_s << u"Frau;Meier"_s << QString();
        QTest::newRow("chosen, in another case")
            << u"Anrede;Geschlecht;Grad;Familienname;Rufname"_s
            << u" geschlecht ,Grad,Familienname,Rufname"_s
            << u"Geschlecht,Grad,Familienname,Rufname"_s << u"Herr;d;;Schmidt;Alex"_s
            << u"Briefanrede=Guten Tag Alex Schmidt,;Anschriftanrede="_s;
        QTest::newRow("a chosen column the table lacks")
            << u"Anrede;Name"_s << u"Anrede,Titel,Name"_s << u",,"_s << u"Frau;Meier"_s
            << u"Unbekannte Spalte „Titel“ für Briefanrede und Anschriftanrede"_s;
        QTest::newRow("the table's own Briefanrede wins")
            << u"Anrede;Name;Briefanrede"_s << QString() << u"Anrede,,Name"_s
            << u"Frau;Meier;Liebe Eva,"_s << u"Anschriftanrede=Frau"_s;
    }

    void columns()
    {
        QFETCH(QString, columns);
        QFETCH(QString, chosen);
        QFETCH(QString, used);
        QFETCH(QString, record);
        QFETCH(QString, derived);
        const SalutationFields fields(columns.split(u';'), SalutationColumns::parse(chosen));
        QCOMPARE(fields.used().toString(), used);
        const QStringList names = fields.names();
        const QStringList values = fields.values(record.split(u';'));
        QCOMPARE(values.size(), names.size());
        QStringList got;
        for (qsizetype i = 0; i < names.size(); ++i)
            got.append(names[i] + u'=' + values[i]);
        QCOMPARE(fields.problem().isEmpty() ? got.join(u';') : fields.problem(), derived);
    }
};

QTEST_GUILESS_MAIN(TestSalutation)
#include "tst_salutation.moc"
