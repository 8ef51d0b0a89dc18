#include "merge/CsvTable.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace quillory::merge;

class TestCsvTable : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
};

void TestCsvTable::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("givenDelimiter");
    QTest::addColumn<int>("givenEncoding");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("records"); // fields joined by "|"
    QTest::addColumn<QString>("lines");       // the line each record starts on
    QTest::addColumn<QStringList>("warnings");

    const int detect = int(CsvEncoding::Detect);
    const QString none;
    QTest::newRow("semicolon, UTF-8, CR LF")
        << QByteArray("Name;Ort\r\nM\xc3\xbcller;K\xc3\xb6ln\r\nAb;Bonn\r\n") << none << detect
        << none << u"Semikolon"_s << u"UTF-8"_s << QStringList{u"Name"_s, u"Ort"_s}
        << QStringList{u"Müller|Köln"_s, u"Ab|Bonn"_s} << u"2,3"_s << QStringList();
    QTest::newRow("comma after a byte order mark")
        << QByteArray("\xef\xbb\xbfName,Ort\nA,B\n") << none << detect << none << u"Komma"_s
        << u"UTF-8"_s << QStringList{u"Name"_s, u"Ort"_s} << QStringList{u"A|B"_s} << u"2"_s
        << QStringList();
    QTest::newRow("tab, Windows-1252, no last line break")
        << QByteArray("Name\tOrt\nM\xfcller\tK\xf6ln") << none << detect << none << u"Tabulator"_s
        << u"Windows-1252"_s << QStringList{u"Name"_s, u"Ort"_s} << QStringList{u"Müller|Köln"_s}
        << u"2"_s << QStringList();
    QTest::newRow("quotes hold delimiters and doubled quotes")
        << QByteArray("Name;Notiz\n\"Meier; Sohn\";\"Er sagte \"\"Hallo\"\"\"\n") << none << detect
        << none << u"Semikolon"_s << u"UTF-8"_s << QStringList{u"Name"_s, u"Notiz"_s}
        << QStringList{u"Meier; Sohn|Er sagte \"Hallo\""_s} << u"2"_s << QStringList();
    QTest::newRow("line breaks in quotes count as lines")
        << QByteArray("Name;Adresse\nA;\"Weg 1\r\nK\xc3\xb6ln\"\nB;\"x\ny\nz\"\nC;D\n") << none
        << detect << none << u"Semikolon"_s << u"UTF-8"_s << QStringList{u"Name"_s, u"Adresse"_s}
        << QStringList{u"A|Weg 1\r\nKöln"_s, u"B|x\ny\nz"_s, u"C|D"_s} << u"2,4,7"_s
        << QStringList();
    QTest::newRow("short rows filled, blank lines and empty rows skipped")
        << QByteArray("\nName ; Ort;Land\n\nA\n;;\n\r\nB;C\n") << none << detect << none
        << u"Semikolon"_s << u"UTF-8"_s << QStringList{u"Name"_s, u"Ort"_s, u"Land"_s}
        << QStringList{u"A||"_s, u"B|C|"_s} << u"4,7"_s
        << QStringList{
               u"Zeilen 4 und 7: weniger Felder als Spalten, die übrigen Werte bleiben leer"_s};
    QTest::newRow("delimiter in a quoted header is not counted")
        << QByteArray("\"a;b;c\",d\n1,2\n") << none << detect << none << u"Komma"_s << u"UTF-8"_s
        << QStringList{u"a;b;c"_s, u"d"_s} << QStringList{u"1|2"_s} << u"2"_s << QStringList();
    QTest::newRow("given delimiter wins")
        << QByteArray("a,b,c;d\n1,2;3\n") << u";"_s << detect << none << u"Semikolon"_s
        << u"UTF-8"_s << QStringList{u"a,b,c"_s, u"d"_s} << QStringList{u"1,2|3"_s} << u"2"_s
        << QStringList();
    QTest::newRow("given encoding wins")
        << QByteArray("Name\nM\xc3\xbcller\n") << none << int(CsvEncoding::Windows1252) << none
        << u"Semikolon"_s << u"Windows-1252"_s << QStringList{u"Name"_s}
        << QStringList{u"MÃ¼ller"_s} << u"2"_s << QStringList();

    QTest::newRow("values written over the text stay apart")
        << QByteArray("N;M\n\"a\"\"b\";\"\"\n\"\";\"x\"\"\"\"y\"\n;z\n") << none << detect << none
        << u"Semikolon"_s << u"UTF-8"_s << QStringList{u"N"_s, u"M"_s}
        << QStringList{u"a\"b|"_s, u"|x\"\"y"_s, u"|z"_s} << u"2,3,4"_s << QStringList();
    QTest::newRow("one Windows-1252 line in UTF-8 is read alone")
        << QByteArray("Name;Ort\nJ\xc3\xbcrgen;K\xc3\xb6ln\nM\xfcller;Bonn\nJ\xc3\xbcrgen;Kiel\n")
        << none << detect << none << u"Semikolon"_s << u"UTF-8"_s
        << QStringList{u"Name"_s, u"Ort"_s}
        << QStringList{u"Jürgen|Köln"_s, u"Müller|Bonn"_s, u"Jürgen|Kiel"_s} << u"2,3,4"_s
        << QStringList{u"Zeile 3: nicht in UTF-8 gespeichert, als Windows-1252 gelesen"_s};
    QTest::newRow("UTF-8 given for Windows-1252 names the lines")
        << QByteArray("Name\r\nM\xfcller\r\nAb\r\nSch\xf6n\r\n") << none << int(CsvEncoding::Utf8)
        << none << u"Semikolon"_s << u"UTF-8"_s << QStringList{u"Name"_s}
        << QStringList{u"M\uFFFDller"_s, u"Ab"_s, u"Sch\uFFFDn"_s} << u"2,3,4"_s
        << QStringList{
               u"Zeilen 2 und 4: kein gültiges UTF-8, unlesbare Zeichen durch „\uFFFD“ ersetzt"_s};
    QTest::newRow("UTF-16 little-endian")
        << QByteArray(
               "\xff\xfeN\0a\0m\0e\0;\0O\0r\0t\0\r\0\n\0M\0\xfc\0l\0l\0e\0r\0;\0K\0\xf6\0l\0n\0",
               44)
        << none << detect << none << u"Semikolon"_s << u"UTF-16"_s
        << QStringList{u"Name"_s, u"Ort"_s} << QStringList{u"Müller|Köln"_s} << u"2"_s
        << QStringList();
    QTest::newRow("UTF-16 big-endian, whatever is given")
        << QByteArray("\xfe\xff\0N\0a\0m\0e\0\n\0A\0\n", 16) << none << int(CsvEncoding::Utf8)
        << none << u"Semikolon"_s << u"UTF-16"_s << QStringList{u"Name"_s} << QStringList{u"A"_s}
        << u"2"_s << QStringList();
    QTest::newRow("an empty last column of a spreadsheet export")
        << QByteArray("Name;Ort;\r\nA;B;\r\nC;D;;\r\n") << none << detect << none << u"Semikolon"_s
        << u"UTF-8"_s << QStringList{u"Name"_s, u"Ort"_s} << QStringList{u"A|B"_s, u"C|D"_s}
        << u"2,3"_s << QStringList();
    QTest::newRow("many short rows")
        << QByteArray("A;B\n") + QByteArray("x\n").repeated(12) << none << detect << none
        << u"Semikolon"_s << u"UTF-8"_s << QStringList{u"A"_s, u"B"_s} << QStringList(12, u"x|"_s)
        << u"2,3,4,5,6,7,8,9,10,11,12,13"_s
        << QStringList{u"Zeilen 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 und 2 weitere: weniger Felder als "
                       u"Spalten, die übrigen Werte bleiben leer"_s};

    const auto bad = [&](const char* name, const QByteArray& bytes, const QString& error) {
        QTest::newRow(name) << bytes << none << detect << error << QString() << QString()
                            << QStringList() << QStringList() << QString() << QStringList();
    };
    bad("empty file", "", u"Zeile 1: Die Tabelle ist leer"_s);
    bad("only blank lines", "\r\n\n;;\n", u"Zeile 1: Die Tabelle ist leer"_s);
    bad("no records", "\nName;Ort\n\n",
        u"Zeile 2: Unter den Spaltennamen stehen keine Datensätze"_s);
    bad("empty column name", "Name;;Ort\nA;B;C\n", u"Zeile 1: Spalte 2 hat keinen Namen"_s);
    bad("doubled column name", "\nName;Ort;Name\nA;B;C\n",
        u"Zeile 2: Der Spaltenname „Name“ kommt mehrfach vor"_s);
    bad("long row", "Name;Ort\nA;B\n\"x\ny\";B;C\n", u"Zeile 3: 3 Felder, aber nur 2 Spalten"_s);
    bad("a value beyond empty fields", "Name;Ort\nA;B;;;x\n",
        u"Zeile 2: 5 Felder, aber nur 2 Spalten"_s);
    bad("a header of blanks", " ; \t\n1\n", u"Zeile 1: Spalte 1 hat keinen Namen"_s);
    bad("an empty name before the last", "Name;;Ort;\nA;B;C\n",
        u"Zeile 1: Spalte 2 hat keinen Namen"_s);
    bad("a value beyond empty fields", "Name;Ort\nA;B;;;x\n",
        u"Zeile 2: 5 Felder, aber nur 2 Spalten"_s);
    bad("an empty name before the last", "Name;;Ort;\nA;B;C\n",
        u"Zeile 1: Spalte 2 hat keinen Namen"_s);
    bad("quote left open", "Name;Ort\nA;B\nC;\"offen\nweiter\n",
        u"Zeile 3: Anführungszeichen wird nicht geschlossen"_s);
}

