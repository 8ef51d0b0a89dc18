#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "QuilloryVersion.h"

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int status;
    QString out;
    QString err;
};

/** Runs the real quillory-cli, as a script would; through program when one is given. */
Run cli(const QStringList& arguments, const QString& program = QString(),
        QStringList programArguments = {})
{
    QProcess process;
    if (program.isEmpty()) {
        process.start(QStringLiteral(QUILLORY_CLI), arguments);
    } else {
        programArguments << QStringLiteral(QUILLORY_CLI) << arguments;
        process.start(program, programArguments);
    }
    if (!process.waitForFinished(30000))
        return {-1, QString(), QStringLiteral("did not finish")};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

/** The bytes of a literal, zero bytes included. */
template <qsizetype N>
QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
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
            << u"quillory-cli: @/x/y.json: Ordner nicht gefunden\n"_s;
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
        // Only a letter file takes the letter's bytes.
        QTest::newRow("check --fix into a PDF") << QStringList{
            u"check"_s, u"a.bri"_s, u"--envelope"_s, u"DL"_s, u"--fix"_s, u"a.pdf"_s};
        QTest::newRow("check in an unknown layout") << QStringList{
            u"check"_s, u"a.bri"_s, u"--envelope"_s, u"DL"_s, u"--layout"_s, u"din-c"_s};
        QTest::newRow("print in an unknown layout")
            << QStringList{u"print"_s, u"a.bri"_s, u"--layout"_s, u"3"_s};
        QTest::newRow("check --fix with an empty name")
            << QStringList{u"check"_s, u"a.bri"_s, u"--envelope"_s, u"DL"_s, u"--fix"_s, QString()};
    }

    void wrongUsageExitsWithTwo()
    {
        QFETCH(QStringList, arguments);
        const Run run = cli(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(QStringLiteral("usage: quillory-cli")), qPrintable(run.err));
    }

    void outputsNeverReplaceInputs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("kept"); // the input named in the refusal, as it was
        const QString letter = u"@/brief.bri"_s;
        QTest::newRow("render onto a letter named .pdf")
            << QStringList{u"render"_s, u"@/brief.pdf"_s, u"-o"_s, u"@/brief.pdf"_s}
            << u"@/brief.pdf"_s;
        QTest::newRow("merge onto the table")
            << QStringList{u"merge"_s, letter, u"@/daten.pdf"_s, u"-o"_s, u"@/daten.pdf"_s}
            << u"@/daten.pdf"_s;
        QTest::newRow("merge, a file each, onto the table")
            << QStringList{u"merge"_s,  letter, u"@/Brief-2.pdf"_s,
                           u"--each"_s, u"@"_s, u"--overwrite"_s}
            << u"@/Brief-2.pdf"_s;
        QTest::newRow("check --fix onto the letter")
            << QStringList{u"check"_s, letter, u"--envelope"_s, u"DL"_s, u"--fix"_s, letter}
            << letter;
#ifdef Q_OS_UNIX
        QTest::newRow("convert through a symbolic link")
            << QStringList{u"convert"_s, letter, u"@/brief.json"_s} << letter;
        QTest::newRow("merge onto a hard link of the letter")
            << QStringList{u"merge"_s, u"@/brief.pdf"_s, u"@/daten.csv"_s, u"-o"_s, u"@/hart.pdf"_s}
            << u"@/brief.pdf"_s;
#endif
    }

    void outputsNeverReplaceInputs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, kept);
        QTemporaryDir dir;
        const auto at = [&](const QString& name) {
            return dir.filePath(name);
        };
        QCOMPARE(
            cli({u"convert"_s, QStringLiteral(QUILLORY_SAMPLE_JSON), at(u"brief.bri"_s)}).status,
            0);
        QVERIFY(QFile::copy(at(u"brief.bri"_s), at(u"brief.pdf"_s)));
        const QByteArray table = "Name\nAnna\nBernd\n";
        writeAll(at(u"daten.csv"_s), table);
        writeAll(at(u"daten.pdf"_s), table);
        writeAll(at(u"Brief-2.pdf"_s), "Name\nAnna\nBernd\nClara\n");
#ifdef Q_OS_UNIX
        QVERIFY(QFile::link(at(u"brief.bri"_s), at(u"brief.json"_s)));
        QCOMPARE(::link(QFile::encodeName(at(u"brief.pdf"_s)).constData(),
                        QFile::encodeName(at(u"hart.pdf"_s)).constData()),
                 0);
