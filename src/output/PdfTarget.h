#pragma once

#include "document/SafeWrite.h"
#include "PdfMetadata.h"
#include "PrintTarget.h"

#include <QByteArray>
#include <QPageSize>

#include <memory>
#include <optional>

class QBuffer;
class QPdfWriter;

namespace quillory::output {

/**
 * A PDF file as a print target. A PDF page is the whole sheet, with no
 * unprintable border, so margins are measured from the paper's edge. The file
 * is written beside its final name and replaces it only when the job ends;
 * an aborted or failed export leaves no file and an older one untouched.
 * It is a PDF/A-1b: archives and authorities take nothing else. Its title is
 * the job's title unless metadata is set.
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
    bool onPaper() const override { return false; }

    /** The title, author and date the file carries; before begin(). */
    void setMetadata(const PdfMetadata& metadata) { m_metadata = metadata; }

private:
    QPageSize m_paper;
    int m_resolution;
    std::optional<PdfMetadata> m_metadata;
    document::SafeWrite m_file;
    QByteArray m_bytes; // the writer's output, made complete before it goes to the file
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace quillory::output
