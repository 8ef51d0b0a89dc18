#include "SignatureImage.h"

#include "document/FileError.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace quillory::layout {

std::optional<QImage> readSignatureImage(const QString& path, QString& error)
{
    // The reader calls a folder or a missing folder "File not found".
    const QFileInfo file(path);
    if (file.isDir() || !file.exists()) {
        error = document::FileError::fromFailedOpen(path, false, 0).message();
        return std::nullopt;
    }
    QImageReader reader(path);
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.width() <= 0 || image.height() <= 0) {
        error = reader.errorString();
        return std::nullopt;
    }
    return flattenedOnWhite(image);
}

QString signatureShapeProblem(const QSize& size, int heightMm, int dpi, double widthMm)
{
    constexpr double kMmPerInch = 25.4;
    const double height = heightMm / kMmPerInch * dpi;
    const double width = widthMm / kMmPerInch * dpi;
    if (size.width() <= 0 || size.height() <= 0)
        return QStringLiteral("Das Bild ist leer");
    const double scale = std::min(height / size.height(), width / size.width());
    if (size.width() * scale >= 1 && size.height() * scale >= 1)
        return QString();
    const QString shape = QStringLiteral("%1 × %2 Pixel").arg(size.width()).arg(size.height());
    if (size.width() * scale < 1)
        return QStringLiteral("Das Bild (%1) wäre in %2 mm Höhe schmaler als ein Bildpunkt und "
                              "verschwände")
            .arg(shape)
            .arg(heightMm);
    return QStringLiteral("Das Bild (%1) wäre auf %2 mm Breite flacher als ein Bildpunkt und "
                          "verschwände")
        .arg(shape)
        .arg(qRound(widthMm));
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
