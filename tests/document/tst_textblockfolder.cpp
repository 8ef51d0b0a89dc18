#include "document/TextBlockFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using quillory::document::TextBlockFolder;

namespace {

/** A folder holding blocks as "name=text" gives them; none at all for an empty list. */
struct Blocks
{
    QTemporaryDir dir;
    TextBlockFolder folder{dir.filePath(u"Textbausteine"_s)};

    explicit Blocks(const QStringList& blocks)
    {
        if (!blocks.isEmpty())
            QDir().mkpath(folder.folder());
        for (const QString& block : blocks) {
            QFile file(folder.filePath(block.section(u'=', 0, 0)));
            if (file.open(QIODevice::WriteOnly))
                file.write(block.section(u'=', 1).toUtf8());
        }
    }

    /** Every block as "name=text", in the folder's order. */
    QStringList contents() const
    {
        QStringList all;
        for (const QString& name : folder.names()) {
            QString error;
            all << name + u'=' + folder.read(name, error).value_or(u"<"_s + error + u'>');
        }
        return all;
    }
};

} // namespace

class TestTextBlockFolder : public QObject
{
    Q_OBJECT

private slots:
    void listsInGermanOrder_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("no folder") << QStringList() << QStringList();
        QTest::newRow("umlauts, case and numbers")
            << QStringList{u"Zahlung 10.txt"_s, u"zahlung 2.txt"_s, u"Ärger.txt"_s,
                           u"Angebot.txt"_s,    u"Notiz.md"_s,      u"Brief.bri"_s}
            << QStringList{u"Angebot"_s, u"Ärger"_s, u"zahlung 2"_s, u"Zahlung 10"_s};
    }

    void listsInGermanOrder()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        for (const QString& file : files)
            QVERIFY(QFile(dir.filePath(file)).open(QIODevice::WriteOnly));
        const TextBlockFolder folder(files.isEmpty() ? dir.filePath(u"fehlt"_s) : dir.path());
        QCOMPARE(folder.names(), names);
    }

    void readsAsTheEditorWantsIt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("byte order mark and CRLF")
            << "\xEF\xBB\xBFMit freundlichen Gr\xC3\xBC\xC3\x9F\x65n\r\n{Name}\r\n"_ba
            << u"Mit freundlichen Grüßen\n{Name}\n"_s;
        QTest::newRow("LF kept, old Mac CR") << "eins\nzwei\rdrei"_ba << u"eins\nzwei\ndrei"_s;
        QTest::newRow("a BOM only at the start") << "a\xEF\xBB\xBF"_ba << u"a\uFEFF"_s;
    }

    void readsAsTheEditorWantsIt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        Blocks blocks({u"Gruß="_s});
        QFile file(blocks.folder.filePath(u"Gruß"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QString error;
        QCOMPARE(blocks.folder.read(u"Gruß"_s, error), std::optional<QString>(text));
        QVERIFY(error.isEmpty());
    }

    void changesOrRefuses_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("to");    // the new name, or the text saved
        QTest::addColumn<QString>("error"); // a part of it; empty for success
        QTest::addColumn<QStringList>("after");
        const QStringList before{u"Angebot=A"_s, u"Gruß=Grüße\n"_s};
        const QString invalid = u"kein gültiger Name"_s;
        QTest::newRow("save new") << u"save"_s << u"Mahnung 2"_s << u"Zahlen\nbitte"_s << QString()
                                  << QStringList{before[0], before[1],
                                                 u"Mahnung 2=Zahlen\nbitte"_s};
        QTest::newRow("save replaces") << u"save"_s << u"Angebot"_s << u"B"_s << QString()
                                       << QStringList{u"Angebot=B"_s, before[1]};
        for (const QString& name : {u""_s, u"a/b"_s, u"a\\b"_s, u"c:d"_s, u"tab\there"_s, u"."_s,
                                    u".."_s, u" vorn"_s, u"hinten "_s})
            QTest::addRow("save refuses \"%s\"", qPrintable(name))
                << u"save"_s << name << u"x"_s << invalid << before;
        QTest::newRow("rename") << u"rename"_s << u"Gruß"_s << u"Grüße"_s << QString()
                                << QStringList{before[0], u"Grüße=Grüße\n"_s};
        QTest::newRow("rename onto an existing block") << u"rename"_s << u"Gruß"_s << u"Angebot"_s
                                                       << u"Angebot.txt“ gibt es schon"_s << before;
        QTest::newRow("rename out of the folder")
            << u"rename"_s << u"Gruß"_s << u"../Gruß"_s << invalid << before;
        QTest::newRow("remove") << u"remove"_s << u"Gruß"_s << QString() << QString()
                                << QStringList{before[0]};
        QTest::newRow("remove a missing block") << u"remove"_s << u"Fehlt"_s << QString()
                                                << u"Fehlt.txt“ kann nicht gelöscht"_s << before;
    }

    void changesOrRefuses()
    {
        QFETCH(QString, change);
        QFETCH(QString, name);
        QFETCH(QString, to);
        QFETCH(QString, error);
        QFETCH(QStringList, after);
        Blocks blocks({u"Angebot=A"_s, u"Gruß=Grüße\n"_s});
        const TextBlockFolder& folder = blocks.folder;
        const QString message = change == u"save"_s     ? folder.save(name, to)
                                : change == u"rename"_s ? folder.rename(name, to)
                                                        : folder.remove(name);
        QVERIFY2(error.isEmpty() ? message.isEmpty() : message.contains(error),
                 qPrintable(message));
        QCOMPARE(blocks.contents(), after);
    }

    void savingCreatesTheFolder()
    {
        Blocks blocks({});
        QCOMPARE(blocks.folder.save(u"Gruß"_s, u"Hallo"_s), QString());
        QCOMPARE(blocks.contents(), QStringList{u"Gruß=Hallo"_s});
    }
};

QTEST_GUILESS_MAIN(TestTextBlockFolder)
#include "tst_textblockfolder.moc"
