#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace quillory::layout {

/**
 * Reads a scanned signature (PNG or JPEG) as composition draws it: any
 * transparency flattened onto white at the image's own resolution, so that
 * a transparent PNG keeps a clean edge on white paper and a PDF/A-1, which
 * knows no transparency, takes it as it is. Nothing when the file cannot be
 * read as an image; error then says why.
 */
std::optional<QImage> readSignatureImage(const QString& path, QString& error);

/**
 * Why an image of size cannot stand as a signature heightMm high on a page
 * drawn at dpi and widthMm wide: scaled to that height, or to that width
 * when it is wider, one side would come out below one pixel, so the
 * signature would vanish or the picture be empty. Empty when it can.
 */
QString signatureShapeProblem(const QSize& size, int heightMm, int dpi, double widthMm);

/** image with its transparency flattened onto white; an opaque image as it is. */
QImage flattenedOnWhite(const QImage& image);

} // namespace quillory::layout
