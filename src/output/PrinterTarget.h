#pragma once

#include "PrintTarget.h"

#include <memory>

class QPrinter;

namespace quillory::output {

/**
 * A printer queue through QPrinter. Reports the printing layer's errors in
 * the user's words: no printer at all, a printer that cannot be opened, and a
 * job still running.
 */
class PrinterTarget : public PrintTarget
{
public:
    static QString noDefaultPrinterText()
    {
        return QStringLiteral("Zur Zeit ist kein Standard-Drucker gewählt");
    }
    static QString invalidPrinterText()
    {
        return QStringLiteral("Ausgewählter Drucker ist ungültig");
    }
    static QString printingText() { return QStringLiteral("Das Drucken ist im Gang"); }

    /**
     * A job prints every page of the letter once, in order. Whatever a print
     * dialog left in the printer (a page range, even or odd pages, copies,
     * the reverse order) is undone here; printer, paper, orientation and the
     * printer's own options stay.
     */
    explicit PrinterTarget(QPrinter& printer);
    ~PrinterTarget() override;

    /**
     * The print system's options of a job (name, value, name, value, ... as
     * Qt's print dialogs keep them for CUPS) without those that choose pages,
     * their order or the number of copies.
     */
    static QStringList withoutPageChoices(const QStringList& options);

    /**
     * Why printer cannot print, or an empty text. Without any printer Qt
     * quietly turns a QPrinter into a PDF writer; that is a missing printer
     * here, never a stray file.
     */
    static QString problem(const QPrinter& printer);

    QString metrics(PrinterMetrics& metrics) override;
    QString begin(const QString& title) override;
    QPainter& painter() override;
    QString newPage() override;
    QString end() override;
    void abort() override;

private:
    QPrinter& m_printer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace quillory::output
