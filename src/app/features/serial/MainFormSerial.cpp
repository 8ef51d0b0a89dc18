// Serial letters in the window: the table of recipients attached to the
// letter, the record row of the preview and the runs. Reading, expanding and
// writing are the merge module's; the window only asks and shows. The letter
// typed into the widgets is never changed: the preview and each run fill a
// copy with a record's values.
#include "document/FileIdentity.h"
#include "support/ErrorReport.h"
#include "widgets/FormBuilder.h"
#include "support/JobProgress.h"
#include "window/MainForm.h"
#include "window/WindowPart.h"
#include "widgets/MemoField.h"
#include "merge/SerialRun.h"
#include "output/LetterPrinter.h"
#include "output/PdfTarget.h"
#include "support/PrinterAccess.h"
#include "features/serial/SerialLetterDialog.h"
#include "widgets/SpinField.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <optional>

namespace quillory::app {
namespace {

/** The last table chosen, per user, beside (never among) the form's properties. */
const QString kSerialGroup = QStringLiteral("Serienbrief");
const QString kTableKey = QStringLiteral("Tabelle");

/** Runs of more letters than this show their progress. */
constexpr int kQuietLetters = 3;

/** Runs produce, with a progress dialog over parent for runs of more than a few letters. */
merge::MergeOutcome
withProgress(QWidget* parent,
             const std::function<merge::MergeOutcome(const merge::MergeProgress&)>& produce)
{
    JobProgress progress(parent, merge::SerialRun::jobTitle(), QStringLiteral("Brief"),
                         kQuietLetters);
    const merge::MergeProgress tell = [&](int letter, int count) {
        return progress(letter, count);
    };
    return produce(tell);
}

} // namespace

void MainForm::buildRecordChoice(FormBuilder& b)
{
    // The third line of the panel, under the printer's note and the
    // envelope's verdict, so that nothing of the two lines above moves.
    DatensatzLabel = b.label(Panel2, QStringLiteral("Datensatz:"), 8, 70);
    DatensatzLabel->setObjectName(QStringLiteral("DatensatzLabel"));
    DatensatzEd = b.spinField(Panel2, QStringLiteral("DatensatzEd"), SpinField::Kind::Integer,
                              document::NumberRange{1, 1000000, 1}, 72, 66, 89);
    DatensatzEd->move(
        std::max(DatensatzEd->x(), DatensatzLabel->geometry().right() + 1 + b.scale().px(4)),
        DatensatzEd->y());
    DatensatzEd->setValue(1);
    DatensatzLabel->setBuddy(DatensatzEd);
    DatensatzAnzahl = b.label(Panel2, QString(), 168, 70);
    DatensatzAnzahl->setObjectName(QStringLiteral("DatensatzAnzahl"));
    TabelleLoesen = new QPushButton(QStringLiteral("Tabelle lösen"), Panel2);
    TabelleLoesen->setObjectName(QStringLiteral("TabelleLoesen"));
    TabelleLoesen->setGeometry(b.scale().px(260), b.scale().px(64), b.scale().px(90),
                               b.scale().px(FormBuilder::kButtonHeight));
    TabelleLoesen->resize(std::max(TabelleLoesen->width(), TabelleLoesen->sizeHint().width()),
                          TabelleLoesen->height());
    for (QWidget* w : std::initializer_list<QWidget*>{DatensatzLabel, DatensatzEd, DatensatzAnzahl,
                                                      TabelleLoesen})
        w->hide();
}

bool MainForm::isLetterText(const QWidget* field) const
{
    return field && field->window() == this && field != TrennZeichen &&
           (qobject_cast<const QLineEdit*>(field) || qobject_cast<const MemoField*>(field));
}

void MainForm::connectSerialLetter()
{
    // A double-click in the dialog takes the focus from the window; the
    // column goes where the user was typing before.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (isLetterText(now))
            m_lastLetterField = now;
    });
}

int MainForm::recordCount() const
{
    return m_serialTable ? m_serialTable->recordCount() : 0;
}

