#include "widgets/DateField.h"
#include "document/LetterFile.h"
#include "dialogs/FileDialog.h"
#include "FileSizeLimit.h"
#include "FormFixture.h"
#include "widgets/SpinField.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using quillory::app::MainForm;
using quillory::app::Prompts;
using Answer = quillory::app::Prompts::Answer;
namespace LetterFile = quillory::document::LetterFile;

Q_DECLARE_METATYPE(Answer)

namespace {

const QString kNewQuestion =
    QStringLiteral("ask: Die Datei ist noch nicht gespeichert. Wollen Sie jetzt speichern?");
const QString kNotSavedQuestion =
    QStringLiteral("ask: Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?");

/** A letter file on disk whose recipient is name. */
QString writeLetter(const QTemporaryDir& dir, const QString& file, const QString& name)
{
    auto letter = quillory::document::Letter::makeNew(QDate(2025, 3, 14));
    letter.recipientName = name;
    letter.senderName = QStringLiteral("Absender aus der Datei");
    letter.linesToSender = 11;
    const QString path = dir.filePath(file);
    if (LetterFile::writeFile(path, letter))
        qFatal("cannot write the test letter");
    return path;
}

QString writeDamaged(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("kaputt.bri"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("\x05\0\0\0Hal", 7) != 7)
        qFatal("cannot write the damaged letter");
    return path;
}

QString recipientOnDisk(const QString& path)
{
    const auto loaded = LetterFile::readFile(path, quillory::document::Letter::makeNew());
    return loaded ? loaded->letter.recipientName : QStringLiteral("<unreadable>");
}

} // namespace

class TestLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void newOnAnUnmodifiedLetterAsksNothingAndKeepsWhatItMust()
    {
        FormFixture f;
        MainForm& w = *f.form;
        for (QLineEdit* e : {w.Edit1, w.Edit2, w.Edit3, w.Edit4, w.Edit5, w.Edit6})
            e->setText(QStringLiteral("weg"));
        w.Edit7->setText(QStringLiteral("Hallo,"));
        w.Edit10->setText(QStringLiteral("Absender bleibt"));
        w.RadioButton2->setChecked(true);
        w.Layout2Check->setChecked(true);
        w.Leer2Check->setChecked(true);
        w.ZoomEd->setValue(150);
        // Long enough for page 3 to exist, as the page number is bounded by the letter.
        w.Memo1->setPlainText(QStringLiteral("Eine Zeile des Brieftexts.\n").repeated(300));
        w.SeiteEd->setValue(3);
        w.DateEdit1->setDate(QDate(2020, 5, 17));
        w.SetUnChanged();

        w.Neu1->trigger();

        QVERIFY(f.prompts.log.isEmpty());
        for (QLineEdit* e : {w.Edit1, w.Edit2, w.Edit3, w.Edit4, w.Edit5, w.Edit6})
            QCOMPARE(e->text(), QString());
        QCOMPARE(w.Memo1->toPlainText(), QString());
        QCOMPARE(w.Edit7->text(), QStringLiteral("Hallo,"));
        QCOMPARE(w.Edit8->text(), QStringLiteral("Mit freundlichen Grüßen"));
        QCOMPARE(w.Edit9->text(), QStringLiteral("gez. Erika Mustermann"));
        QCOMPARE(w.Edit10->text(), QStringLiteral("Absender bleibt"));
        QVERIFY(w.RadioButton2->isChecked());
        QVERIFY(w.Layout2Check->isChecked());
        QVERIFY(w.Leer2Check->isChecked());
        QCOMPARE(w.ZoomEd->value(), 150.0);
        QCOMPARE(w.SeiteEd->value(), 3.0);
        QCOMPARE(w.DateEdit1->date(), QDate(2020, 5, 17));
        QCOMPARE(w.letterFont(), quillory::document::LetterFont::arial(-15));
        QCOMPARE(w.windowTitle(), f.title(QStringLiteral("unbenannt.bri")));
    }

    void newForgetsTheFileName()
    {
        QTemporaryDir dir;
        FormFixture f;
        f.prompts.openNames << writeLetter(dir, QStringLiteral("alt.bri"), QStringLiteral("Alt"));
        f.form->ffnen1->trigger();
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("alt.bri")));
        f.form->Neu1->trigger();
        QCOMPARE(f.form->fileName(), QString());
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri")));
    }

    void newOnAModifiedLetter_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("error");
        QTest::newRow("Cancel") << Answer::Cancel << QString() << false << false << QString();
        QTest::newRow("No") << Answer::No << QString() << true << false << QString();
        QTest::newRow("Yes, save dialog cancelled")
            << Answer::Yes << QString() << false << false << QString();
        QTest::newRow("Yes, saved")
            << Answer::Yes << QStringLiteral("neu.bri") << true << true << QString();
        QTest::newRow("Yes, folder missing")
            << Answer::Yes << QStringLiteral("fehlt/neu.bri") << false << false
            << QStringLiteral("Ordner nicht gefunden.");
        QTest::newRow("Yes, name is a folder")
            << Answer::Yes << QStringLiteral(".") << false << false
            << QStringLiteral("Ist ein Ordner, keine Datei.");
    }

    void newOnAModifiedLetter()
    {
        QFETCH(Answer, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, cleared);
        QFETCH(bool, written);
        QFETCH(QString, error);
        QTemporaryDir dir;
        FormFixture f;
        f.form->Edit1->setText(QStringLiteral("Empfänger"));
        f.prompts.saveAnswers << answer;
        const QString path = saveAs.isEmpty() ? QString() : dir.filePath(saveAs);
        if (!path.isEmpty())
            f.prompts.saveNames << path;

        f.form->Neu1->trigger();

        QCOMPARE(f.prompts.log.value(0), kNewQuestion);
        QCOMPARE(f.form->Edit1->text(), cleared ? QString() : QStringLiteral("Empfänger"));
        QCOMPARE(f.form->isChanged(), !cleared);
        QCOMPARE(f.form->fileName(), QString());
        QCOMPARE(f.prompts.errors, error.isEmpty() ? QStringList() : QStringList{error});
        if (written)
            QCOMPARE(recipientOnDisk(path), QStringLiteral("Empfänger"));
        QCOMPARE(f.form->windowTitle(), f.title(cleared ? QStringLiteral("unbenannt.bri")
                                                        : QStringLiteral("unbenannt.bri*")));
    }

    void open_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("file"); // "", "good", "damaged", "missing"
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QString>("error");
        QTest::newRow("Cancel") << Answer::Cancel << QStringLiteral("good") << false << QString();
        QTest::newRow("No, dialog cancelled") << Answer::No << QString() << false << QString();
        QTest::newRow("No, good file") << Answer::No << QStringLiteral("good") << true << QString();
        QTest::newRow("No, damaged file") << Answer::No << QStringLiteral("damaged") << false
                                          << QStringLiteral("Read beyond end of file.");
        QTest::newRow("No, file gone") << Answer::No << QStringLiteral("missing") << false
                                       << QStringLiteral("File not found.");
    }

    void open()
    {
        QFETCH(Answer, answer);
        QFETCH(QString, file);
        QFETCH(bool, opened);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString before =
            writeLetter(dir, QStringLiteral("vorher.bri"), QStringLiteral("Vorher"));
        FormFixture f;
        f.prompts.openNames << before;
        f.form->ffnen1->trigger();
        f.form->Edit2->setText(QStringLiteral("bearbeitet"));
        f.prompts.log.clear();

        f.prompts.saveAnswers << answer;
        if (file == QLatin1String("good"))
            f.prompts.openNames << writeLetter(dir, QStringLiteral("neu.bri"),
                                               QStringLiteral("Neu"));
        else if (file == QLatin1String("damaged"))
            f.prompts.openNames << writeDamaged(dir);
        else if (file == QLatin1String("missing"))
            f.prompts.openNames << dir.filePath(QStringLiteral("weg.bri"));

        f.form->ffnen1->trigger();

        QCOMPARE(f.prompts.log.value(0), kNotSavedQuestion);
        QCOMPARE(f.prompts.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(f.form->Edit1->text(), opened ? QStringLiteral("Neu") : QStringLiteral("Vorher"));
        QCOMPARE(f.form->Edit2->text(), opened ? QString() : QStringLiteral("bearbeitet"));
        QCOMPARE(f.form->isChanged(), !opened);
        QCOMPARE(f.form->windowTitle(), opened ? f.title(QStringLiteral("neu.bri"))
                                               : f.title(QStringLiteral("vorher.bri*")));
    }

    void openingKeepsTheViewChoicesAndTheSignatureChoice()
    {
        QTemporaryDir dir;
        FormFixture f;
        f.form->RadioButton2->setChecked(true);
        f.form->Layout2Check->setChecked(true);
        f.form->Leer2Check->setChecked(true);
        f.prompts.saveAnswers << Answer::No;
        f.prompts.openNames << writeLetter(dir, QStringLiteral("a.bri"), QStringLiteral("A"));
        f.form->ffnen1->trigger();
        QCOMPARE(f.form->Edit10->text(), QStringLiteral("Absender aus der Datei"));
        QCOMPARE(f.form->ZeilenAbsender->value(), 11.0);
        QVERIFY(f.form->RadioButton2->isChecked());
        QVERIFY(f.form->Layout2Check->isChecked());
        QVERIFY(f.form->Leer2Check->isChecked());
    }

    void eachDialogOffersTheNameLastChosenInIt()
    {
        QTemporaryDir dir;
        FormFixture f;
        const QString opened =
            writeLetter(dir, QStringLiteral("geoeffnet.bri"), QStringLiteral("X"));
        const QString saved = dir.filePath(QStringLiteral("gespeichert.bri"));
        f.prompts.openNames << opened;
        f.form->ffnen1->trigger();
        f.prompts.saveNames << saved;
        f.form->Speichernunter1->trigger();
        f.form->Speichernunter1->trigger(); // cancelled
        f.form->ffnen1->trigger();          // cancelled
        QCOMPARE(f.prompts.log, (QStringList{QStringLiteral("open: "), QStringLiteral("save: "),
                                             QStringLiteral("save: ") + saved,
                                             QStringLiteral("open: ") + opened}));
    }

    void saveOnANamedUnmodifiedLetterRewritesWithoutAsking()
    {
        QTemporaryDir dir;
        const QString path = writeLetter(dir, QStringLiteral("brief.bri"), QStringLiteral("Erst"));
        FormFixture f;
        f.prompts.openNames << path;
        f.form->ffnen1->trigger();
        f.prompts.log.clear();
        QFile::remove(path);

        f.form->Speichern1->trigger();

        QVERIFY(f.prompts.log.isEmpty());
        QCOMPARE(recipientOnDisk(path), QStringLiteral("Erst"));
    }

    void anOpenedLettersDateSurvivesSaving_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the first day a letter can name") << QDate(1, 1, 1) << u"01.01.0001"_s;
        QTest::newRow("5 March 42") << QDate(42, 3, 5) << u"05.03.0042"_s;
        QTest::newRow("the last day of the year 99") << QDate(99, 12, 31) << u"31.12.0099"_s;
        QTest::newRow("the last day a letter can name") << QDate(9999, 12, 31) << u"31.12.9999"_s;
    }

    void anOpenedLettersDateSurvivesSaving()
    {
        QFETCH(QDate, date);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"alt.bri"_s);
        QVERIFY(!LetterFile::writeFile(path, quillory::document::Letter::makeNew(date)));
        FormFixture f;
        f.prompts.openNames << path;
        f.form->ffnen1->trigger();
        QCOMPARE(f.form->DateEdit1->text(), shown);
        QVERIFY(!f.form->isChanged());

        f.form->Speichern1->trigger();

        QCOMPARE(f.prompts.errors, QStringList());
        const auto saved = LetterFile::readFile(path, quillory::document::Letter::makeNew());
        QVERIFY(saved);
        QCOMPARE(saved->letter.date, date);
    }

    void aFailedSaveIsReportedAndKeepsTheOldName_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::newRow("Speichern of an unnamed letter") << false;
        QTest::newRow("Speichern unter...") << true;
    }

    void aFailedSaveIsReportedAndKeepsTheOldName()
    {
        QFETCH(bool, saveAs);
        QTemporaryDir dir;
        FormFixture f;
        f.form->Edit1->setText(QStringLiteral("x"));
        f.prompts.saveNames << dir.filePath(QStringLiteral("fehlt/brief.bri"));
        (saveAs ? f.form->Speichernunter1 : f.form->Speichern1)->trigger();
        QCOMPARE(f.prompts.errors, QStringList{QStringLiteral("Ordner nicht gefunden.")});
        QCOMPARE(f.form->fileName(), QString());
        QVERIFY(f.form->isChanged());
        f.form->Edit1->setText(QStringLiteral("y"));
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri*")));
    }

    void aSaveOnAFullDiskIsReportedAndKeepsTheOldFile()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString path = writeLetter(dir, QStringLiteral("brief.bri"), QStringLiteral("Erst"));
        FormFixture f;
        f.prompts.openNames << path;
        f.form->ffnen1->trigger();
        f.form->Edit1->setText(QStringLiteral("Neu"));
        {
            FileSizeLimit full(100); // the letter is short enough to sit in a write buffer
            if (!full.isSet())
                QSKIP("no file size limit can be set here");
            f.form->Speichern1->trigger();
        }
        QCOMPARE(f.prompts.errors, QStringList{QStringLiteral("Disk full.")});
        QVERIFY(f.form->isChanged());
        QCOMPARE(recipientOnDisk(path), QStringLiteral("Erst"));