#endif
        arguments.replaceInStrings(u"@"_s, dir.path());
        kept.replace(u"@"_s, dir.path());
        const QByteArray before = readAll(kept);

        const Run run = cli(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(
                     u"„%1“ wird gelesen und kann nicht zugleich die Ausgabe sein"_s.arg(kept)),
                 qPrintable(run.err));
        QCOMPARE(readAll(kept), before);
    }

    void helpListsTheCommands()
    {
        const Run run = cli({QStringLiteral("--help")});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains(QStringLiteral("info [--json] FILE.bri")));
        QVERIFY(run.out.contains(QStringLiteral("convert IN OUT")));
    }

    void commands_data()
    {
        QTest::addColumn<QByteArray>("json"); // the letter of @/in.json and @/in.bri
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("unprivileged");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("where");            // "out", "err" or a file
        QTest::addColumn<QByteArray>("expected");      // found there
        QTest::addColumn<QByteArrayList>("forbidden"); // none of these is there

        const QStringList toBri{QStringLiteral("convert"), QStringLiteral("@/in.json"),
                                QStringLiteral("@/out.bri")};
        QTest::newRow("convert breaks JSON lines with CR LF")
            << QByteArray(R"({"body": "a\nb\rc\r\nd\n\ne"})") << toBri << false << 0
            << QStringLiteral("@/out.bri") << raw("\x0f\0\0\0a\r\nb\r\nc\r\nd\r\n\r\ne")
            << QByteArrayList();

        const QStringList info{QStringLiteral("info"), QStringLiteral("@/in.bri")};
        const QByteArrayList terminalBytes{"\x1b", "\x07", "\r", "\t", "\xc2\x9d"};
        QTest::newRow("info shows a text's control characters")
            << QByteArray("{\"subject\": \"\\u001b]0;Titel\\u0007\\r\\n\\t\\u009d\"}") << info
            << false << 0 << QStringLiteral("out") << QByteArray("\\x1b]0;Titel\\x07\\r\\n\\t\\x9d")
            << terminalBytes;
        QTest::newRow("info shows the body's control characters")
            << QByteArray("{\"body\": \"Zeile\\u001b[2J\\nweiter\"}") << info << false << 0
            << QStringLiteral("out") << QByteArray("  | Zeile\\x1b[2J") << terminalBytes;

        QTest::newRow("--version prints the version")
            << QByteArray("{}") << QStringList{QStringLiteral("--version")} << false << 0
            << QStringLiteral("out") << QByteArray("quillory-cli " QUILLORY_VERSION "\n")
            << QByteArrayList();

        QTest::newRow("info reads a device no further than the bound")
            << QByteArray("{}") << QStringList{QStringLiteral("info"), QStringLiteral("/dev/zero")}
            << false << 1 << QStringLiteral("err")
            << QByteArray("quillory-cli: /dev/zero: Datei zu groß (mehr als 64 MB)\n")
            << QByteArrayList();

        QTest::newRow("a file name's control characters are shown")
            << QByteArray("{}") << QStringList{u"info"_s, u"@/\x1b]0;Titel\x07.bri"_s} << false << 1
            << u"err"_s << QByteArray("/\\x1b]0;Titel\\x07.bri: File not found") << terminalBytes;

        // Beyond the table is beyond it, however large the number.
        for (const char* records : {"3-", "1-3", "1-99999999999", "99999999999-"}) {
            QTest::addRow("merge --records %s", records)
                << QByteArray("{}")
                << QStringList{u"merge"_s,      u"@/in.bri"_s,  u"@/daten.csv"_s,      u"-o"_s,
                               u"@/alle.pdf"_s, u"--records"_s, QLatin1String(records)}
                << false << 1 << u"err"_s
                << QByteArray(
                       "quillory-cli: @/in.bri: Die Tabelle hat die Datensätze 1 bis 2, nicht")
                << QByteArrayList{"Briefe,"};
        }
        QTest::newRow("merge into a missing folder outputs no letter")
            << QByteArray("{}")
            << QStringList{u"merge"_s, u"@/in.bri"_s, u"@/daten.csv"_s, u"-o"_s,
                           u"@/fehlt/alle.pdf"_s}
            << false << 1 << u"err"_s
            << QByteArray("quillory-cli: @/fehlt/alle.pdf: Ordner nicht gefunden\n"
                          "quillory-cli: Es wurde kein Brief ausgegeben\n")
            << QByteArrayList{"von 2 Briefen"};

        QTest::newRow("merge --anrede-spalten names a column the table lacks")
            << QByteArray("{}")
            << QStringList{u"merge"_s,      u"@/in.bri"_s,         u"@/daten.csv"_s, u"-o"_s,
                           u"@/alle.pdf"_s, u"--anrede-spalten"_s, u"Anrede,,Name"_s}
            << false << 2 << u"err"_s
            << QByteArray("@/daten.csv: Unbekannte Spalte „Anrede“ für Briefanrede und "
                          "Anschriftanrede\nusage:")
            << QByteArrayList{"Briefe,"};

        QTest::newRow("merge --adressbuch without entries")
            << QByteArray("{}")
            << QStringList{u"merge"_s,         u"@/in.bri"_s, u"--adressbuch"_s, u"--database"_s,
                           u"@/leer.sqlite"_s, u"-o"_s,       u"@/alle.pdf"_s}
            << false << 1 << u"err"_s
            << QByteArray(
                   "quillory-cli: @/leer.sqlite: Das Adressbuch hat keine Eintr\xc3\xa4ge.\n")
            << QByteArrayList{"Briefe,"};

        QTest::newRow("merge names the letter when no printer is the default")
            << QByteArray("{}")
            << QStringList{u"merge"_s, u"@/in.bri"_s, u"@/daten.csv"_s, u"--print"_s} << false << 1
            << u"err"_s
            << QByteArray("quillory-cli: @/in.bri: Zur Zeit ist kein Standard-Drucker gewählt\n"
                          "quillory-cli: Es wurde kein Brief ausgegeben\n")
            << QByteArrayList{": : "};

        QTest::newRow("print takes the view options of render")
            << QByteArray("{}")
            << QStringList{QStringLiteral("print"),
                           QStringLiteral("@/in.bri"),
                           QStringLiteral("--blank-before-city"),
                           QStringLiteral("--signature-text"),
                           QStringLiteral("--printer"),
                           QStringLiteral("Kein Drucker")}
            << false << 1 << QStringLiteral("err")
            << QByteArray("quillory-cli: Kein Drucker: Ausgewählter Drucker ist ungültig\n")
            << QByteArrayList();

        // The sample letter's sender line lies above the safe zone of DL and C5.
        const QByteArray sample = readAll(QStringLiteral(QUILLORY_SAMPLE_JSON));
        QTest::newRow("check names what else is amiss in its verdict")
            << sample << QStringList{u"check"_s, u"@/in.bri"_s, u"--envelope"_s, u"DL"_s} << false
            << 0 << u"out"_s
            << QByteArray("Anschrift passt, aber die Absenderzeile ist nicht im Fenster sichtbar "
                          "(DL, mindestens ")
            << QByteArrayList();
        // The DIN forms put the address where the window is.
        for (const char* envelope : {"DL", "C6/5"}) {
            QTest::addRow("check a Form B letter in %s", envelope)
                << sample << QStringList{u"check"_s,      u"@/in.bri"_s,
                                         u"--envelope"_s, QLatin1String(envelope),
                                         u"--layout"_s,   u"din-b"_s}
                << false << 0 << u"out"_s << QByteArray("Anschrift passt")
                << QByteArrayList{"ragt"};
        }
        QTest::newRow("check --fix changes nothing in a DIN layout")
            << sample << QStringList{u"check"_s,    u"@/in.bri"_s, u"--envelope"_s, u"DL"_s,
                                     u"--layout"_s, u"din-b"_s,    u"--fix"_s,      u"@/fest.bri"_s}
            << false << 0 << u"err"_s
            << QByteArray("quillory-cli: Die DIN-Layouts setzen die Anschrift selbst an ihren "
                          "Platz; es wird nichts geändert\n")
            << QByteArrayList{"ZeilenAbsender"};
        QTest::newRow("check --json tells how much of the sender line shows")
            << sample
            << QStringList{u"check"_s, u"@/in.bri"_s, u"--envelope"_s, u"C5"_s, u"--json"_s}
            << false << 3 << u"out"_s << QByteArray("\"returnLineVisibility\": \"none\"")
            << QByteArrayList();

        // A letter the user may write in a folder where they may not create
        // files: no temporary file can be made there, so it is saved in place.
        QTest::newRow("convert saves in place in a closed folder")
            << QByteArray(R"({"body": "neu"})")
            << QStringList{QStringLiteral("convert"), QStringLiteral("@/in.json"),
                           QStringLiteral("@/zu/brief.bri")}
            << true << 0 << QStringLiteral("@/zu/brief.bri") << raw("\x03\0\0\0neu")
            << QByteArrayList();
    }

    void commands()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, arguments);
        QFETCH(bool, unprivileged);
        QFETCH(int, status);
        QFETCH(QString, where);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArrayList, forbidden);
        if (arguments.contains(QStringLiteral("/dev/zero")) && !QFile::exists(arguments.last()))
            QSKIP("no /dev/zero here");

        writeAll(path("in.json"), json);
        writeAll(path("daten.csv"), "Name\nAnna\nBernd\n");
        const Run made = cli({QStringLiteral("convert"), path("in.json"), path("in.bri")});
        QVERIFY2(made.status == 0, qPrintable(made.err));
        arguments.replaceInStrings(QStringLiteral("@"), m_dir.path());
        where.replace(QStringLiteral("@"), m_dir.path());
        expected.replace('@', QFile::encodeName(m_dir.path()));

        // No print server, so no default printer: nothing goes out.
        const bool serverSet = qEnvironmentVariableIsSet("CUPS_SERVER");
        const QByteArray server = qgetenv("CUPS_SERVER");
        const auto restore = qScopeGuard([&] {
            if (serverSet)
                qputenv("CUPS_SERVER", server);
            else
                qunsetenv("CUPS_SERVER");
        });
        if (arguments.contains(u"--print"_s))
            qputenv("CUPS_SERVER", QFile::encodeName(path("kein-cups.sock")));

        Run run;
        if (unprivileged) {
#ifdef Q_OS_UNIX
            // The folder "zu" forbids creating files; brief.bri may be written.
            const QString folder = path("zu");
            QVERIFY(QDir().mkpath(folder));
            writeAll(folder + QStringLiteral("/brief.bri"), "alt");
            const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                  QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
            QVERIFY(QFile::setPermissions(folder + QStringLiteral("/brief.bri"), everyone));
            const auto closed = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
            QVERIFY(QFile::setPermissions(folder, closed));
            QVERIFY(QFile::setPermissions(m_dir.path(), closed | QFile::WriteOwner));
            const auto reopen =
                qScopeGuard([&] { QFile::setPermissions(folder, closed | QFile::WriteOwner); });
            if (geteuid() != 0) {
                run = cli(arguments); // this user is unprivileged already
            } else {
                // root writes anywhere: run the command as the user "nobody".
                const passwd* nobody = getpwnam("nobody");
                const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
                const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
                if (!nobody)
                    QSKIP("running as root, and there is no user \"nobody\" to drop to");
                if (!setpriv.isEmpty())
                    run = cli(arguments, setpriv,
                              {QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                               QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                               QStringLiteral("--clear-groups")});
                else if (!runuser.isEmpty())
                    run =
                        cli(arguments, runuser,
                            {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--")});
                else
                    QSKIP("running as root, and neither setpriv nor runuser can drop privileges");
            }
            // Nothing else was made in the folder.
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                     QStringList{QStringLiteral("brief.bri")});
#else
            QSKIP("file permissions of this kind are tested on Unix only");
#endif
        } else {
            run = cli(arguments);
        }
        QVERIFY2(run.status == status, qPrintable(run.err));
        const QByteArray text = where == QLatin1String("out")   ? run.out.toUtf8()
                                : where == QLatin1String("err") ? run.err.toUtf8()
                                                                : readAll(where);
        QVERIFY2(text.contains(expected), text.constData());
        for (const QByteArray& bytes : forbidden)
            QVERIFY2(!text.contains(bytes), ("written raw: 0x" + bytes.toHex()).constData());
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

    void aLostBlockIsReportedOnce_data()
    {
        QTest::addColumn<int>("cut"); // bytes taken from the end of the file
        QTest::addColumn<bool>("json");
        for (int cut : {0, 3}) {
            QTest::addRow("info, %d bytes cut", cut) << cut << false;
            QTest::addRow("info --json, %d bytes cut", cut) << cut << true;
        }
    }

    void aLostBlockIsReportedOnce()
    {
        QFETCH(int, cut);
        QFETCH(bool, json);
        writeAll(path("zusatz.json"), R"({"subject": "Mit Anlagen", "enclosures": ["Rechnung"]})");
        QCOMPARE(cli({u"convert"_s, path("zusatz.json"), path("zusatz.bri")}).status, 0);
        const QByteArray file = readAll(path("zusatz.bri"));
        writeAll(path("zusatz.bri"), file.left(file.size() - cut));

        const Run run = cli(json ? QStringList{u"info"_s, u"--json"_s, path("zusatz.bri")}
                                 : QStringList{u"info"_s, path("zusatz.bri")});
        // The letter opens either way; only the block is lost, and said so once.
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QString lost = u"quillory-cli: "_s + path("zusatz.bri") +
                             u": Die Zusatzangaben (Infoblock, Anlagen, Verteiler) dieses Briefs "
                             u"sind beschädigt und wurden nicht übernommen."_s;
        QCOMPARE(run.err.split(QLatin1Char('\n')).filter(QRegularExpression(u"^quillory-cli: "_s)),
                 cut ? QStringList{lost} : QStringList());
        QVERIFY2(run.out.contains(u"Mit Anlagen"_s), qPrintable(run.out));
        QCOMPARE(run.out.contains(u"Rechnung"_s), cut == 0);
    }

    void aFailedOutputLeavesTheOldFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("limit"); // the largest file the command may write; 0: any
        QTest::addColumn<QString>("line");
        const QString full = u"Disk full"_s;
        const auto row = [](const char* name, const char* arguments, int limit, const char* target,
                            const QString& message) {
            QTest::newRow(name) << QString::fromLatin1(arguments).split(QLatin1Char(' ')) << limit
                                << u"quillory-cli: @/%1: %2\n"_s.arg(QString::fromLatin1(target),
                                                                     message);
        };
        // Files that fit the write buffer whole, and larger ones.
        row("JSON on a full disk", "convert @/in.bri @/alt.json", 200, "alt.json", full);
        row("letter file on a full disk", "convert @/in.json @/alt.bri", 200, "alt.bri", full);
        row("PDF on a full disk", "render @/in.bri -o @/alt.pdf", 1000, "alt.pdf", full);
        row("PNG on a full disk", "render @/in.bri -o @/alt.png", 100, "alt.png", full);
        row("serial PDF on a full disk", "merge @/in.bri @/namen.csv -o @/alt.pdf", 1000, "alt.pdf",
            full);
        row("a link to a pipe", "convert @/in.bri @/rohr.json", 0, "rohr.json",
            u"„@/rohr.json“ ist keine gewöhnliche Datei"_s);
        row("a link planted among the letters",
            "merge @/in.bri @/namen.csv --each @/briefe --overwrite", 0, "briefe",
            u"Die Datei „Brief-1.pdf“ ist eine Verknüpfung"_s);
    }

    void aFailedOutputLeavesTheOldFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, limit);
        QFETCH(QString, line);
