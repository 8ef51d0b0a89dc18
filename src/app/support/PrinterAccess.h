#pragma once

#include "output/PrintTarget.h"

#include <QPageSize>

#include <memory>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace quillory::app {

/**
 * The window's one current printer: the system's default until the user
 * picks another in the set-up dialog, for the rest of the run. Tests put a
 * fake in its place.
 */
class PrinterAccess
{
public:
    virtual ~PrinterAccess() = default;

    /**
     * The current printer's resolution, printable page and where that lies on
     * the paper; or why there is none.
     */
    virtual QString metrics(output::PrinterMetrics& metrics) = 0;
    /** A print job on the current printer. */
    virtual std::unique_ptr<output::PrintTarget> target() = 0;
    /** The paper of the current printer, for PDF export; A4 without a printer. */
    virtual QPageSize paper() = 0;
    /** Lets the user choose printer, paper and orientation; throws when there is no printer. */
    virtual void setUp(QWidget* parent) = 0;
    /** The current printer's name as the user knows it; may be empty. */
    virtual QString name() = 0;

    /**
     * A printer's failure as the user reads it: without any printer it adds
     * that "Als PDF speichern..." needs none; anything else stays as it is.
     */
    static QString withPdfHint(const QString& problem);
};

/** The system's printers through QPrinter and Qt's print dialog. */
class SystemPrinterAccess final : public PrinterAccess
{
public:
    SystemPrinterAccess();
    ~SystemPrinterAccess() override;

    QString metrics(output::PrinterMetrics& metrics) override;
    std::unique_ptr<output::PrintTarget> target() override;
    QPageSize paper() override;
    void setUp(QWidget* parent) override;
    QString name() override;

    /**
     * Makes Qt's print dialog a set-up dialog: printer, paper, orientation and
     * the printer's own properties, nothing about which pages, how many copies
     * or in what order. A native dialog is left as it is; a job undoes what
     * it sets (PrinterTarget).
     */
    static void offerOnlyThePrinter(QPrintDialog& dialog);

private:
    std::unique_ptr<QPrinter> m_printer;
    // Asking the print system whether the printer is usable is slow, and the
    // preview asks on every paint: the answer is kept until the next set-up
    // or print command.
    QString m_problem;
    bool m_problemKnown = false;
};

} // namespace quillory::app