#else
        QSKIP("a file size limit is set on Unix only");
#endif
    }

    void theSaveDialogStaysOpenOnAFolderThatDoesNotExist_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("missing folder") << QStringLiteral("fehlt/brief.bri") << false;
        QTest::newRow("missing folders") << QStringLiteral("fehlt/auch/brief") << false;
        QTest::newRow("existing folder") << QStringLiteral("brief.bri") << true;
    }

    void theSaveDialogStaysOpenOnAFolderThatDoesNotExist()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        quillory::app::FileDialog dialog(nullptr, QFileDialog::AcceptSave,
                                         QStringLiteral("Briefe (*.bri)"), QStringLiteral("bri"),
                                         QString());
        // As the user types it in the name field, from the folder shown.
        dialog.setDirectory(dir.path());
        dialog.selectFile(name);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QStringList messages;
        // The message is modal: read and close it as the user would.
        QTimer answer;
        connect(&answer, &QTimer::timeout, &dialog, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages << box->text();
                box->close();
            }
        });
        answer.start(10);

        dialog.accept();

        const QString folder = QFileInfo(dir.filePath(name)).absolutePath();
        QCOMPARE(messages, accepted ? QStringList()
                                    : QStringList{QDir::toNativeSeparators(folder) +
                                                  QStringLiteral("\nDiesen Ordner gibt es nicht.\n"
                                                                 "Bitte überprüfen Sie, ob der "
                                                                 "Ordnername richtig ist.")});
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        QCOMPARE(dialog.isVisible(), !accepted);
        if (accepted)
            QCOMPARE(dialog.selectedFiles(), QStringList{dir.filePath(name)});
    }

    void charactersTheFileCannotHoldAreNamedBeforeSaving_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("saved anyway") << true;
        QTest::newRow("declined") << false;
    }

    void charactersTheFileCannotHoldAreNamedBeforeSaving()
    {
        QFETCH(bool, confirmed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("griechisch.bri"));
        FormFixture f;
        f.form->Edit1->setText(QStringLiteral("Ωmega €"));
        f.prompts.saveNames << path;
        f.prompts.confirmAnswers << confirmed;

        f.form->Speichern1->trigger();

        QCOMPARE(f.prompts.log.size(), 2);
        QVERIFY2(f.prompts.log.at(1).startsWith(QStringLiteral("confirm: ")),
                 qPrintable(f.prompts.log.at(1)));
        QVERIFY(f.prompts.log.at(1).contains(QStringLiteral("Ω")));
        QVERIFY2(!f.prompts.log.at(1).contains(QStringLiteral("€")), "€ is in Windows-1252");
        QCOMPARE(QFile::exists(path), confirmed);
        QCOMPARE(f.form->isChanged(), !confirmed);
        QCOMPARE(f.form->fileName(), confirmed ? path : QString());
        if (confirmed)
            QCOMPARE(recipientOnDisk(path), QStringLiteral("?mega €"));
    }

    void close_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("errors");
        QTest::newRow("unmodified") << false << Answer::Cancel << QString() << true << 0;
        QTest::newRow("Cancel") << true << Answer::Cancel << QString() << false << 0;
        QTest::newRow("No") << true << Answer::No << QString() << true << 0;
        QTest::newRow("Yes, dialog cancelled") << true << Answer::Yes << QString() << false << 0;
        QTest::newRow("Yes, saved") << true << Answer::Yes << QStringLiteral("b.bri") << true << 0;
        QTest::newRow("Yes, save fails")
            << true << Answer::Yes << QStringLiteral("fehlt/b.bri") << false << 1;
    }

    void close()
    {
        QFETCH(bool, modified);
        QFETCH(Answer, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, closes);
        QFETCH(int, errors);
        QTemporaryDir dir;
        FormFixture f;
        if (modified)
            f.form->Edit6->setText(QStringLiteral("Betreff"));
        f.prompts.saveAnswers << answer;
        if (!saveAs.isEmpty())
            f.prompts.saveNames << dir.filePath(saveAs);

        f.form->Beenden1->trigger();

        QCOMPARE(f.form->isVisible(), !closes);
        QCOMPARE(f.prompts.log.value(0), modified ? kNotSavedQuestion : QString());
        QCOMPARE(f.prompts.errors.size(), errors);
        QCOMPARE(f.form->Edit6->text(), modified ? QStringLiteral("Betreff") : QString());
    }

    void theCloseBoxAsksLikeBeenden()
    {
        FormFixture f;
        f.form->Edit6->setText(QStringLiteral("Betreff"));
        f.prompts.saveAnswers << Answer::Cancel;
        QVERIFY(!f.form->close());
        QCOMPARE(f.prompts.log, QStringList{kNotSavedQuestion});
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("file"); // "good", "missing", "damaged", "none"
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<QString>("titleName");
        QTest::addColumn<QString>("error");
        QTest::newRow("none") << QStringLiteral("none") << QString()
                              << QStringLiteral("unbenannt.bri") << QString();
        QTest::newRow("a letter") << QStringLiteral("good") << QStringLiteral("Vom Aufruf")
                                  << QStringLiteral("aufruf.bri") << QString();
        QTest::newRow("missing") << QStringLiteral("missing") << QString()
                                 << QStringLiteral("unbenannt.bri")
                                 << QStringLiteral("File not found.");
        QTest::newRow("damaged") << QStringLiteral("damaged") << QString()
                                 << QStringLiteral("unbenannt.bri")
                                 << QStringLiteral("Read beyond end of file.");
    }

    void commandLine()
    {
        QFETCH(QString, file);
        QFETCH(QString, recipient);
        QFETCH(QString, titleName);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QStringList arguments;
        if (file == QLatin1String("good"))
            arguments << writeLetter(dir, QStringLiteral("aufruf.bri"),
                                     QStringLiteral("Vom Aufruf"));
        else if (file == QLatin1String("missing"))
            arguments << dir.filePath(QStringLiteral("weg.bri"));
        else if (file == QLatin1String("damaged"))
            arguments << writeDamaged(dir);
        if (!arguments.isEmpty()) // further arguments are ignored
            arguments << writeDamaged(dir);

        FormFixture f(arguments);

        QCOMPARE(f.form->Edit1->text(), recipient);
        QCOMPARE(f.form->windowTitle(), f.title(titleName));
        QVERIFY(!f.form->isChanged());
        QCOMPARE(f.prompts.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(f.form->DateEdit1->date(),
                 file == QLatin1String("good") ? QDate(2025, 3, 14) : QDate::currentDate());
    }

    void aSecondShowingDoesNotOpenTheLetterAgain()
    {
        QTemporaryDir dir;
        FormFixture f({writeLetter(dir, QStringLiteral("a.bri"), QStringLiteral("A"))});
        f.form->Edit1->setText(QStringLiteral("geändert"));
        f.form->hide();
        f.form->show();
        QCoreApplication::processEvents();
        QCOMPARE(f.form->Edit1->text(), QStringLiteral("geändert"));
        QVERIFY(f.form->isChanged());
    }
};

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