#ifdef Q_OS_UNIX
        const QString prlimit = QStandardPaths::findExecutable(u"prlimit"_s);
        if (limit > 0 && prlimit.isEmpty())
            QSKIP("no prlimit to set a file size limit with");
        QTemporaryDir dir;
        const auto at = [&](const char* name) {
            return dir.filePath(QString::fromLatin1(name));
        };
        QCOMPARE(cli({u"convert"_s, QStringLiteral(QUILLORY_SAMPLE_JSON), at("in.bri")}).status, 0);
        QVERIFY(QFile::copy(QStringLiteral(QUILLORY_SAMPLE_JSON), at("in.json")));
        writeAll(at("namen.csv"), "Name\nAnna\n");
        const QStringList olds{u"alt.json"_s, u"alt.bri"_s, u"alt.pdf"_s, u"alt.png"_s};
        for (const QString& name : olds)
            writeAll(dir.filePath(name), "alt");
        QCOMPARE(mkfifo(QFile::encodeName(at("rohr")).constData(), 0666), 0);
        QVERIFY(QFile::link(u"rohr"_s, at("rohr.json")));
        QVERIFY(QDir().mkpath(at("briefe")));
        QVERIFY(QFile::link(u"../alt.pdf"_s, at("briefe/Brief-1.pdf")));
        const auto entries = [](const QString& folder) {
            return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                          QDir::NoDotAndDotDot);
        };
        const QStringList before = entries(dir.path());

        arguments.replaceInStrings(u"@"_s, dir.path());
        const Run run =
            limit > 0 ? cli(arguments, prlimit, {u"--fsize=%1"_s.arg(limit)}) : cli(arguments);
        QCOMPARE(run.status, 1);
        line.replace(u"@"_s, dir.path());
        QVERIFY2(run.err.contains(line), qPrintable(run.err));
        for (const QString& name : olds)
            QCOMPARE(readAll(dir.filePath(name)), QByteArray("alt"));
        QVERIFY(!QFileInfo(at("rohr")).isFile());
        QCOMPARE(entries(dir.path()), before);
        QCOMPARE(entries(at("briefe")), QStringList{u"Brief-1.pdf"_s});
