#include "document/LetterFile.h"
#include "features/recent/RecentLettersPart.h"
#include "features/recovery/RecoveryStore.h"
#include "features/serial/SerialLetterDialog.h"
#include "features/serial/SerialLetterPart.h"
#include "layout/PageLayout.h"
#include "output/PreviewRenderer.h"
#include "PreviewFixture.h"
#include "records/AddressBook.h"
#include "records/AddressCsv.h"
#include "records/Database.h"
#include "widgets/SpinField.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>

using namespace Qt::StringLiterals;
using quillory::app::Prompts;
using quillory::app::SerialLetterDialog;
using quillory::app::SerialLetterPart;
using quillory::app::SpinField;
namespace layout = quillory::layout;

namespace {

SerialLetterPart& serial(QObject& form)
{
    return *form.findChild<SerialLetterPart*>();
}

QAction* serienbrief(QObject& form)
{
    return form.findChild<QAction*>(u"Serienbrief1"_s);
}

// The record row on the preview's panel.
SpinField* datensatzEd(QObject& form)
{
    return form.findChild<SpinField*>(u"DatensatzEd"_s);
}

QLabel* datensatzAnzahl(QObject& form)
{
    return form.findChild<QLabel*>(u"DatensatzAnzahl"_s);
}

QPushButton* tabelleLoesen(QObject& form)
{
    return form.findChild<QPushButton*>(u"TabelleLoesen"_s);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression count(
        QStringLiteral("/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"));
    const auto match = count.match(QString::fromLatin1(file.readAll()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

/** The text of a PDF as pdftotext reads it; empty without the tool. */
QString pdfText(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (tool.isEmpty())
        return QString();
    QProcess process;
    process.start(tool, {path, u"-"_s});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList columnsShown(const SerialLetterDialog& d)
{
    QStringList columns;
    for (int i = 0; i < d.SpaltenList->count(); ++i)
        columns << d.SpaltenList->item(i)->text();
    return columns;
}

/** The preview window without a printer, so the preview composes for A4 as the PDF does. */
struct SerialFixture : PreviewFixture
{
    QTemporaryDir dir;

    explicit SerialFixture(const QString& recoveryFolder = QString(), bool show = true)
        : PreviewFixture({}, nullptr, recoveryFolder, show)
    {
        printer.problem = QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt");
    }

    /** A printer small enough to keep every page whole as a picture. */
    void useWholePagePrinter()
    {
        printer.problem.clear();
        printer.printer = {150, 150, QSize(1190, 1703)};
        printer.keptArea = printer.printer.printableArea;
    }

    SerialLetterDialog& dialog()
    {
        serienbrief(*form)->trigger();
        SerialLetterDialog* d = serial(*form).dialog();
        Q_ASSERT(d && d->isVisible());
        return *d;
    }

    /** "Auswählen..." answered with a table of these bytes. */
    SerialLetterDialog& attach(const QByteArray& csv)
    {
        SerialLetterDialog& d = dialog();
        prompts.tableNames << writeFile(dir, QStringLiteral("adressen.csv"), csv);
        d.AuswaehlenButton->click();
        return d;
    }

    /** The recipient lines of the page the preview shows. */
    QStringList recipientShown()
    {
        QStringList lines;
        const auto pages = form->preview().layoutFor(form->previewRequest());
        for (const layout::DrawOp& op : pages->pageOps(1)) {
            if (op.kind == layout::DrawOp::Kind::Text && op.role == layout::TextRole::Recipient)
                lines << op.text;
        }
        return lines;
    }
};

/** Three recipients; Bernd's text, a field of many lines, runs over a page. */
const QByteArray kThree = QByteArrayLiteral("Name;Ort;Text\n"
                                            "Anna Arnold;50667 K\xc3\xb6ln;Kurz.\n"
                                            "Bernd Brandt;53111 Bonn;\"") +
                          QByteArray("Eine Zeile.\n").repeated(70) +
                          QByteArrayLiteral("\"\nClara Conrad;24103 Kiel;Auch kurz.\n");

/** A letter to "{Name}" in "{Ort}"; the body comes from the table. */
void useSerialLetter(quillory::app::MainForm& form)
{
    form.Edit1->setText(QStringLiteral("{Name}"));
    form.Edit4->setText(QStringLiteral("{Ort}"));
    form.Edit6->setText(QStringLiteral("Ihr Schreiben"));
    form.Memo1->setPlainText(QStringLiteral("{Text}"));
}

} // namespace

class TestSerialLetter : public QObject
{
    Q_OBJECT

private slots:
    void theDialogShowsTheTable_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("rereadAs"); // a delimiter or encoding chosen after reading
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("error");
        QTest::newRow("German spreadsheet: semicolons, Windows-1252")
            << QByteArray("Name;Stra\xdf"
                          "e;Ort\r\nM\xfcller;Weg 1;Bremen\r\n\r\nSchulz;Gasse 2;Kiel\r\n")
            << QString() << "Semikolon"
            << "Windows-1252" << QStringList{u"Name"_s, u"Straße"_s, u"Ort"_s} << 2 << QString();
        QTest::newRow("commas, UTF-8 with BOM")
            << QByteArray("\xef\xbb\xbfName,Ort\n\"Meier, Hans\",K\xc3\xb6ln\nB,C\nD,E\n")
            << QString() << "Komma"
            << "UTF-8" << QStringList{u"Name"_s, u"Ort"_s} << 3 << QString();
        QTest::newRow("tabs") << QByteArray("Name\tOrt\nA\tB\n") << QString() << "Tabulator"
                              << "UTF-8" << QStringList{u"Name"_s, u"Ort"_s} << 1 << QString();
        QTest::newRow("read again with commas")
            << QByteArray("Name;Ort\nA;B\nC;D\n") << "Komma"
            << "Komma"
            << "UTF-8" << QStringList{u"Name;Ort"_s} << 2 << QString();
        QTest::newRow("read again as Windows-1252")
            << QByteArray("Stra\xc3\x9f"
                          "e;Ort\nA;B\n")
            << "Windows-1252"
            << "Semikolon"
            << "Windows-1252" << QStringList{QStringLiteral("Stra\u00c3\u0178e"), u"Ort"_s} << 1
            << QString();
        QTest::newRow("a row too long")
            << QByteArray("Name;Ort\nA;B\nC;D;E\n") << QString() << QString() << QString()
            << QStringList() << 0 << "Zeile 3";
    }

    void theDialogShowsTheTable()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, rereadAs);
        QFETCH(QString, delimiter);
        QFETCH(QString, encoding);
        QFETCH(QStringList, columns);
        QFETCH(int, records);
        QFETCH(QString, error);
        SerialFixture f;
        SerialLetterDialog& d = f.attach(csv);
        const QString path = f.dir.filePath(QStringLiteral("adressen.csv"));
        if (!rereadAs.isEmpty()) {
            QComboBox* combo = d.TrennzeichenCombo->findText(rereadAs) >= 0 ? d.TrennzeichenCombo
                                                                            : d.ZeichensatzCombo;
            combo->setCurrentText(rereadAs);
        }

        if (!error.isEmpty()) {
            QCOMPARE(f.prompts.errors.size(), 1);
            QVERIFY2(f.prompts.errors[0].contains(error), qPrintable(f.prompts.errors[0]));
            QCOMPARE(serial(*f.form).recordCount(), 0);
            QVERIFY(datensatzEd(*f.form)->isHidden());
            QVERIFY(!d.StartenButton->isEnabled());
            return;
        }
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
        QCOMPARE(d.TabelleEdit->text(), path);
        QCOMPARE(d.TrennzeichenCombo->currentText(), delimiter);
        QCOMPARE(d.ZeichensatzCombo->currentText(), encoding);
        QCOMPARE(columnsShown(d), columns);
        QCOMPARE(d.AnzahlLabel->text(), QString::number(records));
        QCOMPARE(serial(*f.form).recordCount(), records);
        QVERIFY(!datensatzEd(*f.form)->isHidden());
        QCOMPARE(datensatzAnzahl(*f.form)->text(), QStringLiteral("von %1").arg(records));

        // Kept per user in a group of its own, and offered at the next choice.
        QCOMPARE(f.ownSettings.values.value(QStringLiteral("Serienbrief/Tabelle")).toString(),
                 path);
        QVERIFY(!f.ownSettings.values.contains(QStringLiteral("TMainForm/Tabelle")));
        FormFixture second({}, &f.ownSettings);
        serienbrief(*second.form)->trigger();
        serial(*second.form).dialog()->AuswaehlenButton->click();
        QCOMPARE(second.prompts.log, QStringList{QStringLiteral("table: ") + path});

        // A double-click puts the column where the user was typing last.
        f.form->Edit6->setFocus();
        f.form->Edit6->setText(QStringLiteral("Betreff: "));
        d.SpaltenList->itemDoubleClicked(d.SpaltenList->item(columns.size() - 1));
        QCOMPARE(f.form->Edit6->text(), QStringLiteral("Betreff: {%1}").arg(columns.last()));
    }

    void aRunToOnePdf_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<bool>("duplex");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("error");
        QTest::newRow("three letters") << kThree << false << "Ihr Schreiben" << QString();
        QTest::newRow("five letters, duplex, with progress")
            << kThree + QByteArrayLiteral("Dora;Hamburg;Kurz.\nEmil;Berlin;Kurz.\n") << true
            << "Ihr Schreiben" << QString();
        QTest::newRow("an unknown column")
            << kThree << false << "Ihr {Anliegen}"
            << QStringLiteral("Unbekannte Spalte „Anliegen“ in Betreff");
    }

