#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString path(const QString& name)
{
    return folder().filePath(name);
}

/** quillory-cli addressbook, with the data folder in the test's own folder. */
QProcess* start(const QStringList& arguments, QObject* parent)
{
    auto* process = new QProcess(parent);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QUILLORY_DATA_DIR"_s, path(u"data"_s));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(QUILLORY_CLI), QStringList{u"addressbook"_s} + arguments);
    return process;
}

int finish(QProcess* process, QByteArray* out = nullptr)
{
    if (!process->waitForFinished(30000))
        return -1;
    if (out)
        *out = process->readAllStandardOutput();
    const QByteArray err = process->readAllStandardError();
    if (!err.isEmpty())
        qInfo("%s", err.constData());
    return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
}

/** The entries as `list --json` gives them, without their ids. */
QJsonArray listed(const QStringList& databaseOption, QObject* parent)
{
    QByteArray out;
    if (finish(start(QStringList{u"list"_s, u"--json"_s} + databaseOption, parent), &out) != 0)
        return {};
    QJsonArray entries = QJsonDocument::fromJson(out).array();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QJsonObject entry = entries[i].toObject();
        entry.remove(u"id"_s);
        entries[i] = entry;
    }
    return entries;
}

void writeAll(const QString& name, const QByteArray& bytes)
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

class TestAddressBookCommand : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void twoImportsAtOnce();
    void refused_data();
    void refused();
};

void TestAddressBookCommand::roundTrip_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("CSV") << u"export.csv"_s;
    QTest::newRow("vCard") << u"export.vcf"_s;
}

void TestAddressBookCommand::roundTrip()
{
    QFETCH(QString, file);
    const QString source = QString::fromLatin1(QTest::currentDataTag()) + u"-source.sqlite"_s;
    const QString copy = QString::fromLatin1(QTest::currentDataTag()) + u"-copy.sqlite"_s;
    writeAll(u"people.csv"_s,
             "Anrede;Titel;Vorname;Nachname;Firma;Zusatz;Stra\xdf"
             "e;PLZ;Ort;Land;E-Mail;Notiz;Gruppen\r\n"
             "Herr;Dr.;J\xfcrgen;M\xfcller;;c/o Meier;Weg 1;50667;K\xf6ln;;j@m.de;"
             "\"Sagt \"\"Hallo\"\"; mag\r\nKaffee\";Kunden, Wein\\Bier\r\n"
             "Frau;;Ay\xe7"
             "a;\xd6zdemir;ACME GmbH;Einkauf;Gasse 2;1010;Wien;\xd6sterreich;;;Kunden\r\n");
    QCOMPARE(
        finish(start({u"import"_s, path(u"people.csv"_s), u"--database"_s, path(source)}, this)),
        0);
    QCOMPARE(finish(start({u"export"_s, path(file), u"--database"_s, path(source)}, this)), 0);
    QCOMPARE(finish(start({u"import"_s, path(file), u"--database"_s, path(copy)}, this)), 0);
    const QJsonArray entries = listed({u"--database"_s, path(source)}, this);
    QCOMPARE(entries.size(), 2);
    QCOMPARE(listed({u"--database"_s, path(copy)}, this), entries);

    // Read again, every entry is one already there.
    QByteArray out;
    QCOMPARE(finish(start({u"import"_s, path(file), u"--database"_s, path(copy)}, this), &out), 0);
    QCOMPARE(out.trimmed(), "0 Eintr\xc3\xa4ge hinzugef\xc3\xbcgt, 2 zusammengef\xc3\xbchrt");
    QCOMPARE(listed({u"--database"_s, path(copy)}, this), entries);
}

void TestAddressBookCommand::twoImportsAtOnce()
{
    // Both write into the data folder's one file at the same time.
    const int each = 400;
    for (const QString& name : {u"first"_s, u"second"_s}) {
        QByteArray csv("Vorname;Nachname;Ort\n");
        for (int i = 0; i < each; ++i)
            csv += name.toUtf8() + ';' + QByteArray::number(i) + ";Bonn\n";
        writeAll(name + u".csv"_s, csv);
    }
    QProcess* first = start({u"import"_s, path(u"first.csv"_s)}, this);
    QProcess* second = start({u"import"_s, path(u"second.csv"_s)}, this);
    QCOMPARE(finish(first), 0);
    QCOMPARE(finish(second), 0);
    QCOMPARE(listed({}, this).size(), 2 * each);
    QVERIFY(QFile::exists(path(u"data/quillory.sqlite"_s)));
}

void TestAddressBookCommand::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");

    QTest::newRow("no action") << QStringList() << 2;
    QTest::newRow("unknown action") << QStringList{u"sort"_s} << 2;
    QTest::newRow("not CSV or vCard") << QStringList{u"import"_s, path(u"people.txt"_s)} << 2;
    QTest::newRow("field the map does not know")
        << QStringList{u"import"_s, path(u"map.csv"_s), u"--map"_s, u"Alter=Name"_s} << 2;
    QTest::newRow("export onto the database")
        << QStringList{u"export"_s, path(u"book.csv"_s), u"--database"_s, path(u"book.csv"_s)} << 2;
    QTest::newRow("missing file") << QStringList{u"import"_s, path(u"none.vcf"_s)} << 1;
    QTest::newRow("file without a card") << QStringList{u"import"_s, path(u"map.vcf"_s)} << 1;
    QTest::newRow("database is a folder")
        << QStringList{u"list"_s, u"--database"_s, folder().path()} << 1;
}

void TestAddressBookCommand::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    writeAll(u"map.csv"_s, "Name\nMeier\n");
    writeAll(u"map.vcf"_s, "Name\nMeier\n");
    QCOMPARE(finish(start(arguments, this)), status);
    QVERIFY(!QFile::exists(path(u"book.csv"_s)));
}

QTEST_GUILESS_MAIN(TestAddressBookCommand)
#include "tst_addressbookcommand.moc"
