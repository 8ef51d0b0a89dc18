#include "support/KeptImage.h"

#include "layout/SignatureImage.h"
#include "support/ErrorReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace quillory::app {

bool KeptImage::isOwn(const QString& path, const QString& dataFolder) const
{
    const QFileInfo file(path);
    return !path.isEmpty() && file.dir() == QDir(dataFolder) &&
           file.completeBaseName() == m_baseName;
}

QImage KeptImage::read(const QString& chosen)
{
    QString error;
    std::optional<QImage> image = layout::readSignatureImage(chosen, error);
    if (!image)
        throw CommandError(QStringLiteral("„%1“ lässt sich nicht als Bild lesen: %2")
                               .arg(QDir::toNativeSeparators(chosen), error));
    return std::move(*image);
}

QString KeptImage::restore(const QString& path)
{
    m_path = path;
    m_image = QImage();
    if (m_path.isEmpty())
        return QString();
    if (!QFileInfo::exists(m_path))
        return QStringLiteral("gibt es nicht mehr");
    QString error;
    std::optional<QImage> image = layout::readSignatureImage(m_path, error);
    if (!image)
        return QStringLiteral("lässt sich nicht lesen (%1)").arg(error);
    m_image = std::move(*image);
    return QString();
}

void KeptImage::remove(const QString& dataFolder)
{
    if (isOwn(m_path, dataFolder))
        QFile::remove(m_path);
    m_path.clear();
    m_image = QImage();
}

void KeptImage::showIn(QLabel& label, QWidget& remove) const
{
    remove.setEnabled(!m_path.isEmpty());
    label.setToolTip(QDir::toNativeSeparators(m_path));
    if (m_image.isNull()) {
        label.setPixmap(QPixmap());
        label.setText(m_path.isEmpty() ? QString() : QStringLiteral("Bild fehlt"));
        return;
    }
    const QSize room = label.contentsRect().size() - QSize(4, 4);
    label.setPixmap(
        QPixmap::fromImage(m_image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void KeptImage::take(const QString& chosen, QImage image, const QString& dataFolder)
{
    const QDir folder(dataFolder);
    if (!folder.mkpath(QStringLiteral(".")))
        throw CommandError(QStringLiteral("Der Ordner „%1“ lässt sich nicht anlegen")
                               .arg(QDir::toNativeSeparators(dataFolder)));
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    const QString copy =
        folder.filePath(m_baseName + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix));
    if (QFileInfo(chosen) == QFileInfo(copy)) {
        m_path = copy;
        m_image = std::move(image);
        return;
    }
    // Into a new file first: the old copy stays until the new one is whole.
    const QString incoming = folder.filePath(m_baseName + QStringLiteral("-neu"));
    QFile::remove(incoming);
    if (!QFile::copy(chosen, incoming))
        throw CommandError(QStringLiteral("Das Bild lässt sich nicht nach „%1“ kopieren")
                               .arg(QDir::toNativeSeparators(folder.absolutePath())));
    // A read-only original would give a copy that Windows refuses to replace later.
    QFile::setPermissions(incoming, QFile::ReadOwner | QFile::WriteOwner);
    if (isOwn(m_path, dataFolder))
        QFile::remove(m_path);
    QFile::remove(copy);
    if (!QFile::rename(incoming, copy)) {
        QFile::remove(incoming);
        throw CommandError(QStringLiteral("Das Bild lässt sich nicht nach „%1“ kopieren")
                               .arg(QDir::toNativeSeparators(copy)));
    }
    m_path = copy;
    m_image = std::move(image);
}

} // namespace quillory::app