    void aRunToOnePdf()
    {
        QFETCH(QByteArray, csv);
        QFETCH(bool, duplex);
        QFETCH(QString, subject);
        QFETCH(QString, error);
        SerialFixture f;
        useSerialLetter(*f.form);
        f.form->Edit6->setText(subject);
        SerialLetterDialog& d = f.attach(csv);
        // The table is the letter's too; the run changes nothing of it.
        const quillory::document::Letter typed = f.form->letter();
        const int records = serial(*f.form).recordCount();
        QVERIFY(records >= 3);
        d.BeidseitigCheck->setChecked(duplex);
        QVERIFY(d.EinePdfRadio->isChecked());

        // What the preview shows of each record, blank backs added.
        int expected = 0;
        bool longer = false;
        for (int n = 1; n <= records; ++n) {
            datensatzEd(*f.form)->setValue(n);
            const int pages = f.form->preview().pageCount(f.form->previewRequest());
            longer = longer || pages > 1;
            expected += pages + (duplex && pages % 2 == 1 && n < records ? 1 : 0);
        }
        QVERIFY(longer || !error.isEmpty());

        const QString pdf = f.dir.filePath(QStringLiteral("serie.pdf"));
        f.prompts.pdfNames << pdf;
        d.StartenButton->click();
        QCOMPARE(f.form->letter(), typed);
        if (!error.isEmpty()) {
            QCOMPARE(f.prompts.errors.size(), 1);
            QVERIFY2(f.prompts.errors[0].contains(error), qPrintable(f.prompts.errors[0]));
            QVERIFY(!QFile::exists(pdf));
            QVERIFY(!f.prompts.log.contains(QStringLiteral("pdf: ")));
            return;
        }
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
        QCOMPARE(pdfPageCount(pdf), expected);
        const QString done =
            QStringLiteral("Serienbrief fertig: %1 Briefe, %2 Seiten.").arg(records).arg(expected);
        QCOMPARE(f.prompts.infos, QStringList{done});
    }