void TestCsvTable::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, givenDelimiter);
    QFETCH(int, givenEncoding);
    QFETCH(QString, error);

    CsvOptions options;
    if (!givenDelimiter.isEmpty())
        options.delimiter = givenDelimiter.front();
    options.encoding = CsvEncoding(givenEncoding);
    const CsvResult result = readCsv(bytes, options);
    QCOMPARE(result.error.text(), error);
    QCOMPARE(bool(result), error.isEmpty());
    if (!result)
        return;

    QFETCH(QString, delimiter);
    QFETCH(QString, encoding);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, records);
    QFETCH(QString, lines);
    QFETCH(QStringList, warnings);
    const CsvTable& table = *result.table;
    QCOMPARE(delimiterName(table.delimiter), delimiter);
    QCOMPARE(encodingName(table.encoding), encoding);
    QCOMPARE(table.columns, columns);
    QStringList joined;
    QStringList starts;
    for (int i = 0; i < table.recordCount(); ++i) {
        QCOMPARE(table.record(i).size(), columns.size());
        joined.append(table.record(i).join(QLatin1Char('|')));
        starts.append(QString::number(table.recordLines[i]));
    }
    QCOMPARE(joined, records);
    QCOMPARE(starts.join(QLatin1Char(',')), lines);
    QCOMPARE(table.warnings, warnings);
}

QTEST_APPLESS_MAIN(TestCsvTable)
#include "tst_csvtable.moc"
