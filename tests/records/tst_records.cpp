#include "merge/CsvTable.h"
#include "records/AddressBook.h"
#include "records/AddressCsv.h"
#include "records/AddressTable.h"
#include "records/Database.h"
#include "records/VCard.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory::records;

namespace {

Entry person(const QString& first, const QString& surname, const QString& street,
             const QString& city, const QString& email = {}, const QStringList& groups = {})
{
    Entry entry;
    entry.firstName = first;
    entry.surname = surname;
    entry.email = email;
    entry.groups = groups;
    fillRecipientLines(entry, {{}, street, {}, city, {}});
    return entry;
}

/** The fields a test looks at, as one line. */
QString summary(const Entry& e)
{
    QStringList lines(e.lines.cbegin(), e.lines.cend());
    return QStringList{e.salutation, e.title, e.firstName,         e.surname,       e.company,
                       e.email,      e.note,  e.groups.join(u','), lines.join(u'/')}
        .join(u'|');
}

QStringList surnames(const std::vector<Entry>& entries)
{
    QStringList names;
    for (const Entry& entry : entries)
        names << entry.surname;
    return names;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void openAndReopen_data();
    void openAndReopen();
    void damagedFileMovedAside_data();
    void damagedFileMovedAside();
    void entriesLifecycle();
    void completion_data();
    void completion();
    void duplicatesMerged_data();
    void duplicatesMerged();
    void readVCard_data();
    void readVCard();
    void csvColumns_data();
    void csvColumns();
    void addressTable_data();
    void addressTable();

private:
    QTemporaryDir m_dir;
};

void TestRecords::openAndReopen_data()
{
    QTest::addColumn<QByteArray>("existing"); // "-" for no file
    QTest::addColumn<int>("userVersion");     // set before opening, -1 for none
    QTest::addColumn<bool>("opens");

    QTest::newRow("no file") << QByteArray("-") << -1 << true;
    QTest::newRow("empty file") << QByteArray() << -1 << true;
    QTest::newRow("schema of a newer program") << QByteArray("-") << 99 << false;
}

void TestRecords::openAndReopen()
{
    QFETCH(QByteArray, existing);
    QFETCH(int, userVersion);
    QFETCH(bool, opens);
    const QString path =
        m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".sqlite"_s);
    if (existing != "-")
        writeBytes(path, existing);
    if (userVersion >= 0) {
        Database db(path);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db.connection()).exec(u"PRAGMA user_version = %1"_s.arg(userVersion)));
    }

    {
        Database db(path);
        QCOMPARE(db.open(), opens);
        if (!opens) {
            QVERIFY(db.errorString().contains(path));
            return;
        }
        QCOMPARE(db.schemaVersion(), Database::latestVersion());
        QVERIFY(db.notice().isEmpty());
        QVERIFY(AddressBook(db).add(person(u"Max"_s, u"Müller"_s, u"Weg 1"_s, u"Köln"_s)));
    }
    Database again(path);
    QVERIFY(again.open());
    QCOMPARE(again.schemaVersion(), Database::latestVersion());
    QCOMPARE(AddressBook(again).count(), 1);
}

void TestRecords::damagedFileMovedAside_data()
{
    QTest::addColumn<bool>("text");           // a text file rather than damaged pages
    QTest::addColumn<bool>("earlierDamaged"); // a ".damaged" is already there
    QTest::addColumn<QString>("movedTo");

    QTest::newRow("not a database") << true << false << u".damaged"_s;
    QTest::newRow("damaged pages") << false << false << u".damaged"_s;
    QTest::newRow("numbered beside an earlier one") << true << true << u".damaged.2"_s;
}

