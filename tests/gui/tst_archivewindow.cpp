#include "PreviewFixture.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
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
    auto* dialog = f.form->findChild<QDialog*>(u"BriefablageDialog"_s);
    dialog->findChild<QLineEdit*>(u"BriefablageSuche"_s)->setText(words);
    const auto* list = dialog->findChild<QTreeWidget*>(u"BriefablageListe"_s);
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int c = 0; c < list->columnCount(); ++c)
            columns << list->topLevelItem(i)->text(c);
        // The time of day is the test's own; only the day is compared.
        columns[3] = columns[3].section(u' ', 0, 0);
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
        QTest::addColumn<QString>("saveName"); // relative to a temporary folder
        QTest::addColumn<QString>("pdfName");
        QTest::addColumn<QString>("row");
        const QString found = u"%1 | Jörg Weiß | Mahnung | "_s;
        QTest::newRow("saved as") << "Speichernunter1"
                                  << "brief.bri" << QString()
                                  << found + u"gespeichert | brief.bri"_s;
        QTest::newRow("saved, asked for a name")
            << "Speichern1"
            << "brief.bri" << QString() << found + u"gespeichert | brief.bri"_s;
        QTest::newRow("printed before it was saved")
            << "Drucken1" << QString() << QString() << found + u"gedruckt | (ohne Datei)"_s;
        QTest::newRow("PDF") << "AlsPDFspeichern1" << QString() << "brief.pdf"
                             << found + u"PDF | brief.pdf"_s;
        QTest::newRow("a folder refused as the file") << "Speichernunter1"
                                                      << "." << QString() << QString();
        QTest::newRow("saving cancelled") << "Speichern1" << QString() << QString() << QString();
        QTest::newRow("PDF cancelled") << "AlsPDFspeichern1" << QString() << QString() << QString();
    }

    void theWindowsOutputGoesIntoTheArchive()
    {
        QFETCH(QString, action);
        QFETCH(QString, saveName);
        QFETCH(QString, pdfName);
        QFETCH(QString, row);
        QTemporaryDir dir;
        PreviewFixture f;
        if (!saveName.isEmpty())
            f.prompts.saveNames << QDir::cleanPath(dir.filePath(saveName));
        if (!pdfName.isEmpty())
            f.prompts.pdfNames << dir.filePath(pdfName);
        typeLetter(*f.form);
        const QString database = QDir(f.ownRecoveryDir.path()).filePath(u"quillory.sqlite"_s);
        QVERIFY2(!QFile::exists(database), "the window opened its database before any output");

        f.form->findChild<QAction*>(action)->trigger();
        QCOMPARE(f.prompts.errors.isEmpty(), saveName != u".");
        const QStringList expected{
            row.isEmpty() ? QString() : row.arg(QDate::currentDate().toString(u"dd.MM.yyyy"_s))};
        QCOMPARE(archiveRows(f, u"zwetschgen"_s), row.isEmpty() ? QStringList() : expected);
        QCOMPARE(archiveRows(f, QString()), row.isEmpty() ? QStringList() : expected);
        QCOMPARE(archiveRows(f, u"weiss kanzlei"_s), row.isEmpty() ? QStringList() : expected);
    }

    void anArchiveThatCannotBeOpenedLeavesTheSaveDone()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(u"kein-ordner"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        PreviewFixture f({}, nullptr, blocker.fileName() + u"/daten"_s);
        const QString path = dir.filePath(u"brief.bri"_s);
        for (int save = 0; save < 2; ++save) {
            f.prompts.saveNames << path;
            typeLetter(*f.form);
            f.form->Speichernunter1->trigger();
            QVERIFY(QFile::exists(path));
            QVERIFY(!f.form->isChanged());
            QCOMPARE(f.form->StatusBar1->currentMessage(),
                     u"Die Briefablage ist nicht verfügbar."_s);
            QVERIFY(QFile::remove(path));
        }
        // The database's own report of why comes once, not with every save.
        QCOMPARE(f.prompts.errors.size(), 1);
    }

    void openingAFoundLetter_data()
    {
        QTest::addColumn<bool>("fileGone");
        QTest::newRow("its file is there") << false;
        QTest::newRow("its file is gone") << true;
    }

    void openingAFoundLetter()
    {
        QFETCH(bool, fileGone);
        QTemporaryDir dir;
        PreviewFixture f;
        const QString path = dir.filePath(u"brief.bri"_s);
        f.prompts.saveNames << path;
        typeLetter(*f.form);
        f.form->Speichern1->trigger();
        f.form->Neu1->trigger();
        QCOMPARE(f.form->Memo1->toPlainText(), QString());
        if (fileGone)
            QVERIFY(QFile::remove(path));

        const QStringList rows = archiveRows(f, u"Rechnung"_s);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].endsWith(u"brief.bri (fehlt)"_s), fileGone);
        auto* open = f.form->findChild<QPushButton*>(u"BriefablageOeffnen"_s);
        QCOMPARE(open->isEnabled(), !fileGone);
        open->click();
        QCOMPARE(f.form->fileName(), fileGone ? QString() : path);
        QCOMPARE(f.form->Memo1->toPlainText().contains(u"Zwetschgenkuchen"_s), !fileGone);
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
    }
};

QTEST_MAIN(TestArchiveWindow)
#include "tst_archivewindow.moc"
