// The runs of a serial letter: from the dialog, and from "Drucken" or "Als
// PDF speichern..." while a table is attached. Each run holds the table until
// its letters are out, as events between them may let the part's copy go.
#include "features/serial/SerialLetterPart.h"

#include "document/FileIdentity.h"
#include "features/serial/SerialLetterDialog.h"
#include "merge/SerialRun.h"
#include "output/LetterPrinter.h"
#include "output/PdfTarget.h"
#include "support/ErrorReport.h"
#include "support/JobProgress.h"
#include "support/PrinterAccess.h"
#include "window/WindowEvents.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>

namespace quillory::app {
namespace {

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

/** The run's letters as they went out, for those who follow the window's output. */
QList<document::Letter> lettersOf(const merge::SerialRun& run)
{
    QList<document::Letter> letters;
    letters.reserve(run.letterCount());
    for (int record = 1; record <= run.letterCount(); ++record)
        letters << run.letterFor(record);
    return letters;
}

} // namespace

merge::SerialRun SerialLetterPart::serialRun(const merge::CsvTable& table, bool forPdf,
                                             bool duplex) const
{
    const output::PrintRequest typed = window().printRequest(forPdf);
    merge::MergeOptions options;
    options.view = typed.view;
    options.kind = typed.kind;
    options.duplex = duplex;
    options.salutation = merge::SalutationColumns::parse(m_salutationColumns);
    merge::SerialRun run(typed.letter, table, options);
    if (!run.problem().isEmpty())
        throw CommandError(QStringLiteral("Der Serienbrief kann nicht beginnen.\n") +
                           run.problem());
    return run;
}

bool SerialLetterPart::beforeOutput(Output kind, output::PrintRequest& request)
{
    if (!m_table)
        return true;
    const bool forPdf = kind == Output::Pdf;
    std::unique_ptr<output::PrintTarget> target;
    if (!forPdf) {
        // Without a printer the question would be asked for nothing.
        target = window().printer().target();
        output::PrinterMetrics ignored;
        if (const QString problem = target->metrics(ignored); !problem.isEmpty())
            throw CommandError(PrinterAccess::withPdfHint(problem));
    }
    const std::shared_ptr<const merge::CsvTable> table = m_table;
    // Checked before asking: no letter goes out with a placeholder left in it.
    const merge::SerialRun run = serialRun(*table, forPdf, m_dialog && m_dialog->duplex());
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
    switch (window().prompts().askChoice(question, choices)) {
    case 0:
        if (!forPdf)
            printAll(run, *target, window().widget());
        else if (const QString path = window().askPdfName(); !path.isEmpty())
            writeOnePdf(run, path, window().widget());
        return false;
    case 1:
        request.letter = run.letterFor(shown);
        return true;
    default:
        return false;
    }
}

bool SerialLetterPart::report(const merge::MergeOutcome& outcome, int letterCount)
{
    const QString finished = outcome.unfinishedSummary(letterCount);
    if (!outcome.error.isEmpty())
        throw CommandError(outcome.error + QLatin1Char('\n') + finished);
    if (outcome.cancelled) {
        window().prompts().showInfo(QStringLiteral("Der Serienbrief wurde abgebrochen. ") +
                                    finished + QLatin1Char('.'));
        return false;
    }
    window().prompts().showInfo(QStringLiteral("Serienbrief fertig: ") + outcome.summary() +
                                QLatin1Char('.'));
    return true;
}

void SerialLetterPart::printAll(const merge::SerialRun& run, output::PrintTarget& target,
                                QWidget* parent)
{
    merge::MergeOutcome outcome = withProgress(
        parent, [&](const merge::MergeProgress& tell) { return run.printAll(target, tell); });
    outcome.error = PrinterAccess::withPdfHint(outcome.error);
    if (!report(outcome, run.letterCount()))
        return;
    window().showSentToPrinter(outcome.pages);
    emit window().events().lettersPrinted(lettersOf(run));
}

void SerialLetterPart::writeOnePdf(const merge::SerialRun& run, const QString& path,
                                   QWidget* parent)
{
    window().refuseInputAsOutput(path, {});
    output::PdfTarget target(path, window().printer().paper());
    if (report(withProgress(
                   parent,
                   [&](const merge::MergeProgress& tell) { return run.printAll(target, tell); }),
               run.letterCount()))
        emit window().events().pdfWritten({path}, lettersOf(run));
}

void SerialLetterPart::writePdfPerRecord(const merge::SerialRun& run)
{
    const QString folder = window().prompts().nextFileName(Prompts::FileKind::Folder, m_folder);
    if (folder.isEmpty())
        return;
    const QString pattern = m_dialog->namePattern();
    QString error;
    const QStringList names = run.fileNames(pattern, error);
    if (!error.isEmpty())
        throw CommandError(error);
    const QDir dir(folder);
    for (const QString& name : names)
        window().refuseInputAsOutput(dir.filePath(name), {});
    const auto existing = std::count_if(names.begin(), names.end(), [&](const QString& name) {
        return QFileInfo::exists(dir.filePath(name));
    });
    const bool overwrite =
        existing > 0 &&
        window().prompts().confirmSave(QStringLiteral("%1 der %2 Dateien gibt es schon in „%3“.\n"
                                                      "Sollen sie überschrieben werden?")
                                           .arg(existing)
                                           .arg(names.size())
                                           .arg(QDir::toNativeSeparators(folder)));
    if (existing > 0 && !overwrite)
        return;
    if (!report(withProgress(m_dialog,
                             [&](const merge::MergeProgress& tell) {
                                 return run.writeEach(folder, pattern, overwrite, tell,
                                                      window().printer().paper());
                             }),
                run.letterCount()))
        return;
    QStringList paths;
    for (const QString& name : names)
        paths << dir.filePath(name);
    emit window().events().pdfWritten(paths, lettersOf(run));
}

void SerialLetterPart::runFromDialog()
{
    if (!m_table || !m_dialog)
        return;
    const std::shared_ptr<const merge::CsvTable> table = m_table;
    const SerialLetterDialog::Output chosen = m_dialog->output();
    const merge::SerialRun run = serialRun(
        *table, false, m_dialog->duplex() && chosen != SerialLetterDialog::Output::PdfPerRecord);
    // Told before anything is asked or written; the run goes on, as the user may mean it.
    if (const QString same = run.sameLettersWarning(); !same.isEmpty())
        window().prompts().showInfo(same + QLatin1Char('.'));

    if (chosen == SerialLetterDialog::Output::OnePdf) {
        const QString path = window().prompts().nextFileName(Prompts::FileKind::Pdf, m_pdfName);
        if (!path.isEmpty())
            writeOnePdf(run, path, m_dialog);
    } else if (chosen == SerialLetterDialog::Output::PdfPerRecord) {
        writePdfPerRecord(run);
    } else {
        const std::unique_ptr<output::PrintTarget> target = window().printer().target();
        printAll(run, *target, m_dialog);
    }
}

} // namespace quillory::app