void TestRecords::damagedFileMovedAside()
{
    QFETCH(bool, text);
    QFETCH(bool, earlierDamaged);
    QFETCH(QString, movedTo);
    const QString path =
        m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".sqlite"_s);
    if (text) {
        writeBytes(path, "Name;Ort\nMax;K\xc3\xb6ln\n");
    } else {
        {
            Database db(path);
            QVERIFY(db.open());
            AddressBook book(db);
            std::vector<Entry> many;
            for (int i = 0; i < 300; ++i)
                many.push_back(person(u"Max"_s, u"Müller %1"_s.arg(i), u"Weg 1"_s, u"Köln"_s));
            QVERIFY(book.import(many));
        }
        QFile file(path);
        QVERIFY(file.size() > 8192 && file.open(QIODevice::ReadWrite));
        file.seek(4096);
        file.write(QByteArray(4096, '\xAB'));
    }
    if (earlierDamaged)
        writeBytes(path + u".damaged"_s, "older");
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();

    Database db(path);
    QVERIFY2(db.open(), qPrintable(db.errorString()));
    QCOMPARE(db.notice(), u"Die Datenbank „%1“ war beschädigt und wurde als „%1%2“ "
                          "beiseitegelegt; eine neue wurde angelegt."_s.arg(path, movedTo));
    QFile moved(path + movedTo);
    QVERIFY(moved.open(QIODevice::ReadOnly));
    QCOMPARE(moved.readAll(), bytes);
    AddressBook book(db);
    QVERIFY(book.add(person(u"Ayşe"_s, u"Özdemir"_s, u"Weg 2"_s, u"Berlin"_s)));
    QCOMPARE(book.count(), 1);
}

void TestRecords::entriesLifecycle()
{
    Database db(m_dir.filePath(u"lifecycle.sqlite"_s));
    QVERIFY(db.open());
    AddressBook book(db);
    const auto max = book.add(person(u"Max"_s, u"Müller"_s, u"Weg 1"_s, u"Köln"_s, {},
                                     {u"Kunden"_s, u" Kunden "_s, u"Privat"_s}));
    const auto eva =
        book.add(person(u"Eva"_s, u"Maier"_s, u"Weg 2"_s, u"Bonn"_s, {}, {u"Kunden"_s}));
    QVERIFY(max && eva);
    QCOMPARE(surnames(book.list()), (QStringList{u"Maier"_s, u"Müller"_s}));
    QCOMPARE(surnames(book.list(u"Privat"_s)), QStringList{u"Müller"_s});
    QCOMPARE(book.find(*max)->groups, (QStringList{u"Kunden"_s, u"Privat"_s}));

    // The most recently used comes first among those completed.
    QCOMPARE(surnames(book.complete(u"m"_s, 5)), (QStringList{u"Maier"_s, u"Müller"_s}));
    QVERIFY(book.markUsed(*max, QDateTime::currentDateTimeUtc()));
    QCOMPARE(surnames(book.complete(u"m"_s, 5)), (QStringList{u"Müller"_s, u"Maier"_s}));
    QCOMPARE(surnames(book.complete(u"m"_s, 1)), QStringList{u"Müller"_s});

    // A changed name is found by its new words only.
    Entry changed = *book.find(*eva);
    changed.surname = u"Schröder"_s;
    changed.lines[0] = u"Eva Schröder"_s;
    QVERIFY(book.update(changed));
    QCOMPARE(surnames(book.complete(u"schro"_s, 5)), QStringList{u"Schröder"_s});
    QVERIFY(book.complete(u"maier"_s, 5).empty());

    QVERIFY(book.remove(*max));
    QCOMPARE(surnames(book.list(u"Kunden"_s)), QStringList{u"Schröder"_s});
    QVERIFY(book.complete(u"muller"_s, 5).empty());
    changed.id = *max;
    QVERIFY(!book.update(changed));
}

