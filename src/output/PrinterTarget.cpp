#include "PrinterTarget.h"

#include <QPageRanges>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

namespace quillory::output {
namespace {

// One job at a time in the whole program, as a printing layer allows.
bool s_jobRunning = false;

// Where Qt's print dialogs keep the CUPS options of a job; printers
// elsewhere ignore the key.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

} // namespace

PrinterTarget::PrinterTarget(QPrinter& printer) : m_printer(printer)
{
    // The print command prints the whole letter, as the preview shows it;
    // there is no choice of pages, and no dialog may leave one behind.
    m_printer.setPrintRange(QPrinter::AllPages);
    m_printer.setPageRanges(QPageRanges());
    m_printer.setCopyCount(1);
    m_printer.setCollateCopies(true);
    m_printer.setPageOrder(QPrinter::FirstPageFirst);
    QPrintEngine* engine = m_printer.printEngine();
    if (const QVariant options = engine->property(kCupsOptions); options.isValid())
        engine->setProperty(kCupsOptions, withoutPageChoices(options.toStringList()));
}

QStringList PrinterTarget::withoutPageChoices(const QStringList& options)
{
    static const QStringList pageChoices = {
        QStringLiteral("page-set"),
        QStringLiteral("page-ranges"),
        QStringLiteral("outputorder"),
        QStringLiteral("copies"),
    };
    QStringList kept;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (!pageChoices.contains(options[i]))
            kept << options[i] << options[i + 1];
    }
    return kept;
}

PrinterTarget::~PrinterTarget()
{
    abort();
}

QString PrinterTarget::problem(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return noDefaultPrinterText();
    if (printer.printerName().isEmpty())
        return noDefaultPrinterText();
    if (QPrinterInfo::printerInfo(printer.printerName()).isNull() || !printer.isValid())
        return invalidPrinterText();
    return QString();
}

QString PrinterTarget::metrics(PrinterMetrics& metrics)
{
    if (QString error = problem(m_printer); !error.isEmpty())
        return error;
    metrics.resolutionX = m_printer.resolution();
    metrics.resolutionY = m_printer.resolution();
    const QPageLayout page = m_printer.pageLayout();
    metrics.printableArea = page.paintRectPixels(m_printer.resolution()).size();
    // The DIN layouts measure from the paper's edge, not from the printable area.
    metrics.paperMm = page.fullRect(QPageLayout::Millimeter).size();
    metrics.printableOriginMm = page.paintRect(QPageLayout::Millimeter).topLeft();
    return QString();
}

QString PrinterTarget::begin(const QString& title)
{
    if (s_jobRunning)
        return printingText();
    if (QString error = problem(m_printer); !error.isEmpty())
        return error;
    m_printer.setDocName(title);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(&m_printer)) {
        m_painter.reset();
        return invalidPrinterText();
    }
    s_jobRunning = true;
    return QString();
}

QPainter& PrinterTarget::painter()
{
    return *m_painter;
}

QString PrinterTarget::newPage()
{
    return m_printer.newPage() ? QString() : invalidPrinterText();
}

QString PrinterTarget::end()
{
    const bool ended = m_painter->end();
    m_painter.reset();
    s_jobRunning = false;
    return ended ? QString() : invalidPrinterText();
}

void PrinterTarget::abort()
{
    if (!m_painter)
        return;
    m_printer.abort();
    if (m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    s_jobRunning = false;
}

} // namespace quillory::output
