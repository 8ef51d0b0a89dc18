#include "PdfTarget.h"

#include "document/FileError.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>

namespace quillory::output {

PdfTarget::PdfTarget(const QString& path, const QPageSize& paper, int resolution)
    : m_paper(paper), m_resolution(resolution), m_file(path)
{}

PdfTarget::~PdfTarget()
{
    abort();
}

QString PdfTarget::metrics(PrinterMetrics& metrics)
{
    metrics.resolutionX = m_resolution;
    metrics.resolutionY = m_resolution;
    metrics.printableArea = m_paper.sizePixels(m_resolution);
    metrics.paperMm = m_paper.size(QPageSize::Millimeter);
    metrics.printableOriginMm = QPointF();
    return QString();
}

QString PdfTarget::begin(const QString& title)
{
    // The target is checked before a page is drawn; the bytes go out at end().
    if (const document::FileError error = m_file.open())
        return error.message();
    if (!m_metadata)
        m_metadata = PdfMetadata(title);
    m_bytes.clear();
    m_buffer = std::make_unique<QBuffer>(&m_bytes);
    m_buffer->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setResolution(m_resolution);
    m_writer->setPageSize(m_paper);
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    m_metadata->applyTo(*m_writer, PdfVersion::A1b);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_writer.get())) {
        abort();
        return document::FileError::other(EIO).message();
    }
    return QString();
}

QPainter& PdfTarget::painter()
{
    return *m_painter;
}

QString PdfTarget::newPage()
{
    return m_writer->newPage() ? QString()
                               : document::FileError(document::FileError::DiskFull).message();
}

QString PdfTarget::end()
{
    m_painter->end();
    m_painter.reset();
    m_writer.reset();
    m_buffer.reset();
    const std::optional<QByteArray> pdf = m_metadata->complete(m_bytes);
    m_bytes.clear();
    if (!pdf) {
        abort();
        return document::FileError::other(EIO).message();
    }
    return m_file.commit(*pdf).message();
}

void PdfTarget::abort()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_writer.reset();
    m_buffer.reset();
    m_bytes.clear();
    m_file.cancel();
}

} // namespace quillory::output