#else
        Q_UNUSED(arguments);
        Q_UNUSED(limit);
        Q_UNUSED(line);
        QSKIP("file size limits, pipes and links are made on Unix only");
#endif
    }

    void mergeDerivesTheSalutation_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("recipient"); // the address word (if any) and the name
        QTest::addColumn<QString>("salutation");
        QTest::newRow("Frau, Dr.")
            << 1 << u"Frau|Dr. Anna Müller"_s << u"Sehr geehrte Frau Dr. Müller,"_s;
        QTest::newRow("Herr") << 2 << u"Herrn|Cem Özdemir"_s << u"Sehr geehrter Herr Özdemir,"_s;
        QTest::newRow("divers") << 3 << u"Alex Schmidt"_s << u"Guten Tag Alex Schmidt,"_s;
        QTest::newRow("Firma") << 4 << u"Beispiel GmbH"_s << u"Sehr geehrte Damen und Herren,"_s;
        QTest::newRow(" hr. ") << 5 << u"Herrn|Prof. Dr. Bernd Weber"_s
                               << u"Sehr geehrter Herr Prof. Dr. Weber,"_s;
    }

    void mergeDerivesTheSalutation()
    {
        QFETCH(int, page);
        QFETCH(QString, recipient);
        QFETCH(QString, salutation);
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        const QString pdf = path("anrede.pdf");
        if (!QFile::exists(pdf)) { // one run for every row
            writeAll(path("anrede.json"), R"({"salutation": "{Briefanrede}", "recipient": {
                "name": "{Anschriftanrede}", "extra": "{Titel} {Vorname} {Nachname}"}})");
            QCOMPARE(cli({u"convert"_s, path("anrede.json"), path("anrede.bri")}).status, 0);
            writeAll(path("anrede.csv"), "Anrede;Titel;Vorname;Nachname;Strasse;PLZ;Ort\n"
                                         "Frau;Dr.;Anna;M\xc3\xbcller;Weg 1;50667;K\xc3\xb6ln\n"
                                         "Herr;;Cem;\xc3\x96zdemir;Weg 2;53111;Bonn\n"
                                         "divers;;Alex;Schmidt;Weg 3;24103;Kiel\n"
                                         "Firma;;;Beispiel GmbH;Weg 4;20095;Hamburg\n"
                                         " hr. ;Prof. Dr.;Bernd;Weber;Weg 5;10115;Berlin\n");
            const Run run = cli({u"merge"_s, path("anrede.bri"), path("anrede.csv"), u"-o"_s, pdf});
            QCOMPARE(run.out, u"5 Briefe, 5 Seiten\n"_s);
        }
        QProcess text;
        text.start(pdftotext,
                   {u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf, u"-"_s});
        QVERIFY(text.waitForFinished());
        const QString shown = QString::fromUtf8(text.readAllStandardOutput())
                                  .split(u'\n', Qt::SkipEmptyParts)
                                  .join(u'|');
        // Right after the sender's line, with no address word where there is none.
        QVERIFY2(shown.contains(u"; Deutschland|"_s + recipient + u'|'), qPrintable(shown));
        QVERIFY2(shown.contains(u'|' + salutation + u'|'), qPrintable(shown));
    }

    void mergeFromTheAddressBook()
    {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        const QString database = path("adressbuch.sqlite");
        writeAll(path("buch.json"), R"({"salutation": "{Briefanrede}"})");
        QCOMPARE(cli({u"convert"_s, path("buch.json"), path("buch.bri")}).status, 0);
        writeAll(path("buch.csv"), "Anrede;Titel;Vorname;Nachname;Gruppen\n"
                                   "Frau;Dr.;Anna;M\xc3\xbcller;\n"
                                   "Herr;;Cem;\xc3\x96zdemir;Kunden\n");
        QCOMPARE(cli({u"addressbook"_s, u"import"_s, path("buch.csv"), u"--database"_s, database})
                     .status,
                 0);
        const Run run = cli({u"merge"_s, path("buch.bri"), u"--adressbuch"_s, u"--gruppe"_s,
                             u"Kunden"_s, u"--database"_s, database, u"-o"_s, path("buch.pdf")});
        QCOMPARE(run.out, u"1 Brief, 1 Seite\n"_s);
        QProcess text;
        text.start(pdftotext, {path("buch.pdf"), u"-"_s});
        QVERIFY(text.waitForFinished());
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput())
                    .contains(u"Sehr geehrter Herr Özdemir,"_s));
    }

    void mergeWarnsBeforeWriting_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("lines"); // of stderr, "@" the folder

        const QByteArray toName(R"({"recipient": {"name": "{Name}"}})");
        const QString read = u"quillory-cli: @/t.csv: Semikolon, UTF-8, 2 Datensätze"_s;
        QTest::newRow("a short row")
            << toName << QByteArray("Name;Ort\nAnna;K\xc3\xb6ln\nBernd\n") << QStringList()
            << QStringList{read,
                           QStringLiteral("quillory-cli: @/t.csv: Warnung: Zeile 3: weniger "
                                          "Felder als Spalten, die übrigen Werte bleiben leer")};
        QTest::newRow("UTF-8 given for Windows-1252")
            << toName << QByteArray("Name;Ort\nM\xfcller;K\xf6ln\nAb;Bonn\n")
            << QStringList{u"--encoding"_s, u"utf-8"_s}
            << QStringList{read, QStringLiteral("quillory-cli: @/t.csv: Warnung: Zeile 2: kein "
                                                "gültiges UTF-8, unlesbare Zeichen durch „\uFFFD“ "
                                                "ersetzt")};
        QTest::newRow("UTF-16 with its byte order mark")
            << toName << QByteArray("\xff\xfeN\0a\0m\0e\0\n\0A\0\n\0B\0", 18) << QStringList()
            << QStringList{u"quillory-cli: @/t.csv: Semikolon, UTF-16, 2 Datensätze"_s};
        QTest::newRow("a letter without a placeholder")
            << QByteArray(R"({"recipient": {"name": "Alle"}})") << QByteArray("Name\nA\nB\n")
            << QStringList()
            << QStringList{read, QStringLiteral("quillory-cli: @/in.bri: Warnung: Der Brief "
                                                "enthält keinen Platzhalter wie „{Name}“: alle 2 "
                                                "Briefe werden gleich")};
    }

    void mergeWarnsBeforeWriting()
    {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, table);
        QFETCH(QStringList, options);
        QFETCH(QStringList, lines);
        writeAll(path("in.json"), json);
        QCOMPARE(cli({u"convert"_s, path("in.json"), path("in.bri")}).status, 0);
        writeAll(path("t.csv"), table);
        QFile::remove(path("serie.pdf"));

        const Run run =
            cli(QStringList{u"merge"_s, path("in.bri"), path("t.csv"), u"-o"_s, path("serie.pdf")} +
                options);
        // Warnings leave the exit status as it is.
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out, u"2 Briefe, 2 Seiten\n"_s);
        lines.replaceInStrings(u"@"_s, m_dir.path());
        // Qt's own notes, e.g. of a missing runtime folder, are not the program's.
        const QStringList err =
            run.err.split(QLatin1Char('\n')).filter(QRegularExpression(u"^quillory-cli: "_s));
        QCOMPARE(err, lines);
        QVERIFY(QFile::exists(path("serie.pdf")));
    }
};

QTEST_GUILESS_MAIN(TestCliCommands)
#include "tst_clicommands.moc"