void TestRecords::completion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("without umlaut") << u"muller"_s << QStringList{u"Müller"_s};
    QTest::newRow("with umlaut, upper case") << u"MÜL"_s << QStringList{u"Müller"_s};
    QTest::newRow("capital umlaut") << u"Ozdemir"_s << QStringList{u"Özdemir"_s};
    QTest::newRow("sharp s spelled out") << u"strauss"_s << QStringList{u"Strauß"_s};
    QTest::newRow("accent by decomposition") << u"renee"_s << QStringList{u"Dupont"_s};
    QTest::newRow("city word") << u"koln"_s << QStringList{u"Müller"_s};
    QTest::newRow("company") << u"acme"_s << QStringList{u"Özdemir"_s};
    QTest::newRow("e-mail word") << u"ayse.o"_s << QStringList{u"Özdemir"_s};
    QTest::newRow("every word must match") << u"max str"_s << QStringList{u"Strauß"_s};
    QTest::newRow("two entries") << u"max"_s << QStringList{u"Müller"_s, u"Strauß"_s};
    QTest::newRow("inside a word finds nothing") << u"ller"_s << QStringList();
    QTest::newRow("nothing typed") << u" - "_s << QStringList();
}

void TestRecords::completion()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    Database db(m_dir.filePath(u"completion.sqlite"_s));
    QVERIFY(db.open());
    AddressBook book(db);
    if (book.count() == 0) {
        Entry company =
            person(u"Ayşe"_s, u"Özdemir"_s, u"Weg 2"_s, u"10115 Berlin"_s, u"ayse.oz@example.de"_s);
        company.company = u"ACME GmbH"_s;
        QVERIFY(book.import({person(u"Max"_s, u"Müller"_s, u"Weg 1"_s, u"50667 Köln"_s), company,
                             person(u"Max"_s, u"Strauß"_s, u"Gasse 3"_s, u"Wien"_s),
                             person(u"Renée"_s, u"Dupont"_s, u"Rue 4"_s, u"Paris"_s)}));
    }
    QCOMPARE(surnames(book.complete(typed, 10)), found);
}

void TestRecords::duplicatesMerged_data()
{
    QTest::addColumn<Entry>("second");
    QTest::addColumn<int>("added");
    QTest::addColumn<QString>("first"); // the first entry after the import

    const Entry stored =
        person(u"Max"_s, u"Müller"_s, u"Weg 1"_s, u"50667 Köln"_s, {}, {u"Kunden"_s});
    const QString lines = u"Max Müller//Weg 1/50667 Köln/"_s;
    QTest::newRow("same, folded") << person(u"MAX"_s, u"Muller"_s, u"weg 1"_s, u"50667 KÖLN"_s,
                                            u"m@x.de"_s, {u"Privat"_s})
                                  << 1 << u"||Max|Müller||m@x.de||Kunden,Privat|"_s + lines;
    QTest::newRow("other street") << person(u"Max"_s, u"Müller"_s, u"Weg 2"_s, u"50667 Köln"_s) << 2
                                  << u"||Max|Müller||||Kunden|"_s + lines;
    QTest::newRow("other first name")
        << person(u"Moritz"_s, u"Müller"_s, u"Weg 1"_s, u"50667 Köln"_s) << 2
        << u"||Max|Müller||||Kunden|"_s + lines;
}

void TestRecords::duplicatesMerged()
{
    QFETCH(Entry, second);
    QFETCH(int, added);
    QFETCH(QString, first);
    Database db(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".sqlite"_s));
    QVERIFY(db.open());
    AddressBook book(db);
    QVERIFY(book.import(
        {person(u"Max"_s, u"Müller"_s, u"Weg 1"_s, u"50667 Köln"_s, {}, {u"Kunden"_s})}));
    // Twice: an entry met again within one import merges as well.
    const auto count = book.import({second, second});
    QVERIFY(count);
    QCOMPARE(count->added, added - 1);
    QCOMPARE(count->merged, 3 - added);
    QCOMPARE(book.count(), added);
    QCOMPARE(summary(*book.find(1)), first);
}