int MainForm::shownRecord() const
{
    if (!m_serialTable)
        return 0;
    return std::clamp(int(DatensatzEd->letterValue()), 1, recordCount());
}

output::PrintRequest MainForm::shownLetterRequest(bool forPdf) const
{
    output::PrintRequest request = printRequest(forPdf);
    if (m_serialTable) {
        // The very letter a run makes of this record, with the view it prints in.
        merge::MergeOptions options;
        options.view = request.view;
        options.kind = request.kind;
        const merge::SerialRun run(request.letter, *m_serialTable, options);
        request.letter = run.letterFor(shownRecord());
    }
    for (const WindowPart* part : m_parts)
        if (part->shownLetter(request))
            break;
    return request;
}

void MainForm::Serienbrief1Click()
{
    if (!m_serialDialog) {
        m_serialDialog = new SerialLetterDialog(this);
        const auto guarded = [this](void (MainForm::*handler)()) {
            return [this, handler] {
                runGuarded([this, handler] { (this->*handler)(); });
            };
        };
        connect(m_serialDialog, &SerialLetterDialog::chooseTable, this,
                guarded(&MainForm::chooseSerialTable));
        connect(m_serialDialog, &SerialLetterDialog::readAgain, this,
                guarded(&MainForm::readSerialTableAgain));
        connect(m_serialDialog, &SerialLetterDialog::start, this,
                guarded(&MainForm::runSerialLetter));
        connect(m_serialDialog, &SerialLetterDialog::detach, this,
                guarded(&MainForm::TabelleLoesenClick));
        connect(
            m_serialDialog, &SerialLetterDialog::insertColumn, this,
            [this](const QString& placeholder) { runGuarded([&] { insertColumn(placeholder); }); });
        if (m_serialTable)
            m_serialDialog->showTable(m_serialTablePath, *m_serialTable);
    }
    m_serialDialog->show();
    m_serialDialog->raise();
    m_serialDialog->activateWindow();
}

void MainForm::chooseSerialTable()
{
    QString last = m_serialTablePath;
    if (last.isEmpty()) {
        formStorage(); // binds the per-user store
        const settings::StoredValue stored = m_settingsBackend->readIn(kSerialGroup, kTableKey);
        if (stored.kind == settings::StoredValue::Text)
            last = stored.text;
    }
    const QString path = m_prompts->fileName(Prompts::FileKind::Table, last);
    if (path.isEmpty())
        return;
    readSerialTable(path, merge::CsvOptions{});
}

void MainForm::readSerialTableAgain()
{
    if (m_serialDialog && !m_serialTablePath.isEmpty())
        readSerialTable(m_serialTablePath, m_serialDialog->csvOptions());
}

void MainForm::readSerialTable(const QString& path, const merge::CsvOptions& options)
{
    merge::CsvResult read = merge::readCsvFile(path, options);
    if (!read) {
        // The table read before stays attached, and the dialog shows it as it is.
        if (m_serialDialog && m_serialTable)
            m_serialDialog->showTable(m_serialTablePath, *m_serialTable);
        throw CommandError(QStringLiteral("Die Tabelle „%1“ kann nicht gelesen werden.\n%2")
                               .arg(QDir::toNativeSeparators(path), read.error.text()));
    }
    m_serialTable = std::make_shared<const merge::CsvTable>(std::move(*read.table));
    m_serialTablePath = path;
    formStorage();
    if (!m_settingsBackend->writeIn(kSerialGroup, kTableKey, path) || !m_settingsBackend->flush())
        logSettingsError(QStringLiteral("Serienbrief/Tabelle"));
    if (m_serialDialog)
        m_serialDialog->showTable(path, *m_serialTable);
    showRecordChoice();
}

void MainForm::TabelleLoesenClick()
{
    m_serialTable.reset();
    if (m_serialDialog)
        m_serialDialog->clearTable();
    showRecordChoice();
}

void MainForm::detachForOtherLetter()
{
    if (!m_serialTable)
        return;
    TabelleLoesenClick();
    StatusBar1->showMessage(QStringLiteral("Serienbrief-Tabelle gelöst"), kStatusNoteMs);
}

