#pragma once

#include "FontChoice.h"

#include <QDialog>

class QCheckBox;
class QFontDialog;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace quillory::app {

/**
 * The font dialog of the two font buttons. Qt's font dialog offers no
 * colour, yet the colour belongs to the font a letter stores, so this one
 * embeds Qt's dialog as a plain widget and adds a colour choice beside it
 * ("Farbe..." picks one, "Standardfarbe" goes back to the system's text
 * colour), with OK and Cancel of its own. choice() is what was chosen.
 *
 * A face the system does not list (Arial where only its metric twin is
 * installed) cannot be selected in Qt's chooser, which shows a stand-in; the
 * face changes only when the user picks another one, so choosing a size, a
 * style or a colour never swaps it.
 *
 * The style is four check boxes in place of Qt's style list ("Fett",
 * "Kursiv", "Unterstrichen", "Durchgestrichen"): that list names only the
 * styles a face's files happen to have, so a stand-in may offer no bold at
 * all, and a face that calls its italic "Oblique" loses it on every new
 * size. The boxes start from the font's style and change only when ticked;
 * the chooser contributes face and size alone.
 */
class FontChoiceDialog : public QDialog
{
    Q_OBJECT

public:
    FontChoiceDialog(const QString& title, const FontChoice& initial, QWidget* parent = nullptr);

    FontChoice choice() const;
    /** An invalid colour is the system's text colour. */
    void setColor(const QColor& color);

    /** The embedded font chooser, for tests. */
    QFontDialog* fontChooser() const { return m_fonts; }
    /** The style boxes, for tests: bold, italic, underline, strike-out. */
    QList<QCheckBox*> styleBoxes() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** The boxes when Qt's chooser has no place for them, else nullptr. */
    QGroupBox* putStyleBoxesInPlaceOfStyleList(const QFont& initial);
    void takeFaceAndSize(const QFont& shown);
    void pickColor();
    void showColor();
    void showSample();

    QFontDialog* m_fonts = nullptr;
    QLineEdit* m_sample = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_strikeOut = nullptr;
    QPushButton* m_colorButton = nullptr;
    QColor m_color;
    QFont m_font; // face and size chosen so far; the style is the boxes'
    QString m_initialFamily;
    QString m_shownFamily;
};

} // namespace quillory::app
