// The preview tab, printing and PDF export: everything that puts the letter
// on a page goes through one composition, at the target's own resolution.
#include "document/FileIdentity.h"
#include "output/LetterPrinter.h"
#include "output/PdfTarget.h"
#include "output/PreviewRenderer.h"
#include "support/ErrorReport.h"
#include "support/JobProgress.h"
#include "support/PrinterAccess.h"
#include "widgets/PaintSurface.h"
#include "widgets/SpinField.h"
#include "window/MainForm.h"
#include "window/WindowPart.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QWheelEvent>

#include <cmath>

namespace quillory::app {
namespace {

/** Without a printer the preview shows A4 as "Als PDF speichern..." writes it. */
output::PrinterMetrics a4At600()
{
    const layout::PrintedPage a4 = layout::PrintedPage::a4At600();
    return {a4.dpiX, a4.dpiY, a4.size};
}

/** Letters longer than this show their progress while they print. */
constexpr int kQuietPages = 3;

constexpr int kWheelNotch = 120;
constexpr int kWheelStep = 20;

} // namespace

void MainForm::setPrinterAccess(PrinterAccess* printer)
{
    m_printer = printer;
    repaintPreview();
    m_events->pageSetUpChanged();
}

PrinterAccess& MainForm::printer()
{
    return printerAccess();
}

PrinterAccess& MainForm::printerAccess() const
{
    if (!m_printer) {
        m_ownPrinter = std::make_unique<SystemPrinterAccess>();
        m_printer = m_ownPrinter.get();
    }
    return *m_printer;
}

output::PrinterMetrics MainForm::pageMetrics(QString* problem) const
{
    output::PrinterMetrics metrics;
    const QString error = printerAccess().metrics(metrics);
    if (problem)
        *problem = error;
    return error.isEmpty() ? metrics : a4At600();
}

void MainForm::showPrinterNote(const QString& problem)
{
    const QString note =
        problem.isEmpty() ? QString() : QStringLiteral("Kein Drucker – Vorschau auf A4");
    if (PrinterNote->text() != note) {
        PrinterNote->setText(note);
        PrinterNote->adjustSize();
    }
}

output::PreviewRequest MainForm::previewRequest() const
{
    return previewRequest(nullptr);
}

output::PreviewRequest MainForm::previewRequest(QString* printerProblem) const
{
    const output::PrinterMetrics metrics = pageMetrics(printerProblem);
    output::PrintRequest letterAndView = shownLetterRequest();
    output::PreviewRequest request;
    request.letter = std::move(letterAndView.letter);
    request.view = letterAndView.view;
    request.kind = letterAndView.kind;
    request.printer = metrics;
    request.geometry = output::previewGeometry(metrics, PaintBox1->logicalDpiX(),
                                               static_cast<int>(std::trunc(ZoomEd->value())));
    request.page = static_cast<int>(std::trunc(SeiteEd->value()));
    return request;
}

void MainForm::PaintBox1Paint(QPainter& painter)
{
    // The printer is asked once a paint: for the page and for the note alike.
    QString printerProblem;
    const output::PreviewRequest request = previewRequest(&printerProblem);
    // Resizing asks for another paint; drawing now as well spares a blank frame.
    if (PaintBox1->size() != request.geometry.size)
        PaintBox1->resize(request.geometry.size);
    PageCount = preview().paint(painter, request);
    showPrinterNote(printerProblem);
    for (WindowPart* part : m_parts)
        part->paintOverPreview(painter, request);
}

output::PreviewRenderer& MainForm::preview()
{
    if (!m_preview)
        m_preview = std::make_unique<output::PreviewRenderer>();
    return *m_preview;
}

void MainForm::recountPages()
{
    SeiteEdChange();
}

void MainForm::SeiteEdChange()
{
    // Bound by the letter as it is now, not by the count of an earlier paint
    // that may be stale (or missing, before the tab was ever shown); the
    // layout counted here is the one the next paint draws and "Drucken" prints.
    PageCount = preview().pageCount(previewRequest());
    if (SeiteEd->value() > PageCount) {
        SeiteEd->setValue(PageCount); // changes the text, so this runs once more
        return;
    }
    repaintPreview();
}

output::PrintOutcome MainForm::runPrintJob(output::PrintTarget& target,
                                           const output::PrintRequest& request, QWidget* parent)
{
    JobProgress progress(parent, request.title, QStringLiteral("Seite"), kQuietPages);
    const output::PrintOutcome outcome = output::printLetter(
        target, request, [&](int page, int count) { return progress(page, count); },
        &preview().cache());
    // Only a printer's job can lack its printer; a PDF's errors pass unchanged.
    if (!outcome.error.isEmpty())
        throw CommandError(PrinterAccess::withPdfHint(outcome.error));
    return outcome;
}

void MainForm::showSentToPrinter(int pages)
{
    const QString name = printer().name();
    StatusBar1->showMessage(
        (pages == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(pages)) +
            QStringLiteral(" an %1 gesendet")
                .arg(name.isEmpty() ? QStringLiteral("den Drucker") : name),
        kStatusNoteMs);
}

output::PrintRequest MainForm::printRequest(bool forPdf) const
{
    output::PrintRequest request;
    request.letter = letter();
    request.view.blankBeforeRecipientCity = Leer2Check->isChecked();
    request.view.signatureIsSenderName = RadioButton1->isChecked();
    request.kind =
        Layout1Check->isChecked() ? layout::LayoutKind::Layout1 : layout::LayoutKind::Layout2;
    for (const WindowPart* part : m_parts)
        part->shapeRequest(request, forPdf);
    return request;
}

output::PrintRequest MainForm::shownLetterRequest(bool forPdf) const
{
    output::PrintRequest request = printRequest(forPdf);
    for (const WindowPart* part : m_parts)
        if (part->shownLetter(request))
            break;
    return request;
}

void MainForm::Drucken1Click()
{
    output::PrintRequest request = printRequest(false);
    for (WindowPart* part : m_parts)
        if (!part->beforeOutput(WindowPart::Output::Print, request))
            return;
    const std::unique_ptr<output::PrintTarget> target = printer().target();
    const output::PrintOutcome outcome = runPrintJob(*target, request, this);
    if (outcome.cancelled)
        return;
    showSentToPrinter(outcome.pages);
    m_events->lettersPrinted({request.letter});
}

void MainForm::Druckereinrichten1Click()
{
    try {
        printer().setUp(this);
    } catch (const CommandError& error) {
        throw CommandError(PrinterAccess::withPdfHint(error.message()));
    }
    m_events->pageSetUpChanged();
}

QString MainForm::askPdfName()
{
    return m_prompts->nextFileName(Prompts::FileKind::Pdf, m_pdfDialogName);
}

void MainForm::AlsPDFspeichern1Click()
{
    output::PrintRequest request = printRequest(true);
    for (WindowPart* part : m_parts)
        if (!part->beforeOutput(WindowPart::Output::Pdf, request))
            return;
    const QString path = askPdfName();
    if (path.isEmpty())
        return;
    refuseInputAsOutput(path, {});
    output::PdfTarget target(path, printer().paper());
    target.setMetadata(output::PdfMetadata::forLetter(request.letter));
    if (!runPrintJob(target, request, this).cancelled)
        m_events->pdfWritten({path}, {request.letter});
}

QStringList MainForm::readFiles() const
{
    QStringList files{fileName()};
    for (const WindowPart* part : m_parts)
        files += part->inputFiles();
    return files;
}

void MainForm::refuseInputAsOutput(const QString& output, const QStringList& moreInputs) const
{
    const QString input = document::inputAt(output, readFiles() + moreInputs);
    if (!input.isEmpty())
        throw CommandError(document::outputIsInputText(input));
}

void MainForm::FormMouseWheelDown()
{
    if (PageControl1->currentIndex() != 2)
        return;
    QScrollBar* bar = ScrollBox1->verticalScrollBar();
    bar->setValue(bar->value() + kWheelStep);
}

void MainForm::FormMouseWheelUp()
{
    if (PageControl1->currentIndex() != 2)
        return;
    QScrollBar* bar = ScrollBox1->verticalScrollBar();
    bar->setValue(bar->value() - kWheelStep);
}

void MainForm::wheelTurned(int angleDelta)
{
    m_wheelDelta += angleDelta;
    while (m_wheelDelta <= -kWheelNotch) {
        m_wheelDelta += kWheelNotch;
        runGuarded([this] { FormMouseWheelDown(); });
    }
    while (m_wheelDelta >= kWheelNotch) {
        m_wheelDelta -= kWheelNotch;
        runGuarded([this] { FormMouseWheelUp(); });
    }
}

void MainForm::keepTheWheelFromUnfocusedFields()
{
    // A wheel turned on the way across the form must not change the value
    // under the pointer: these fields take it only once the user has put the
    // focus in them, and turning the wheel never puts it there. Until then
    // the turn is the form's.
    QList<QWidget*> fields;
    for (QAbstractSpinBox* field : findChildren<QAbstractSpinBox*>())
        fields << field;
    for (QComboBox* field : findChildren<QComboBox*>())
        fields << field;
    for (QWidget* field : fields) {
        if (field->focusPolicy() == Qt::WheelFocus)
            field->setFocusPolicy(Qt::StrongFocus);
        field->installEventFilter(this);
    }
}

void MainForm::wheelEvent(QWheelEvent* event)
{
    wheelTurned(event->angleDelta().y());
    event->ignore();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        auto* field = qobject_cast<QWidget*>(watched);
        const bool unfocusedField =
            (qobject_cast<QAbstractSpinBox*>(watched) || qobject_cast<QComboBox*>(watched)) &&
            !field->hasFocus();
        if (watched == ScrollBox1->viewport() || unfocusedField) {
            wheelTurned(static_cast<QWheelEvent*>(event)->angleDelta().y());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quillory::app