void MainForm::showRecordChoice()
{
    const int count = recordCount();
    for (QWidget* w : std::initializer_list<QWidget*>{DatensatzLabel, DatensatzEd, DatensatzAnzahl,
                                                      TabelleLoesen})
        w->setVisible(count > 0);
    Panel2->setFixedHeight(count > 0 ? m_panel2RecordHeight : m_panel2Height);
    if (count > 0) {
        DatensatzAnzahl->setText(QStringLiteral("von %1").arg(count));
        DatensatzAnzahl->adjustSize();
        const int gap = DatensatzEd->x() - DatensatzLabel->geometry().right();
        DatensatzAnzahl->move(DatensatzEd->geometry().right() + 1 + gap, DatensatzAnzahl->y());
        TabelleLoesen->move(
            std::max(TabelleLoesen->x(), DatensatzAnzahl->geometry().right() + 1 + 2 * gap),
            TabelleLoesen->y());
        DatensatzEd->setValue(shownRecord());
    }
    // The envelope is checked against the address the preview shows.
    m_events->pageSetUpChanged();
    SeiteEdChange();
}

void MainForm::DatensatzEdChange()
{
    if (!m_serialTable)
        return;
    if (DatensatzEd->value() > recordCount()) {
        DatensatzEd->setValue(recordCount()); // changes the text, so this runs once more
        return;
    }
    // Another record may have another number of pages, and another address.
    m_events->pageSetUpChanged();
    SeiteEdChange();
}

void MainForm::insertColumn(const QString& placeholder)
{
    // The window keeps its focus child while the dialog has the focus.
    QWidget* field = isLetterText(focusWidget()) ? focusWidget() : m_lastLetterField.data();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->insert(placeholder);
    } else if (auto* memo = qobject_cast<MemoField*>(field)) {
        memo->insertPlainText(placeholder);
    } else {
        m_prompts->showInfo(QStringLiteral("Klicken Sie zuerst in das Feld des Briefs, in das die "
                                           "Spalte eingefügt werden soll."));
    }
}

merge::SerialRun MainForm::serialRun(const merge::CsvTable& table, bool forPdf, bool duplex) const
{
    const output::PrintRequest typed = printRequest(forPdf);
    merge::MergeOptions options;
    options.view = typed.view;
    options.kind = typed.kind;
    options.duplex = duplex;
    merge::SerialRun run(typed.letter, table, options);
    if (!run.problem().isEmpty())
        throw CommandError(QStringLiteral("Der Serienbrief kann nicht beginnen.\n") +
                           run.problem());
    return run;
}

std::optional<output::PrintRequest>
MainForm::oneLetterOrAll(bool forPdf, const std::function<void(const merge::SerialRun&)>& all)
{
    if (!m_serialTable)
        return printRequest(forPdf);
    // Held until the letters are out: events between them may let the table go.
    const std::shared_ptr<const merge::CsvTable> table = m_serialTable;
    // Checked before asking: no letter goes out with a placeholder left in it.
    const merge::SerialRun run =
        serialRun(*table, forPdf, m_serialDialog && m_serialDialog->duplex());
    const int count = recordCount();
    const int shown = shownRecord();
    const QString question =
        QStringLiteral("Eine Serienbrief-Tabelle ist angehängt (%1). Was soll %2 werden?")
            .arg(count == 1 ? QStringLiteral("1 Datensatz")
                            : QStringLiteral("%1 Datensätze").arg(count),
                 forPdf ? QStringLiteral("gespeichert") : QStringLiteral("gedruckt"));
    const QStringList choices{count == 1 ? QStringLiteral("Den einen Brief")
                                         : QStringLiteral("Alle %1 Briefe").arg(count),
                              QStringLiteral("Nur Datensatz %1").arg(shown),
                              QStringLiteral("Abbrechen")};
    switch (m_prompts->askChoice(question, choices)) {
    case 0:
        all(run);
        return std::nullopt;
    case 1: {
        output::PrintRequest request = printRequest(forPdf);
        request.letter = run.letterFor(shown);
        return request;
    }
    default:
        return std::nullopt;
    }
}

