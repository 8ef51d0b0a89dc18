#pragma once

#include <QFont>
#include <QWidget>

class QLineEdit;
class QListWidget;

namespace quillory::app {

/**
 * The face and size half of the font dialog: a field over a list for each.
 *
 * The faces are the system's families, each once: a family that several
 * foundries deliver is listed without the foundry, so it is one choice. A
 * face the system does not list (Arial where only its metric twin is
 * installed) is listed under the name it was asked by, so the dialog opens
 * on the font as the letter names it, and the font still resolves it when
 * drawn. Typing in the face field goes to the first face that starts so.
 *
 * Return and Escape in any of its fields are left to the dialog around it.
 */
class FontFacePicker : public QWidget
{
    Q_OBJECT

public:
    explicit FontFacePicker(const QFont& initial, QWidget* parent = nullptr);

    /** The face and point size shown. */
    QFont currentFont() const;
    /** Shows font's face, listed if it is not yet, and its point size. */
    void setCurrentFont(const QFont& font);

    /** The faces as listed. */
    QStringList faces() const;

signals:
    void currentFontChanged(const QFont& font);

private:
    void selectFace(const QString& face);
    void showSizes();
    void faceTyped(const QString& text);
    void sizeTyped(const QString& text);

    QLineEdit* m_faceEdit = nullptr;
    QListWidget* m_faceList = nullptr;
    QLineEdit* m_sizeEdit = nullptr;
    QListWidget* m_sizeList = nullptr;
    int m_points = 0;
};

} // namespace quillory::app
