#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace quillory::app {

/**
 * An image the user chose for the letter (the signature, the letterhead),
 * as composition draws it, and the program's own copy of it in the data
 * folder (baseName plus the original's suffix), so that moving or deleting
 * the original loses nothing.
 */
class KeptImage
{
public:
    explicit KeptImage(QString baseName) : m_baseName(std::move(baseName)) {}

    /** The copy, as stored; kept even when it cannot be read. Empty: none chosen. */
    const QString& path() const { return m_path; }
    /** The image, flattened; null without one or when the copy cannot be read. */
    const QImage& image() const { return m_image; }
    /** The copy, which no output may replace. */
    QStringList files() const { return m_path.isEmpty() ? QStringList() : QStringList{m_path}; }

    /** Reads chosen as composition draws it; throws CommandError naming it when it is no image. */
    static QImage read(const QString& chosen);
    /** The stored copy at path again; why it cannot be used ("gibt es nicht mehr"), or empty. */
    QString restore(const QString& path);
    /**
     * image, read from chosen, becomes the kept one, its copy in dataFolder
     * replacing the old one once whole; a failure throws CommandError.
     */
    void take(const QString& chosen, QImage image, const QString& dataFolder);
    /** None again; the program's own copy goes, a path elsewhere is the user's file. */
    void remove(const QString& dataFolder);
    /** The image scaled into label ("Bild fehlt" when it cannot be read); remove enabled with one.
     */
    void showIn(QLabel& label, QWidget& remove) const;

private:
    bool isOwn(const QString& path, const QString& dataFolder) const;

    QString m_baseName;
    QString m_path;
    QImage m_image;
};

} // namespace quillory::app
