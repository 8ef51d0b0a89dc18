#pragma once

#include "support/ErrorReport.h"
#include "FormFixture.h"
#include "output/FakePrinter.h"
#include "widgets/PaintSurface.h"
#include "support/PrinterAccess.h"

#include <QPageSize>

// The fake printer and the preview window on it, shared by the tests of the
// preview tab.

/** The current printer as a test wants it; every job it prints is kept. */
class FakePrinterAccess : public quillory::app::PrinterAccess
{
public:
    quillory::output::PrinterMetrics printer{600, 600, QSize(4760, 6812)};
    QString problem;
    /** The part of each printed page kept as a picture. */
    QSize keptArea{1200, 1200};
    QList<std::shared_ptr<FakeJob>> jobs;

    QString metrics(quillory::output::PrinterMetrics& metrics) override
    {
        metrics = printer;
        return problem;
    }
    std::unique_ptr<quillory::output::PrintTarget> target() override
    {
        auto fake =
            std::make_unique<FakePrinter>(printer.resolutionX, printer.printableArea, keptArea);
        fake->problem = problem;
        jobs << fake->job;
        return fake;
    }
    QPageSize paper() override { return QPageSize(QPageSize::A4); }
    /** As the system's: without a printer there is nothing to set up. */
    void setUp(QWidget*) override
    {
        if (!problem.isEmpty())
            throw quillory::app::CommandError(problem);
    }
    QString name() override { return printerName; }
    QString printerName = QStringLiteral("Buero-Laser");
};

/** Pairs of visible widgets of the panel that overlap, or reach beyond its height. */
inline QStringList overlapping(const QWidget& panel)
{
    QStringList found;
    const QList<QWidget*> children = panel.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < children.size(); ++i) {
        const QWidget* a = children[i];
        if (a->isHidden())
            continue;
        if (a->geometry().bottom() >= panel.height())
            found << a->objectName() + QStringLiteral("/bottom");
        for (qsizetype j = i + 1; j < children.size(); ++j) {
            const QWidget* b = children[j];
            if (!b->isHidden() && a->geometry().intersects(b->geometry()))
                found << a->objectName() + QLatin1Char('/') + b->objectName();
        }
    }
    return found;
}

/** A preview window on a fake printer. */
struct PreviewFixture : FormFixture
{
    FakePrinterAccess printer;
    explicit PreviewFixture(const QStringList& arguments = {},
                            quillory::settings::SettingsBackend* settings = nullptr,
                            const QString& recoveryFolder = QString(), bool show = true)
        : FormFixture(arguments, settings, recoveryFolder, show)
    {
        form->setPrinterAccess(&printer);
    }

    /** Paints the preview as the platform would and returns its size. */
    QSize paint()
    {
        form->PaintBox1->grab();
        return form->PaintBox1->size();
    }

    void setBodyLines(int lines)
    {
        form->Memo1->setPlainText(QStringLiteral("Eine Zeile des Brieftexts.\n").repeated(lines));
    }
};
