#include "PrinterTarget.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace quillory::output {
namespace {

// One job at a time in the whole program, as a printing layer allows.
bool s_jobRunning = false;

} // namespace

PrinterTarget::PrinterTarget(QPrinter& printer) : m_printer(printer) {}

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
    metrics.printableArea = m_printer.pageLayout().paintRectPixels(m_printer.resolution()).size();
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