void TestRecords::readVCard_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries"); // summary() of each
    QTest::addColumn<int>("warnings");

    QTest::newRow("3.0 folded with CR LF and space, LF and tab")
        << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\xc3\xbc\r\n ller;Max;;Herr Dr.;\r\n"
                      "ADR;TYPE=work:;;Haupt\n\tstr. 1;K\xc3\xb6ln;;50667;Deutschland\r\n"
                      "EMAIL;TYPE=INTERNET:max@example.de\r\nEND:VCARD\r\n")
        << QStringList{u"Herr|Dr.|Max|Müller||max@example.de|||Herr Dr. Max Müller//Hauptstr. 1/"
                       "50667 Köln/Deutschland"_s}
        << 0;
    QTest::newRow("quoted-printable with soft break and charset")
        << QByteArray("BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:"
                      "=D6zdemir;Ay=\n=E7a\nNOTE;QUOTED-PRINTABLE;CHARSET=UTF-8:Zeile=0D=0A=\nzwei "
                      "=C3=A4\nEND:VCARD\n")
        << QStringList{u"||Ayça|Özdemir|||Zeile\nzwei ä||Ayça Özdemir////"_s} << 0;
    QTest::newRow("code page without charset, FN alone, ORG")
        << QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN:J\xfcrgen Stra\xdf"
                      "e\nORG:B\xe4"
                      "ckerei;Verkauf\nEND:VCARD\n")
        << QStringList{u"||Jürgen|Straße|Bäckerei||||Bäckerei/Jürgen Straße///"_s} << 0;
    QTest::newRow("escapes and categories")
        << QByteArray("BEGIN:VCARD\nVERSION:4.0\nN:Meier\\; Sohn;Eva\nNOTE:a\\\\b\\, c\\nd; e\n"
                      "CATEGORIES:Kunden,Wein\\,Bier\nEND:VCARD\n")
        << QStringList{u"||Eva|Meier; Sohn|||a\\b, c\nd; e|Kunden,Wein,Bier|Eva Meier; Sohn////"_s}
        << 0;
    QTest::newRow("several cards, an empty one, one left open")
        << QByteArray("noise\nBEGIN:VCARD\nN:A\nEND:VCARD\nBEGIN:vcard\nEND:VCARD\n"
                      "item1.BEGIN:VCARD\nN:B\nBEGIN:VCARD\nN:C\n")
        << QStringList{u"|||A|||||A////"_s, u"|||B|||||B////"_s, u"|||C|||||C////"_s} << 3;
    QTest::newRow("no card") << QByteArray("Name;Ort\n") << QStringList() << 0;
}

void TestRecords::readVCard()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QFETCH(int, warnings);
    const VCardResult result = readVCards(bytes);
    QStringList read;
    for (const Entry& entry : result.entries)
        read << summary(entry);
    QCOMPARE(read, entries);
    QCOMPARE(result.warnings.size(), warnings);
    QCOMPARE(result.error.isEmpty(), !entries.isEmpty());
    if (entries.isEmpty())
        return;
    // What is written reads back the same.
    const VCardResult again = readVCards(writeVCards(result.entries));
    QCOMPARE(again.entries, result.entries);
}

