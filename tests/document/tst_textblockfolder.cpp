#include "document/TextBlockFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using quillory::document::TextBlockFolder;

namespace {

/** Writes each "file=text" into folder. */
void writeFiles(const QString& folder, const QStringList& files)
{
    for (const QString& file : files) {
        QFile out(QDir(folder).filePath(file.section(u'=', 0, 0)));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file.section(u'=', 1).toUtf8());
    }
}

/** Every block as "name=text", in the folder's order. */
QStringList contentsOf(const TextBlockFolder& folder)
{
    QStringList all;
    for (const QString& name : folder.names()) {
        QString error;
        all << name + u'=' + folder.read(name, error).value_or(u"<"_s + error + u'>');
    }
    return all;
}

} // namespace

class TestTextBlockFolder : public QObject
{
    Q_OBJECT

private slots:
    void listsReadsAndChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("to");    // the new name, or the text saved
        QTest::addColumn<QString>("error"); // a part of it; empty for success
        QTest::addColumn<QStringList>("after");
        // Listed in German order, read without the byte order mark and with LF alone.
        const QStringList before{u"Angebot=A"_s, u"Ärger 9=9"_s, u"ärger 10=10"_s,
                                 u"Gruß=G\nH\n"_s};
        QTest::newRow("list") << u"list"_s << QString() << QString() << QString() << before;
        const QString invalid = u"kein gültiger Name"_s;
        QTest::newRow("save new") << u"save"_s << u"Mahnung"_s << u"Z\nB"_s << QString()
                                  << before + QStringList{u"Mahnung=Z\nB"_s};
        QTest::newRow("save replaces") << u"save"_s << u"Angebot"_s << u"B"_s << QString()
                                       << QStringList{u"Angebot=B"_s} + before.mid(1);
        for (const QString& name : {u""_s, u"a/b"_s, u"a\\b"_s, u"c:d"_s, u"tab\there"_s, u"."_s,
                                    u".."_s, u" vorn"_s, u"hinten "_s})
            QTest::addRow("save refuses \"%s\"", qPrintable(name))
                << u"save"_s << name << u"x"_s << invalid << before;
        QTest::newRow("rename") << u"rename"_s << u"Gruß"_s << u"Grüße"_s << QString()
                                << before.mid(0, 3) + QStringList{u"Grüße=G\nH\n"_s};
        QTest::newRow("rename onto an existing block") << u"rename"_s << u"Gruß"_s << u"Angebot"_s
                                                       << u"Angebot.txt“ gibt es schon"_s << before;
        QTest::newRow("rename out of the folder")
            << u"rename"_s << u"Gruß"_s << u"../Gruß"_s << invalid << before;
        QTest::newRow("remove") << u"remove"_s << u"Gruß"_s << QString() << QString()
                                << before.mid(0, 3);
        QTest::newRow("remove a missing block") << u"remove"_s << u"Fehlt"_s << QString()
                                                << u"Fehlt.txt“ kann nicht gelöscht"_s << before;
    }

    void listsReadsAndChanges()
    {
        QFETCH(QString, change);
        QFETCH(QString, name);
        QFETCH(QString, to);
        QFETCH(QString, error);
        QFETCH(QStringList, after);
        QTemporaryDir dir;
        const TextBlockFolder folder(dir.path());
        writeFiles(folder.folder(), {u"Angebot.txt=A"_s, u"ärger 10.txt=10"_s, u"Ärger 9.txt=9"_s,
                                     u"Gruß.txt=\uFEFFG\r\nH\r"_s, u"Notiz.md=N"_s});
        const QString message = change == u"save"_s     ? folder.save(name, to)
                                : change == u"rename"_s ? folder.rename(name, to)
                                : change == u"remove"_s ? folder.remove(name)
                                                        : QString();
        QVERIFY2(error.isEmpty() ? message.isEmpty() : message.contains(error),
                 qPrintable(message));
        QCOMPARE(contentsOf(folder), after);
    }
};

QTEST_GUILESS_MAIN(TestTextBlockFolder)
#include "tst_textblockfolder.moc"
