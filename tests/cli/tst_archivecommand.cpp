#include "document/Letter.h"
#include "document/LetterFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using quillory::document::Letter;

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QString err;
};

class TestArchiveCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void archived_data();
    void archived();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    /** quillory-cli with the data folder of the running row. */
    Run cli(const QStringList& arguments) const;
    void writeLetter(const QString& name, const QString& recipient, const QString& subject,
                     QDate saved);

    QTemporaryDir m_dir;
};

Run TestArchiveCommand::cli(const QStringList& arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QUILLORY_DATA_DIR"_s,
                       path(u"data-"_s + QString::fromUtf8(QTest::currentDataTag())));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUILLORY_CLI), arguments);
    Run run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TestArchiveCommand::writeLetter(const QString& name, const QString& recipient,
                                     const QString& subject, QDate saved)
{
    Letter letter = Letter::makeNew();
    letter.recipientName = recipient;
    letter.subject = subject;
    letter.body = u"Sehr geehrte Damen und Herren,\r\nanbei die Unterlagen."_s;
    QVERIFY(QDir().mkpath(QFileInfo(path(name)).absolutePath()));
    QVERIFY(!quillory::document::LetterFile::writeFile(path(name), letter));
    // The archive orders found letters by this time.
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(saved, QTime(12, 0)), QFileDevice::FileModificationTime));
}

void TestArchiveCommand::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writeLetter(u"briefe/a.bri"_s, u"Stadtwerke Musterstadt"_s, u"Kündigung"_s, {2020, 1, 1});
    writeLetter(u"briefe/2019/b.bri"_s, u"Jürgen Müller"_s, u"Rechnung"_s, {2019, 3, 1});
    writeLetter(u"briefe/2019/alt/c.BRI"_s, u"Müller & Söhne"_s, u"Angebot"_s, {2019, 5, 1});
    QFile broken(path(u"briefe/2019/kaputt.bri"_s));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("kein Brief") == 10);
    QFile note(path(u"briefe/notiz.txt"_s));
    QVERIFY(note.open(QIODevice::WriteOnly) && note.write("J\xc3\xbcrgen M\xc3\xbcller") == 15);
}

void TestArchiveCommand::archived_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("found"); // "EVENT FILE[ fehlt]", newest first

    const QString folder = u"briefe"_s;
    QTest::newRow("a folder, nested; the broken file said and counted")
        << QStringList{u"archive"_s, u"add"_s, path(folder)} << 1 << u"muller"_s
        << QStringList{u"gespeichert briefe/2019/alt/c.BRI"_s, u"gespeichert briefe/2019/b.bri"_s};
    QTest::newRow("one file, added twice")
        << QStringList{u"archive"_s, u"add"_s, path(u"briefe/a.bri"_s), path(u"briefe/a.bri"_s)}
        << 0 << QString() << QStringList{u"gespeichert briefe/a.bri"_s};
    QTest::newRow("render --archive") << QStringList{u"render"_s, path(u"briefe/2019/b.bri"_s),
                                                     u"-o"_s, path(u"b.pdf"_s), u"--archive"_s}
                                      << 0 << u"jurgen rechnung"_s << QStringList{u"PDF b.pdf"_s};
}

void TestArchiveCommand::archived()
{
    QFETCH(QStringList, command);
    QFETCH(int, status);
    QFETCH(QString, words);
    QFETCH(QStringList, found);

    const Run done = cli(command);
    QVERIFY2(done.status == status, qPrintable(done.err));
    QCOMPARE(done.err.count(u"Der Brief kann nicht gelesen werden"_s), status);
    const Run search = cli({u"archive"_s, u"search"_s, words, u"--json"_s});
    QCOMPARE(search.status, 0);
    QStringList hits;
    for (const QJsonValue hit : QJsonDocument::fromJson(search.out).array())
        hits << hit[u"event"_s].toString() + u' ' +
                    QDir(m_dir.path()).relativeFilePath(hit[u"path"_s].toString()) +
                    (hit[u"missing"_s].toBool() ? u" fehlt"_s : QString());
    QCOMPARE(hits, found);
}

} // namespace

QTEST_GUILESS_MAIN(TestArchiveCommand)
#include "tst_archivecommand.moc"
