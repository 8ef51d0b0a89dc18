#pragma once

#include "PrintTarget.h"

#include <QPageSize>

#include <memory>

class QPdfWriter;
class QSaveFile;

namespace quillory::output {

/**
 * A PDF file as a print target. A PDF page is the whole sheet, with no
 * unprintable border, so margins are measured from the paper's edge. The file
 * is written beside its final name and replaces it only when the job ends;
 * an aborted or failed export leaves no file and an older one untouched.
 */
class PdfTarget : public PrintTarget
{
public:
    explicit PdfTarget(const QString& path, const QPageSize& paper = QPageSize(QPageSize::A4),
                       int resolution = 600);
    ~PdfTarget() override;

    QString metrics(PrinterMetrics& metrics) override;
    QString begin(const QString& title) override;
    QPainter& painter() override;
    QString newPage() override;
    QString end() override;
    void abort() override;

private:
    QString m_path;
    QPageSize m_paper;
    int m_resolution;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace quillory::output