    void printAndPdfAskWhatToPutOut_data()
    {
        QTest::addColumn<bool>("pdf");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("answer"); // 0 every letter, 1 the shown record's, 2 Abbrechen
        QTest::newRow("Drucken: Alle") << false << 1 << 0;
        QTest::newRow("Drucken: Nur Datensatz 2") << false << 2 << 1;
        QTest::newRow("Drucken: Nur Datensatz 3") << false << 3 << 1;
        QTest::newRow("Drucken: Abbrechen") << false << 2 << 2;
        QTest::newRow("PDF: Alle") << true << 3 << 0;
        QTest::newRow("PDF: Nur Datensatz 2") << true << 2 << 1;
        QTest::newRow("PDF: Nur Datensatz 1") << true << 1 << 1;
        QTest::newRow("PDF: Abbrechen") << true << 1 << 2;
        // -1: not asked, as no record's letter may go out with a placeholder left in it.
        QTest::newRow("Drucken: an unknown column") << false << 2 << -1;
        QTest::newRow("PDF: an unknown column") << true << 2 << -1;
    }

    void printAndPdfAskWhatToPutOut()
    {
        QFETCH(bool, pdf);
        QFETCH(int, shown);
        QFETCH(int, answer);
        SerialFixture f;
        if (!pdf)
            f.useWholePagePrinter();
        useSerialLetter(*f.form);
        if (answer < 0)
            f.form->Edit6->setText(u"Ihr {Anliegen}"_s);
        f.attach(kThree);
        QList<int> pages;
        for (int n = 1; n <= 3; ++n) {
            datensatzEd(*f.form)->setValue(n);
            pages << f.form->preview().pageCount(f.form->previewRequest());
        }
        datensatzEd(*f.form)->setValue(shown);
        const QString path = f.dir.filePath(u"brief.pdf"_s);
        f.prompts.pdfNames << path;
        f.prompts.choiceAnswers << answer;
        f.prompts.log.clear();
        (pdf ? f.form->AlsPDFspeichern1 : f.form->Drucken1)->trigger();
        const auto begun = std::count_if(f.printer.jobs.begin(), f.printer.jobs.end(),
                                         [](const auto& job) { return job->begun > 0; });
        QCOMPARE(f.prompts.log.value(0),
                 answer < 0 ? u"error: Der Serienbrief kann nicht beginnen.\nUnbekannte Spalte "
                              u"„Anliegen“ in Betreff."_s
                            : QStringLiteral("choose: Eine Serienbrief-Tabelle ist angehängt (3 "
                                             "Datensätze). Was soll %1 werden? [Alle 3 "
                                             "Briefe|Nur Datensatz %2|Abbrechen]")
                                  .arg(pdf ? u"gespeichert"_s : u"gedruckt"_s)
                                  .arg(shown));
        if (answer < 0 || answer == 2) {
            QCOMPARE(f.prompts.log.size(), 1);
            QVERIFY(!QFile::exists(path));
            QCOMPARE(begun, 0);
            return;
        }
        const int all = pages[0] + pages[1] + pages[2];
        const QStringList names = {u"Anna Arnold"_s, u"Bernd Brandt"_s, u"Clara Conrad"_s};
        if (answer == 0)
            QCOMPARE(f.prompts.infos,
                     QStringList{u"Serienbrief fertig: 3 Briefe, %1 Seiten."_s.arg(all)});
        if (!pdf) {
            QCOMPARE(begun, 1);
            const FakeJob& job = *f.printer.jobs.last();
            QVERIFY(job.ended);
            QCOMPARE(job.title, answer == 0 ? u"Serienbrief"_s : u"Brief"_s);
            QCOMPARE(job.pages.size(), answer == 0 ? all : pages[shown - 1]);
            QVERIFY(f.form->StatusBar1->currentMessage().startsWith(
                QString::number(job.pages.size()) + u" Seite"_s));
            if (answer == 0)
                return;
            // The record's letter is the letter typed with its values, not the template.
            const QList<QImage> merged = job.pages;
            tabelleLoesen(*f.form)->click();
            f.form->Drucken1->trigger();
            const QList<QImage> asTemplate = f.printer.jobs.last()->pages;
            const QStringList cities = {u"50667 Köln"_s, u"53111 Bonn"_s, u"24103 Kiel"_s};
            const QStringList texts = {u"Kurz."_s, u"Eine Zeile.\n"_s.repeated(70),
                                       u"Auch kurz."_s};
            f.form->Edit1->setText(names[shown - 1]);
            f.form->Edit4->setText(cities[shown - 1]);
            f.form->Memo1->setPlainText(texts[shown - 1]);
            f.form->Drucken1->trigger();
            QVERIFY(merged == f.printer.jobs.last()->pages);
            QVERIFY(merged != asTemplate);
            return;
        }
        QCOMPARE(pdfPageCount(path), answer == 0 ? all : pages[shown - 1]);
        const QString text = pdfText(path);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY2(!text.contains(u'{'), qPrintable(text));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(text.contains(names[n - 1]), answer == 0 || n == shown);
    }

