#pragma once

#include "FontChoice.h"

#include <QDialog>

class QFontDialog;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pickColor();
    void showColor();

    QFontDialog* m_fonts = nullptr;
    QPushButton* m_colorButton = nullptr;
    QColor m_color;
    QFont m_initialFont;
    QString m_shownFamily;
    bool m_fontTouched = false;
};

} // namespace quillory::app
