#include "support/PrinterAccess.h"

#include "support/ErrorReport.h"
#include "output/PrinterTarget.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>

namespace quillory::app {

QString PrinterAccess::withPdfHint(const QString& problem)
{
    if (problem != output::PrinterTarget::noDefaultPrinterText())
        return problem;
    return problem + QStringLiteral(". Als PDF speichern... geht auch ohne Drucker.");
}

SystemPrinterAccess::SystemPrinterAccess()
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{}

SystemPrinterAccess::~SystemPrinterAccess() = default;

QString SystemPrinterAccess::metrics(output::PrinterMetrics& metrics)
{
    if (!m_problemKnown) {
        m_problem = output::PrinterTarget::problem(*m_printer);
        m_problemKnown = true;
    }
    if (!m_problem.isEmpty())
        return m_problem;
    metrics.resolutionX = m_printer->resolution();
    metrics.resolutionY = m_printer->resolution();
    const QPageLayout page = m_printer->pageLayout();
    metrics.printableArea = page.paintRectPixels(m_printer->resolution()).size();
    // The printable area as it lies on the paper, for what is measured on the
    // sheet itself, like an envelope's window.
    metrics.paperMm = page.fullRect(QPageLayout::Millimeter).size();
    metrics.printableOriginMm = page.paintRect(QPageLayout::Millimeter).topLeft();
    return QString();
}

std::unique_ptr<output::PrintTarget> SystemPrinterAccess::target()
{
    m_problemKnown = false;
    return std::make_unique<output::PrinterTarget>(*m_printer);
}

QPageSize SystemPrinterAccess::paper()
{
    output::PrinterMetrics ignored;
    if (!metrics(ignored).isEmpty())
        return QPageSize(QPageSize::A4);
    return m_printer->pageLayout().pageSize();
}

void SystemPrinterAccess::setUp(QWidget* parent)
{
    m_problemKnown = false;
    output::PrinterMetrics ignored;
    if (QString problem = metrics(ignored); !problem.isEmpty())
        throw CommandError(problem);
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    offerOnlyThePrinter(dialog);
    dialog.exec();
    m_problemKnown = false;
}

QString SystemPrinterAccess::name()
{
    return m_printer->printerName();
}

void SystemPrinterAccess::offerOnlyThePrinter(QPrintDialog& dialog)
{
    // Only the printer and its properties are chosen here; what gets printed
    // is always the whole letter.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    // With CUPS, Qt's own dialog still offers a page range, even or odd
    // pages, copies and the reverse order on a tab of its options, whatever
    // the options above say; that tab goes. Its fields stay behind, hidden,
    // as the dialog reads them when it closes.
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabs"));
    auto* pageChoices = dialog.findChild<QWidget*>(QStringLiteral("copiesTab"));
    if (tabs && pageChoices && tabs->indexOf(pageChoices) >= 0) {
        tabs->removeTab(tabs->indexOf(pageChoices));
        pageChoices->hide();
    }
}

} // namespace quillory::app
