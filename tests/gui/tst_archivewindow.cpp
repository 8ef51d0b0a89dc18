#include "PreviewFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

/** The letter every test writes; its text has a word no other letter has. */
void typeLetter(quillory::app::MainForm& form)
{
    form.Edit1->setText(u"Jörg Weiß"_s);
    form.Edit2->setText(u"Kanzlei"_s);
    form.Edit6->setText(u"Mahnung"_s);
    form.Memo1->setPlainText(u"Die Rechnung über den Zwetschgenkuchen ist offen."_s);
}

/** "Briefablage..." searching words: its list, one line of text per row. */
QStringList archiveRows(PreviewFixture& f, const QString& words)
{
    f.form->findChild<QAction*>(u"Briefablage1"_s)->trigger();
    f.form->findChild<QLineEdit*>(u"BriefablageSuche"_s)->setText(words);
    const auto* list = f.form->findChild<QTreeWidget*>(u"BriefablageListe"_s);
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int c = 0; c < list->columnCount(); ++c)
            columns << list->topLevelItem(i)->text(c);
        columns[3] = columns[3].section(u' ', 0, 0); // the time of day is the test's own
        rows << columns.join(u" | "_s);
    }
    return rows;
}

} // namespace

class TestArchiveWindow : public QObject
{
    Q_OBJECT

private slots:
    void theWindowsOutputGoesIntoTheArchive_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");       // the file asked for, in a temporary folder
        QTest::addColumn<bool>("archiveBroken"); // its data folder cannot be made
        QTest::addColumn<QString>("row");
        const QString found = u"%1 | Jörg Weiß | Mahnung | "_s;
        QTest::newRow("saved") << "Speichern1"
                               << "brief.bri" << false << found + u"gespeichert | brief.bri"_s;
        QTest::newRow("printed before it was saved")
            << "Drucken1" << QString() << false << found + u"gedruckt | (ohne Datei)"_s;
        QTest::newRow("PDF") << "AlsPDFspeichern1"
                             << "brief.pdf" << false << found + u"PDF | brief.pdf"_s;
        QTest::newRow("the folder refused") << "Speichernunter1"
                                            << "." << false << QString();
        QTest::newRow("PDF cancelled") << "AlsPDFspeichern1" << QString() << false << QString();
        QTest::newRow("no archive") << "Speichernunter1"
                                    << "brief.bri" << true << QString();
    }

    void theWindowsOutputGoesIntoTheArchive()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(bool, archiveBroken);
        QFETCH(QString, row);
        QTemporaryDir dir;
        if (archiveBroken)
            QVERIFY(QFile(dir.filePath(u"kein-ordner"_s)).open(QIODevice::WriteOnly));
        PreviewFixture f({}, nullptr,
                         archiveBroken ? dir.filePath(u"kein-ordner/x"_s) : dir.path());
        if (!name.isEmpty())
            f.prompts.saveNames = f.prompts.pdfNames = {QDir::cleanPath(dir.filePath(name))};
        typeLetter(*f.form);
        QVERIFY2(!QFile::exists(dir.filePath(u"quillory.sqlite"_s)), "opened before any output");

        f.form->findChild<QAction*>(action)->trigger();
        QCOMPARE(f.form->isChanged(), !name.endsWith(u".bri"));
        QCOMPARE(f.prompts.errors.size(), int(name == u"." || archiveBroken));
        if (archiveBroken)
            QCOMPARE(f.form->StatusBar1->currentMessage(),
                     u"Die Briefablage ist nicht verfügbar."_s);
        const QStringList expected{row.arg(QDate::currentDate().toString(u"dd.MM.yyyy"_s))};
        for (const QString& words : {u"zwetschgen"_s, QString(), u"weiss kanzlei"_s})
            QCOMPARE(archiveRows(f, words), row.isEmpty() ? QStringList() : expected);
    }

    void aFoundLetterOpensWhileItsFileIsThere()
    {
        QTemporaryDir dir;
        PreviewFixture f;
        const QString path = dir.filePath(u"brief.bri"_s);
        f.prompts.saveNames << path;
        typeLetter(*f.form);
        f.form->Speichern1->trigger();
        f.form->Neu1->trigger();
        for (const bool gone : {true, false}) {
            QFile::rename(gone ? path : path + u'~', gone ? path + u'~' : path);
            QCOMPARE(archiveRows(f, u"Rechnung"_s).value(0).endsWith(u"brief.bri (fehlt)"_s), gone);
            auto* open = f.form->findChild<QPushButton*>(u"BriefablageOeffnen"_s);
            QCOMPARE(open->isEnabled(), !gone);
            open->click();
            QCOMPARE(f.form->fileName(), gone ? QString() : path);
        }
        QVERIFY(f.form->Memo1->toPlainText().contains(u"Zwetschgenkuchen"_s));
    }
};

QTEST_MAIN(TestArchiveWindow)
#include "tst_archivewindow.moc"
