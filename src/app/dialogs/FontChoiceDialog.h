#pragma once

#include "support/FontChoice.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace quillory::app {

class FontFacePicker;

/**
 * The font dialog of the two font buttons: face and size, the style, the
 * colour, and a sample line of all of them that follows every change. The
 * colour belongs to the font a letter stores, so it is chosen here ("Farbe..."
 * picks one, "Standardfarbe" goes back to the system's text colour).
 * choice() is what was chosen.
 *
 * The face is shown as the letter names it, also where the system draws it
 * with another one (Arial through its metric twin), and changes only when
 * the user picks another one.
 *
 * The style is four check boxes ("Fett", "Kursiv", "Unterstrichen",
 * "Durchgestrichen") rather than a list of the styles a face's files happen
 * to name: a stand-in may offer no bold at all, and a face that calls its
 * italic "Oblique" would lose it. The boxes start from the font's style and
 * change only when ticked.
 *
 * Return in any field confirms the dialog, Escape cancels it.
 */
class FontChoiceDialog : public QDialog
{
    Q_OBJECT

public:
    FontChoiceDialog(const QString& title, const FontChoice& initial, QWidget* parent = nullptr);

    FontChoice choice() const;
    /** An invalid colour is the system's text colour. */
    void setColor(const QColor& color);

    /** The face and size chooser, for tests. */
    FontFacePicker* fontChooser() const { return m_fonts; }
    /** The style boxes, for tests: bold, italic, underline, strike-out. */
    QList<QCheckBox*> styleBoxes() const;
    /** The sample line, for tests. */
    QLabel* sample() const { return m_sample; }

private:
    QWidget* makeStyleBoxes(const QFont& initial);
    void takeFaceAndSize(const QFont& shown);
    void pickColor();
    void showColor();
    void showSample();

    FontFacePicker* m_fonts = nullptr;
    QLabel* m_sample = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_strikeOut = nullptr;
    QPushButton* m_colorButton = nullptr;
    QColor m_color;
    QFont m_font; // face and size chosen so far; the style is the boxes'
};

} // namespace quillory::app
