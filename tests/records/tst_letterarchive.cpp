#include "document/Letter.h"
#include "records/LetterArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory::records;
using Event = LetterArchive::Event;

namespace {

LetterArchive::Record record(Event event, const QString& path, int day, const QString& recipient,
                             const QString& subject, const QString& body = {})
{
    return {event,
            path,
            QDateTime(QDate(2024, 1, day), QTime(12, 0), Qt::UTC),
            {{recipient, subject, u"0%1.01.2024"_s.arg(day), body}}};
}

/** The hits' file names in order, "!" after one whose file is gone. */
QString names(const std::vector<LetterArchive::Hit>& hits)
{
    QStringList names;
    for (const auto& hit : hits)
        names << QFileInfo(hit.path).fileName() + (hit.missing ? u"!"_s : QString());
    return names.join(u',');
}

} // namespace

class TestLetterArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();
    void rowPerEvent_data();
    void rowPerEvent();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_database;
};

void TestLetterArchive::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_database = std::make_unique<Database>(m_dir.filePath(u"search.sqlite"_s));
    QVERIFY2(m_database->open(), qPrintable(m_database->errorString()));
    for (const QString& name : {u"a.bri"_s, u"b.bri"_s}) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    LetterArchive archive(*m_database);
    // c.bri is never written: its row must say the file is gone.
    QVERIFY2(archive.add({record(Event::Saved, m_dir.filePath(u"a.bri"_s), 1,
                                 u"Herrn Jürgen Müller\nGartenweg 1"_s, u"Rechnung Gartenstraße"_s,
                                 u"der Zählerstand"_s),
                          record(Event::Saved, m_dir.filePath(u"b.bri"_s), 2,
                                 u"Stadtwerke Musterstadt GmbH"_s, u"Kündigung"_s,
                                 u"zum 31.01. kündige ich"_s),
                          record(Event::Pdf, m_dir.filePath(u"c.pdf"_s), 3, u"Müller & Söhne"_s,
                                 u"Angebot"_s, u"die Stadtwerke liefern"_s)}),
             qPrintable(archive.errorString()));
}

void TestLetterArchive::search_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("found");

    QTest::newRow("a whole word") << u"Kündigung"_s << u"b.bri"_s;
    QTest::newRow("prefix, in recipient and body, newest first")
        << u"Stadtw"_s << u"c.pdf!,b.bri"_s;
    QTest::newRow("without umlauts, any case") << u"MULLER"_s << u"c.pdf!,a.bri"_s;
    QTest::newRow("ss finds ß") << u"gartenstrasse"_s << u"a.bri"_s;
    QTest::newRow("every word must be found") << u"müller angebot"_s << u"c.pdf!"_s;
    QTest::newRow("words from different fields") << u"zähler rechnung jürgen"_s << u"a.bri"_s;
    QTest::newRow("no letter has both") << u"stadtw rechnung"_s << QString();
    QTest::newRow("OR is a word") << u"müller OR kündigung"_s << QString();
    QTest::newRow("no column filter") << u"subject:angebot"_s << QString();
    QTest::newRow("quotes and brackets") << u"\"müller\" (angebot"_s << u"c.pdf!"_s;
    QTest::newRow("no SQL") << u"'; DROP TABLE archive; --"_s << QString();
    QTest::newRow("only punctuation") << u"\" * ( -"_s << QString();
}

void TestLetterArchive::search()
{
    QFETCH(QString, words);
    QFETCH(QString, found);
    LetterArchive archive(*m_database);
    const auto hits = archive.search(words, 10);
    QVERIFY2(archive.errorString().isEmpty(), qPrintable(archive.errorString()));
    QCOMPARE(names(hits), found);
    // Harmless input leaves the archive whole; no words list it all.
    QCOMPARE(archive.search({}, 10).size(), size_t(3));
}

void TestLetterArchive::rowPerEvent_data()
{
    QTest::addColumn<std::vector<LetterArchive::Record>>("records");
    QTest::addColumn<QString>("listed"); // "event recipient subject" of each row, newest first

    const QString x = QDir::temp().filePath(u"x.bri"_s);
    const QString y = QDir::temp().filePath(u"y.pdf"_s);
    QTest::newRow("saved again: one row, the newer")
        << std::vector{record(Event::Saved, x, 1, u"Meier"_s, u"alt"_s),
                       record(Event::Saved, x, 2, u"Schulz"_s, u"neu"_s)}
        << u"gespeichert Schulz neu"_s;
    QTest::newRow("saved, printed and PDF of one letter")
        << std::vector{record(Event::Saved, x, 1, u"Meier"_s, u"Brief"_s),
                       record(Event::Printed, x, 2, u"Meier"_s, u"Brief"_s),
                       record(Event::Pdf, y, 3, u"Meier"_s, u"Brief"_s)}
        << u"PDF Meier Brief|gedruckt Meier Brief|gespeichert Meier Brief"_s;
    QTest::newRow("printed to two, then again to the first")
        << std::vector{record(Event::Printed, x, 1, u"Meier"_s, u"Brief"_s),
                       record(Event::Printed, x, 2, u"Schulz"_s, u"Brief"_s),
                       record(Event::Printed, x, 3, u"Meier"_s, u"Brief 2"_s)}
        << u"gedruckt Meier Brief 2|gedruckt Schulz Brief"_s;
    LetterArchive::Record serial = record(Event::Pdf, y, 2, u"Meier"_s, u"Serie"_s);
    serial.letters.push_back({u"Schulz"_s, u"Serie"_s, {}, {}});
    QTest::newRow("a serial PDF written again holds what it holds now")
        << std::vector{serial, record(Event::Pdf, y, 3, u"Schulz"_s, u"Serie"_s)}
        << u"PDF Schulz Serie"_s;
}

void TestLetterArchive::rowPerEvent()
{
    QFETCH(std::vector<LetterArchive::Record>, records);
    QFETCH(QString, listed);
    Database database(m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()) + u".sqlite"_s));
    QVERIFY(database.open());
    LetterArchive archive(database);
    for (const auto& one : records)
        QVERIFY2(archive.add(one), qPrintable(archive.errorString()));
    QStringList rows;
    for (const auto& hit : archive.search({}, 10))
        rows << LetterArchive::eventName(hit.event) + u' ' + hit.letter.recipient + u' ' +
                    hit.letter.subject;
    QCOMPARE(rows.join(u'|'), listed);
}

QTEST_GUILESS_MAIN(TestLetterArchive)
#include "tst_letterarchive.moc"
