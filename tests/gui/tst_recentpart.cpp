#include "FakeLetterWindow.h"
#include "features/recent/RecentLettersPart.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRecentPart : public QObject
{
    Q_OBJECT

private slots:
    /** "open:a", "save:a": the window reports a; "gone:a" deletes a; "choose:a" picks it. */
    void theListFollowsTheWindowsFiles_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("noted");
        QTest::newRow("newest first") << u"open:a save:b open:c"_s << u"c b a"_s << u""_s << u""_s;
        QTest::newRow("again moves up") << u"open:a save:b save:a"_s << u"a b"_s << u""_s << u""_s;
        QTest::newRow("chosen opens") << u"open:a open:b choose:a"_s << u"b a"_s << u"a"_s << u""_s;
        QTest::newRow("gone is noted")
            << u"save:a open:b gone:a choose:a"_s << u"b"_s << u""_s << u"a"_s;
    }

    void theListFollowsTheWindowsFiles()
    {
        QFETCH(QString, script);
        QFETCH(QString, listed);
        QFETCH(QString, opened);
        QFETCH(QString, noted);
        QTemporaryDir dir;
        // The file names of paths, or of the paths the notes begin with.
        const auto names = [](const QStringList& paths) {
            QStringList result;
            for (const QString& path : paths)
                result << QFileInfo(path.section(u" gibt es"_s, 0, 0)).fileName();
            return result.join(u' ');
        };
        quillory::app::FakeLetterWindow window;
        auto* part = new quillory::app::RecentLettersPart(window);
        for (const QString& step : script.split(u' ')) {
            const QString verb = step.section(u':', 0, 0);
            window.file = dir.filePath(step.section(u':', 1));
            QFile file(window.file);
            if (verb == u"gone")
                QVERIFY(file.remove());
            else if (verb == u"choose")
                part->openRecent(window.file);
            else
                QVERIFY(file.open(QIODevice::WriteOnly));
            if (verb == u"open")
                emit window.events().letterFileOpened(window.file);
            if (verb == u"save")
                emit window.events().letterFileSaved(window.file);
        }
        QCOMPARE(names(window.lists.lists.value(u"RecentLetters/Files"_s)), listed);
        QCOMPARE(names(window.opened), opened);
        QCOMPARE(names(window.notes), noted);
        QVERIFY(window.failures.isEmpty());
    }
};

QTEST_MAIN(TestRecentPart)
#include "tst_recentpart.moc"