    void aPrintedRunKeepsEachLetterInTheArchive()
    {
        SerialFixture f;
        f.useWholePagePrinter();
        useSerialLetter(*f.form);
        f.attach(kThree);
        f.prompts.choiceAnswers << 0;
        f.form->Drucken1->trigger();
        f.form->findChild<QAction*>(u"Briefablage1"_s)->trigger();
        const auto* list = f.form->findChild<QTreeWidget*>(u"BriefablageListe"_s);
        QStringList shown;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            shown << list->topLevelItem(i)->text(1) + u' ' + list->topLevelItem(i)->text(4);
        QCOMPARE(shown, QStringList({u"Clara Conrad (ohne Datei)"_s, u"Bernd Brandt (ohne Datei)"_s,
                                     u"Anna Arnold (ohne Datei)"_s}));
    }

    void anotherLetterLetsTheTableGo_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("detached");
        QTest::newRow("Neu") << "Neu" << true;
        QTest::newRow("Öffnen") << "Öffnen" << true;
        QTest::newRow("Zuletzt geöffnet") << "Zuletzt geöffnet" << true;
        QTest::newRow("a recovered letter") << "recovered" << true;
        QTest::newRow("Öffnen, cancelled") << "Öffnen cancelled" << false;
        QTest::newRow("Neu, cancelled") << "Neu cancelled" << false;
    }

    void anotherLetterLetsTheTableGo()
    {
        QFETCH(QString, how);
        QFETCH(bool, detached);
        QTemporaryDir files;
        const QString saved = files.filePath(u"brief.bri"_s);
        quillory::document::Letter other = quillory::document::Letter::makeNew();
        other.recipientName = u"Erika Muster"_s;
        QVERIFY(!quillory::document::LetterFile::writeFile(saved, other));
        const bool recovered = how == u"recovered"_s;
        // A copy left behind by a run that ended without saving.
        if (recovered)
            QVERIFY(!quillory::app::RecoveryStore(files.path()).write(other, saved));

        SerialFixture f(recovered ? files.path() : QString(), !recovered);
        useSerialLetter(*f.form);
        f.attach(kThree);
        QCOMPARE(serial(*f.form).recordCount(), 3);
        f.prompts.saveAnswers << (how.endsWith(u"cancelled"_s) ? Prompts::Answer::Cancel
                                                               : Prompts::Answer::No);
        if (how.startsWith(u"Neu"_s)) {
            f.form->Neu1->trigger();
        } else if (how == u"Öffnen"_s) {
            f.prompts.openNames << saved;
            f.form->ffnen1->trigger();
        } else if (how == u"Zuletzt geöffnet"_s) {
            f.form->findChild<quillory::app::RecentLettersPart*>()->openRecent(saved);
        } else if (recovered) {
            f.prompts.recoveryAnswers << Prompts::Recovery::Recover;
            f.show();
        } else {
            f.form->ffnen1->trigger(); // nothing chosen
        }
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
        QCOMPARE(f.form->Edit1->text(), how.startsWith(u"Neu"_s) && detached ? QString()
                                        : detached                           ? u"Erika Muster"_s
                                                                             : u"{Name}"_s);
        QCOMPARE(serial(*f.form).recordCount(), detached ? 0 : 3);
        QCOMPARE(datensatzEd(*f.form)->isHidden(), detached);
        QCOMPARE(serial(*f.form).dialog()->SpaltenList->count(), detached ? 0 : 3);
        QCOMPARE(f.form->StatusBar1->currentMessage(),
                 detached ? u"Serienbrief-Tabelle gelöst"_s : QString());
    }

    void theEnvelopeChecksTheShownRecord()
    {
        SerialFixture f;
        useSerialLetter(*f.form);
        f.form->findChild<QComboBox*>(u"UmschlagCombo"_s)->setCurrentText(u"DL"_s);
        const QStringList names = {
            u"Anna Arnold"_s, u"Alexandra-Konstantina Freifrau von Hohenzollern-Sigmaringen"_s};
        f.attach(
            u"Name;Ort;Text\n%1;Köln;Kurz.\n%2;Bonn;Kurz.\n"_s.arg(names[0], names[1]).toUtf8());
        QStringList verdicts;
        for (int n : {2, 1}) {
            datensatzEd(*f.form)->setValue(n);
            QCoreApplication::processEvents();
            verdicts.prepend(f.form->findChild<QLabel*>(u"UmschlagVerdict"_s)->text());
        }
        QVERIFY(verdicts[0] != verdicts[1]);
        // Each record's verdict is the one of the letter typed with its values.
        tabelleLoesen(*f.form)->click();
        for (int n : {1, 2}) {
            f.form->Edit1->setText(names[n - 1]);
            f.form->Edit4->setText(n == 1 ? u"Köln"_s : u"Bonn"_s);
            QCoreApplication::processEvents();
            QCOMPARE(f.form->findChild<QLabel*>(u"UmschlagVerdict"_s)->text(), verdicts[n - 1]);
        }
    }

    void warnedBeforeTheRun_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("warning"); // in the dialog
        QTest::addColumn<QString>("info");    // before the run
        QTest::newRow("a short row")
            << QByteArray("Name;Ort\nAnna;Bonn\nBernd\n") << "{Name}"
            << "UTF-8"
            << "Zeile 3: weniger Felder als Spalten, die übrigen Werte bleiben leer" << QString();
        QTest::newRow("one line in Windows-1252")
            << QByteArray("Name;Ort\nJ\xc3\xbcrgen;K\xc3\xb6ln\nM\xfcller;Bonn\n") << "{Name}"
            << "UTF-8"
            << "Zeile 3: nicht in UTF-8 gespeichert, als Windows-1252 gelesen" << QString();
        QTest::newRow("UTF-16") << QByteArray("\xff\xfeN\0a\0m\0e\0\n\0A\0\n\0B\0", 18) << "{Name}"
                                << "UTF-16" << QString() << QString();
        QTest::newRow("a letter without a placeholder")
            << QByteArray("Name;Ort\nAnna;Bonn\nBernd;Kiel\n") << "Alle"
            << "UTF-8" << QString()
            << "Der Brief enthält keinen Platzhalter wie „{Name}“: alle 2 Briefe werden gleich.";
    }

    void warnedBeforeTheRun()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, recipient);
        QFETCH(QString, encoding);
        QFETCH(QString, warning);
        QFETCH(QString, info);
        SerialFixture f;
        f.form->Edit1->setText(recipient);
        SerialLetterDialog& d = f.attach(csv);
        QCOMPARE(d.ZeichensatzCombo->currentText(), encoding);
        QCOMPARE(columnsShown(d).first(), u"Name"_s);
        QCOMPARE(d.WarnungLabel->isVisible(), !warning.isEmpty());
        QCOMPARE(d.WarnungLabel->text(), warning);

        f.prompts.pdfNames << f.dir.filePath(u"serie.pdf"_s);
        d.StartenButton->click();
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
        const QString done = u"Serienbrief fertig: 2 Briefe, 2 Seiten."_s;
        QCOMPARE(f.prompts.infos, (info.isEmpty() ? QStringList{done} : QStringList{info, done}));
        // Told before the file was asked for.
        if (!info.isEmpty())
            QVERIFY(f.prompts.log.indexOf(u"info: "_s + info) <
                    f.prompts.log.indexOf(QRegularExpression(u"^pdf: "_s)));
    }

    void browsingShowsTheRecord_data()
    {
        QTest::addColumn<bool>("layout2");
        QTest::addColumn<QString>("envelope");
        QTest::newRow("Layout 1") << false << "kein";
        QTest::newRow("Layout 2, envelope DL") << true << "DL";
    }

    void browsingShowsTheRecord()
    {
        QFETCH(bool, layout2);
        QFETCH(QString, envelope);
        SerialFixture f;
        useSerialLetter(*f.form);
        f.form->Layout2Check->setChecked(layout2);
        f.form->findChild<QComboBox*>(u"UmschlagCombo"_s)->setCurrentText(envelope);
        f.form->PageControl1->setCurrentWidget(f.form->TabSheet3);
        QVERIFY(datensatzEd(*f.form)->isHidden());
        const QStringList asTyped = f.recipientShown();
        QVERIFY2(asTyped.contains(QStringLiteral("{Name}")), qPrintable(asTyped.join(u'|')));

        f.attach(kThree);
        // Attaching changed the letter; browsing its records does not.
        f.form->SetUnChanged();
        const quillory::document::Letter typed = f.form->letter();
        QCoreApplication::processEvents();
        const QStringList overlaps = overlapping(*f.form->Panel2);
        QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join(u", ")));
        const QStringList names = {QStringLiteral("Anna Arnold"), QStringLiteral("Bernd Brandt"),
                                   QStringLiteral("Clara Conrad")};
        const QStringList cities = {QStringLiteral("50667 Köln"), QStringLiteral("53111 Bonn"),
                                    QStringLiteral("24103 Kiel")};
        for (int n : {1, 3, 2}) {
            datensatzEd(*f.form)->setValue(n);
            const QStringList shown = f.recipientShown();
            QVERIFY2(shown.contains(names[n - 1]) && shown.contains(cities[n - 1]),
                     qPrintable(shown.join(u'|')));
            for (int other = 1; other <= 3; ++other)
                QVERIFY(other == n || !shown.contains(names[other - 1]));
            // The page count is the shown record's: only Bernd's letter runs over.
            f.paint();
            QCOMPARE(f.form->pageCount() > 1, n == 2);
        }
        datensatzEd(*f.form)->setValue(7);
        QCOMPARE(datensatzEd(*f.form)->value(), 3.0);

        QCOMPARE(f.form->letter(), typed);
        QCOMPARE(f.form->Edit1->text(), QStringLiteral("{Name}"));
        QVERIFY(!f.form->isChanged());

        tabelleLoesen(*f.form)->click();
        QCOMPARE(serial(*f.form).recordCount(), 0);
        QVERIFY(datensatzEd(*f.form)->isHidden());
        QCOMPARE(f.recipientShown(), asTyped);
        QVERIFY(serial(*f.form).dialog()->SpaltenList->count() == 0);
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
    }

    void theTableTravelsWithTheLetter_data()
    {
        QTest::addColumn<QString>("table");      // from the letter's folder, or another
        QTest::addColumn<bool>("elsewhere");     // in another folder
        QTest::addColumn<QString>("delimiter");  // chosen in the dialog after reading
        QTest::addColumn<bool>("moved");         // the table is gone before the letter opens
        QTest::addColumn<QString>("salutation"); // the salutation's columns as chosen
        QTest::newRow("beside the letter")
            << u"adressen.csv"_s << false << QString() << false << QString();
        QTest::newRow("below it") << u"daten/adressen.csv"_s << false << QString() << false
                                  << QString();
        QTest::newRow("dots first") << u"..adr.csv"_s << false << QString() << false << QString();
        QTest::newRow("elsewhere") << u"adressen.csv"_s << true << QString() << false << QString();
        QTest::newRow("read with commas")
            << u"adressen.csv"_s << false << u"Komma"_s << false << QString();
        QTest::newRow("moved away") << u"adressen.csv"_s << false << QString() << true << QString();
        QTest::newRow("salutation chosen")
            << u"adressen.csv"_s << false << QString() << false << u"Ort,,Name"_s;
        QTest::newRow("salutation chosen, moved away")
            << u"adressen.csv"_s << false << QString() << true << u"Ort,,Name"_s;
    }

    void theTableTravelsWithTheLetter()
    {
        QFETCH(QString, table);
        QFETCH(bool, elsewhere);
        QFETCH(QString, delimiter);
        QFETCH(bool, moved);
        QFETCH(QString, salutation);
        SerialFixture f;
        QTemporaryDir other;
        const QTemporaryDir& folder = elsewhere ? other : f.dir;
        QVERIFY(QDir().mkpath(QFileInfo(folder.filePath(table)).path()));
        const QString path = writeFile(folder, table, "Name;Ort\nAnna;Bonn\nBernd;Kiel\n");
        f.prompts.tableNames << path;
        f.dialog().AuswaehlenButton->click();
        if (!delimiter.isEmpty())
            f.dialog().TrennzeichenCombo->setCurrentText(delimiter);
        if (!salutation.isEmpty())
            serial(*f.form).setSalutationColumns(salutation);
        QVERIFY(f.form->isChanged());
        const QString letterPath = f.dir.filePath(u"brief.bri"_s);
        f.prompts.saveNames << letterPath;
        f.form->Speichernunter1->trigger();
        QFile file(letterPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto stored = quillory::document::LetterFile::parse(file.readAll(), {});
        QVERIFY(stored);
        QCOMPARE(stored->letter.serial.table, elsewhere ? path : table);
        QStringList options;
        if (!delimiter.isEmpty())
            options << u"delimiter=,"_s << u"encoding=UTF-8"_s;
        if (!salutation.isEmpty())
            options << u"anrede-spalten="_s + salutation;
        QCOMPARE(stored->letter.serial.options, options);
        if (moved)
            QVERIFY(QFile::rename(path, other.filePath(u"weg.csv"_s)));

        FormFixture opened({letterPath});
        QCOMPARE(serial(*opened.form).recordCount(), moved ? 0 : 2);
        QCOMPARE(opened.form->StatusBar1->currentMessage(),
                 moved ? u"Die Tabelle „adressen.csv“ zum Serienbrief wurde nicht gefunden."_s
                       : QString());
        QVERIFY(!opened.form->isChanged());
        // A table not found stays the letter's; one found is read as before.
        QCOMPARE(opened.form->letter().serial.table, path);
        QCOMPARE(serial(*opened.form).salutationColumns(), salutation);
        if (moved)
            return;
        serienbrief(*opened.form)->trigger();
        QCOMPARE(columnsShown(*serial(*opened.form).dialog()).size(), !delimiter.isEmpty()   ? 1
                                                                      : salutation.isEmpty() ? 2
                                                                                             : 4);
        tabelleLoesen(*opened.form)->click();
        QVERIFY(opened.form->isChanged() && opened.form->letter().serial.isEmpty());
    }

    void unknownPlaceholdersShowAsTyped_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<bool>("typedAfter"); // typed once the table is attached
        QTest::addColumn<QString>("note");
        QTest::newRow("in the subject")
            << u"Ihr {Vornme}"_s << false << u"Unbekannte Spalte „Vornme“ in Betreff"_s;
        QTest::newRow("two names, typed after attaching")
            << u"{Vornme} {Anliegen}"_s << true
            << u"Unbekannte Spalte „Vornme“ in Betreff; Unbekannte Spalte „Anliegen“ in Betreff"_s;
        QTest::newRow("every name known") << u"Ihr {Ort}"_s << false << QString();
    }

    void unknownPlaceholdersShowAsTyped()
    {
        QFETCH(QString, subject);
        QFETCH(bool, typedAfter);
        QFETCH(QString, note);
        SerialFixture f;
        useSerialLetter(*f.form);
        f.form->Edit6->setText(typedAfter ? QString() : subject);
        f.attach(kThree);
        f.form->Edit6->setText(subject);
        const quillory::document::Letter shown = f.form->previewRequest().letter;
        QCOMPARE(shown.subject, QString(subject).replace(u"{Ort}"_s, u"50667 Köln"_s));
        QCOMPARE(f.form->StatusBar1->currentMessage(), note);
    }

    void theAddressBookIsASource_data()
    {
        QTest::addColumn<QString>("group"); // chosen after "Adressbuch", empty for "Alle"
        QTest::addColumn<int>("records");
        QTest::addColumn<QStringList>("recipient"); // of the first record
        QTest::newRow("every entry")
            << QString() << 2 << QStringList{u"Frau"_s, u"Anna Arnold"_s, u"50667 Köln"_s};
        QTest::newRow("one group")
            << u"Kunden"_s << 1 << QStringList{u"Herrn"_s, u"Bernd Brandt"_s, u"53111 Bonn"_s};
    }

    void theAddressBookIsASource()
    {
        QFETCH(QString, group);
        QFETCH(int, records);
        QFETCH(QStringList, recipient);
        SerialFixture f;
        quillory::records::Database database(f.form->dataFolder() + u"/quillory.sqlite"_s);
        QVERIFY(database.open());
        const auto read = quillory::merge::readCsv("Anrede;Vorname;Nachname;Ort;Gruppen\n"
                                                   "Herr;Bernd;Brandt;53111 Bonn;Kunden\n"
                                                   "Frau;Anna;Arnold;50667 K\xc3\xb6ln;Privat\n");
        QVERIFY(quillory::records::AddressBook(database).import(
            quillory::records::entriesFromCsv(*read.table).entries));
        f.form->Edit1->setText(u"{Anschriftanrede}"_s);
        f.form->Edit2->setText(u"{Vorname} {Nachname}"_s);
        f.form->Edit4->setText(u"{Anschrift 4}"_s);
        SerialLetterDialog& d = f.dialog();
        d.QuelleCombo->setCurrentText(u"Adressbuch"_s);
        QCOMPARE(d.GruppeCombo->count(), 3); // "Alle", "Kunden", "Privat"
        if (!group.isEmpty())
            d.GruppeCombo->setCurrentText(group);
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
        QCOMPARE(serial(*f.form).recordCount(), records);
        QCOMPARE(f.recipientShown(), recipient);

        // Kept with the letter, and read from the address book again when it is opened.
        const QString letterPath = f.dir.filePath(u"brief.bri"_s);
        f.prompts.saveNames << letterPath;
        f.form->Speichernunter1->trigger();
        FormFixture opened({letterPath}, nullptr, f.form->dataFolder());
        QCOMPARE(serial(*opened.form).recordCount(), records);
        QCOMPARE(opened.form->letter().serial.addressBookGroup(), group);
        QVERIFY(!opened.form->isChanged());

        // Back to a table: the address book lets go.
        d.QuelleCombo->setCurrentText(u"Tabelle"_s);
        QCOMPARE(serial(*f.form).recordCount(), 0);
    }

    void aRunNeverWritesOverItsInputs_data()
    {
        QTest::addColumn<bool>("each");     // a PDF per record, else one PDF
        QTest::addColumn<QString>("table"); // the table's name
        QTest::addColumn<QString>("input"); // the file the run would write over
        QTest::newRow("one PDF onto the table") << false << u"adressen.pdf"_s << u"adressen.pdf"_s;
        QTest::newRow("one PDF onto the letter's file")
            << false << u"adressen.csv"_s << u"brief.pdf"_s;
        QTest::newRow("a PDF each onto the table") << true << u"Brief-2.pdf"_s << u"Brief-2.pdf"_s;
    }

    void aRunNeverWritesOverItsInputs()
    {
        QFETCH(bool, each);
        QFETCH(QString, table);
        QFETCH(QString, input);
        SerialFixture f;
        useSerialLetter(*f.form);
        f.prompts.saveNames << f.dir.filePath(u"brief.pdf"_s);
        f.form->Speichernunter1->trigger();
        SerialLetterDialog& d = f.dialog();
        f.prompts.tableNames << writeFile(f.dir, table, kThree);
        d.AuswaehlenButton->click();
        QCOMPARE(serial(*f.form).recordCount(), 3);
        const QString path = f.dir.filePath(input);
        const auto bytes = [&path] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray before = bytes();
        QVERIFY(!before.isEmpty());
        if (each) {
            d.JeDatensatzRadio->setChecked(true);
            f.prompts.folderNames << f.dir.path();
        } else {
            f.prompts.pdfNames << path;
        }
        d.StartenButton->click();
        QCOMPARE(f.prompts.errors,
                 QStringList{u"„%1“ wird gelesen und kann nicht zugleich die Ausgabe sein."_s.arg(
                     QDir::toNativeSeparators(path))});
        QCOMPARE(bytes(), before);
        QVERIFY(!QFile::exists(f.dir.filePath(u"Brief-1.pdf"_s)));
    }
};

QTEST_MAIN(TestSerialLetter)
#include "tst_serialletter.moc"
