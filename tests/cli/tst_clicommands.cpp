#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status;
    QString out;
    QString err;
};

/** Runs the real quillory-cli, as a script would. */
Run cli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(QUILLORY_CLI), arguments);
    if (!process.waitForFinished(30000))
        return {-1, QString(), QStringLiteral("did not finish")};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestCliCommands : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void convertRoundTripsEveryValue()
    {
        const QString sample = QStringLiteral(QUILLORY_SAMPLE_JSON);
        QCOMPARE(cli({QStringLiteral("convert"), sample, path("a.bri")}).status, 0);
        QCOMPARE(cli({QStringLiteral("convert"), path("a.bri"), path("a.json")}).status, 0);
        QCOMPARE(cli({QStringLiteral("convert"), path("a.json"), path("b.bri")}).status, 0);
        QCOMPARE(cli({QStringLiteral("convert"), path("b.bri"), path("b.json")}).status, 0);
        QCOMPARE(readAll(path("b.bri")), readAll(path("a.bri")));
        QCOMPARE(readAll(path("b.json")), readAll(path("a.json")));

        // Every value the sample names arrives unchanged.
        const QJsonObject in = QJsonDocument::fromJson(readAll(sample)).object();
        const QJsonObject out = QJsonDocument::fromJson(readAll(path("a.json"))).object();
        for (auto it = in.begin(); it != in.end(); ++it)
            QCOMPARE(out[it.key()], it.value());
        QCOMPARE(out[QStringLiteral("tail_groups")].toString(), QStringLiteral("ABCD"));
    }

    void infoShowsTheLetter()
    {
        QCOMPARE(
            cli({QStringLiteral("convert"), QStringLiteral(QUILLORY_SAMPLE_JSON), path("i.bri")})
                .status,
            0);
        const Run readable = cli({QStringLiteral("info"), path("i.bri")});
        QCOMPARE(readable.status, 0);
        QVERIFY(readable.out.contains(QStringLiteral("Stadtwerke Musterstadt GmbH")));
        QVERIFY(readable.out.contains(QStringLiteral("  | Vielen Dank für Ihre Aufmerksamkeit.")));

        const Run json = cli({QStringLiteral("info"), QStringLiteral("--json"), path("i.bri")});
        QCOMPARE(json.status, 0);
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object[QStringLiteral("subject")].toString(),
                 QStringLiteral("Kündigung Stromliefervertrag Nr. 34534345"));
    }

    void fileFailuresExitWithOneLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        QTest::newRow("missing file")
            << QStringList{QStringLiteral("info"), QStringLiteral("@/fehlt.bri")}
            << QStringLiteral("quillory-cli: @/fehlt.bri: File not found\n");
        QTest::newRow("damaged file")
            << QStringList{QStringLiteral("info"), QStringLiteral("--json"),
                           QStringLiteral("@/kaputt.bri")}
            << QStringLiteral("quillory-cli: @/kaputt.bri: Read beyond end of file\n");
        QTest::newRow("no such folder")
            << QStringList{QStringLiteral("convert"), QStringLiteral("@/gut.bri"),
                           QStringLiteral("@/x/y.json")}
            << QStringLiteral("quillory-cli: @/x/y.json: Invalid filename\n");
        QTest::newRow("unknown key")
            << QStringList{QStringLiteral("convert"), QStringLiteral("@/falsch.json"),
                           QStringLiteral("@/z.bri")}
            << QStringLiteral("quillory-cli: @/falsch.json: unknown key \"sender.plz\"\n");
    }

    void fileFailuresExitWithOneLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QCOMPARE(
            cli({QStringLiteral("convert"), QStringLiteral(QUILLORY_SAMPLE_JSON), path("gut.bri")})
                .status,
            0);
        writeAll(path("kaputt.bri"), readAll(path("gut.bri")).left(50));
        writeAll(path("falsch.json"), R"({"sender": {"plz": "12345"}})");
        arguments.replaceInStrings(QStringLiteral("@"), m_dir.path());
        const Run run = cli(arguments);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, line.replace(QStringLiteral("@"), m_dir.path()));
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(path("z.bri")));
    }

    void wrongUsageExitsWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown command") << QStringList{QStringLiteral("drucke")};
        QTest::newRow("info without file") << QStringList{QStringLiteral("info")};
        QTest::newRow("info with two files") << QStringList{
            QStringLiteral("info"), QStringLiteral("a.bri"), QStringLiteral("b.bri")};
        QTest::newRow("unknown option") << QStringList{
            QStringLiteral("info"), QStringLiteral("--xml"), QStringLiteral("a.bri")};
        QTest::newRow("convert one file")
            << QStringList{QStringLiteral("convert"), QStringLiteral("a.bri")};
        QTest::newRow("convert bri to bri") << QStringList{
            QStringLiteral("convert"), QStringLiteral("a.bri"), QStringLiteral("b.bri")};
    }

    void wrongUsageExitsWithTwo()
    {
        QFETCH(QStringList, arguments);
        const Run run = cli(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(QStringLiteral("usage: quillory-cli")), qPrintable(run.err));
    }

    void helpListsTheCommands()
    {
        const Run run = cli({QStringLiteral("--help")});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains(QStringLiteral("info [--json] FILE.bri")));
        QVERIFY(run.out.contains(QStringLiteral("convert IN OUT")));
    }

    void lostCharactersAreNamed()
    {
        writeAll(path("schnee.json"), R"({"subject": "Schnee ☃"})");
        const Run run = cli({QStringLiteral("convert"), path("schnee.json"), path("schnee.bri")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains(QStringLiteral("warning: written as \"?\": ☃")),
                 qPrintable(run.err));
        QVERIFY(readAll(path("schnee.bri")).contains("Schnee ?"));
    }
};

QTEST_GUILESS_MAIN(TestCliCommands)
#include "tst_clicommands.moc"