bool MainForm::reportSerialRun(const merge::MergeOutcome& outcome, int letterCount)
{
    const QString finished = outcome.unfinishedSummary(letterCount);
    if (!outcome.error.isEmpty())
        throw CommandError(outcome.error + QLatin1Char('\n') + finished);
    if (outcome.cancelled) {
        m_prompts->showInfo(QStringLiteral("Der Serienbrief wurde abgebrochen. ") + finished +
                            QLatin1Char('.'));
        return false;
    }
    m_prompts->showInfo(QStringLiteral("Serienbrief fertig: ") + outcome.summary() +
                        QLatin1Char('.'));
    return true;
}

void MainForm::printSerialRun(const merge::SerialRun& run, output::PrintTarget& target,
                              QWidget* parent)
{
    merge::MergeOutcome outcome = withProgress(
        parent, [&](const merge::MergeProgress& tell) { return run.printAll(target, tell); });
    outcome.error = PrinterAccess::withPdfHint(outcome.error);
    if (reportSerialRun(outcome, run.letterCount()))
        showSentToPrinter(outcome.pages);
}

void MainForm::writeSerialPdf(const merge::SerialRun& run, const QString& path, QWidget* parent)
{
    refuseInputAsOutput(path, {m_serialTablePath});
    output::PdfTarget target(path, printer().paper());
    reportSerialRun(
        withProgress(parent,
                     [&](const merge::MergeProgress& tell) { return run.printAll(target, tell); }),
        run.letterCount());
}

void MainForm::runSerialLetter()
{
    if (!m_serialTable || !m_serialDialog)
        return;
    // Held for the run: events between the letters may let the table go.
    const std::shared_ptr<const merge::CsvTable> table = m_serialTable;
    const SerialLetterDialog::Output output = m_serialDialog->output();
    const merge::SerialRun run =
        serialRun(*table, false,
                  m_serialDialog->duplex() && output != SerialLetterDialog::Output::PdfPerRecord);
    // Told before anything is asked or written; the run goes on, as the user may mean it.
    if (const QString same = run.sameLettersWarning(); !same.isEmpty())
        m_prompts->showInfo(same + QLatin1Char('.'));

    if (output == SerialLetterDialog::Output::OnePdf) {
        const QString path = m_prompts->nextFileName(Prompts::FileKind::Pdf, m_serialPdfName);
        if (path.isEmpty())
            return;
        writeSerialPdf(run, path, m_serialDialog);
    } else if (output == SerialLetterDialog::Output::PdfPerRecord) {
        const QString folder = m_prompts->nextFileName(Prompts::FileKind::Folder, m_serialFolder);
        if (folder.isEmpty())
            return;
        const QString pattern = m_serialDialog->namePattern();
        QString error;
        const QStringList names = run.fileNames(pattern, error);
        if (!error.isEmpty())
            throw CommandError(error);
        const QString input =
            run.inputAmongFiles(folder, pattern, readFiles() << m_serialTablePath);
        if (!input.isEmpty())
            throw CommandError(document::outputIsInputText(input));
        const QDir dir(folder);
        const auto existing = std::count_if(names.begin(), names.end(), [&](const QString& name) {
            return QFileInfo::exists(dir.filePath(name));
        });
        const bool overwrite =
            existing > 0 &&
            m_prompts->confirmSave(QStringLiteral("%1 der %2 Dateien gibt es schon in „%3“.\n"
                                                  "Sollen sie überschrieben werden?")
                                       .arg(existing)
                                       .arg(names.size())
                                       .arg(QDir::toNativeSeparators(folder)));
        if (existing > 0 && !overwrite)
            return;
        reportSerialRun(withProgress(m_serialDialog,
                                     [&](const merge::MergeProgress& tell) {
                                         return run.writeEach(folder, pattern, overwrite, tell,
                                                              printer().paper());
                                     }),
                        run.letterCount());
    } else {
        const std::unique_ptr<output::PrintTarget> target = printer().target();
        printSerialRun(run, *target, m_serialDialog);
    }
}

} // namespace quillory::app
