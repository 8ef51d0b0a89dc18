#include "SignatureImage.h"

#include <QImageReader>
#include <QPainter>

namespace quillory::layout {

std::optional<QImage> readSignatureImage(const QString& path, QString& error)
{
    QImageReader reader(path);
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.width() <= 0 || image.height() <= 0) {
        error = reader.errorString();
        return std::nullopt;
    }
    return flattenedOnWhite(image);
}

QImage flattenedOnWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDotsPerMeterX(image.dotsPerMeterX());
    flat.setDotsPerMeterY(image.dotsPerMeterY());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

} // namespace quillory::layout