void TestRecords::csvColumns_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("mapping");
    QTest::addColumn<QString>("entry"); // summary() of the first, or the error

    QTest::newRow("usual names, any case")
        << QByteArray("anrede;TITEL;Vorname;Name;strasse;PLZ;Ort;Land;e-mail;Gruppen\n"
                      "Frau;Dr.;Eva;Meier;Weg 1;1010;Wien;Österreich;e@x.at;Kunden, Wein\n")
        << QString()
        << u"Frau|Dr.|Eva|Meier||e@x.at||Kunden,Wein|Frau Dr. Eva Meier//Weg 1/"
           "1010 Wien/Österreich"_s;
    QTest::newRow("company first, person and extra line second")
        << QByteArray("Firma;Vorname;Nachname;Zusatz;Straße\nACME;Eva;Meier;Einkauf;Weg 1\n")
        << QString() << u"||Eva|Meier|ACME||||ACME/Eva Meier, Einkauf/Weg 1//"_s;
    QTest::newRow("mapping names other columns")
        << QByteArray("Familienname;Postleitzahl;Ort\nMeier;50667;Köln\n")
        << u"Nachname=familienname, PLZ=Postleitzahl"_s << u"|||Meier|||||Meier///50667 Köln/"_s;
    QTest::newRow("lines as exported win")
        << QByteArray("Nachname;Anschrift 1;Anschrift 4\nMeier;Herrn Meier;Köln\n") << QString()
        << u"|||Meier|||||Herrn Meier///Köln/"_s;
    QTest::newRow("unknown field")
        << QByteArray("A\nB\n") << u"Geburtstag=A"_s
        << u"„Geburtstag=A“ nennt kein Feld; Felder sind: Anrede, Titel, Vorname, Nachname, "
           "Firma, Zusatz, Straße, PLZ, Ort, Land, E-Mail, Notiz, Gruppen, Anschrift 1, "
           "Anschrift 2, Anschrift 3, Anschrift 4, Anschrift 5"_s;
    QTest::newRow("unknown column")
        << QByteArray("A\nB\n") << u"Ort=Stadt"_s << u"Die Tabelle hat keine Spalte „Stadt“."_s;
}

void TestRecords::csvColumns()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, mapping);
    QFETCH(QString, entry);
    const quillory::merge::CsvResult table = quillory::merge::readCsv(csv);
    QVERIFY(table);
    const CsvEntries made = entriesFromCsv(*table.table, mapping);
    QCOMPARE(made.entries.empty() ? made.error : summary(made.entries.front()), entry);
    if (made.entries.empty())
        return;
    // Exported and read again, the entries are as they were.
    const CsvEntries again =
        entriesFromCsv(*quillory::merge::readCsv(entriesToCsv(made.entries)).table);
    QCOMPARE(again.entries, made.entries);
}

void TestRecords::addressTable_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("names"); // the surnames of the records

    QTest::newRow("every entry") << QString() << QStringList{u"Arnold"_s, u"Brandt"_s};
    QTest::newRow("one group") << u"Kunden"_s << QStringList{u"Brandt"_s};
}

void TestRecords::addressTable()
{
    QFETCH(QString, group);
    QFETCH(QStringList, names);
    Database db(m_dir.filePath(u"table.sqlite"_s));
    QVERIFY(db.open());
    AddressBook book(db);
    if (book.count() == 0) {
        Entry anna = person(u"Anna"_s, u"Arnold"_s, u"Weg 1"_s, u"50667 Köln"_s);
        anna.salutation = u"Frau"_s;
        anna.title = u"Dr."_s;
        anna.note = u"Sagt \"Hallo\"; mag\nKaffee"_s;
        Entry bernd = person(u"Bernd"_s, u"Brandt"_s, u"Gasse 2"_s, u"Bonn"_s, {}, {u"Kunden"_s});
        bernd.salutation = u"Herr"_s;
        QVERIFY(book.add(anna) && book.add(bernd));
    }
    const AddressTable made = quillory::records::addressTable(book, group);
    QVERIFY2(made, qPrintable(made.error));
    // The columns of an export, so a letter fills the same placeholders from either.
    QCOMPARE(made.table->columns,
             QString::fromUtf8(entriesToCsv({})).remove(QChar(u'\uFEFF')).trimmed().split(u';'));
    // Every value as stored, the note's quote, semicolon and line break too.
    std::vector<Entry> listed = book.list(group);
    for (Entry& entry : listed)
        entry.id = 0;
    QCOMPARE(surnames(listed), names);
    QCOMPARE(entriesFromCsv(*made.table).entries, listed);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
