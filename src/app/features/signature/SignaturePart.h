#pragma once

#include "support/KeptImage.h"
#include "window/WindowPart.h"

#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quillory::app {

class SpinField;

/**
 * The scanned signature on "Ihre Daten": the user chooses an image, of which
 * a copy goes into the window's data folder, its height and whether printed
 * letters carry it too. The choice is the user's, kept in the settings group
 * "Unterschrift"; the letter itself never changes with it.
 */
class SignaturePart : public WindowPart
{
    Q_OBJECT

public:
    explicit SignaturePart(LetterWindow& window);

    /** Reads the choice and its image; a problem with the image waits for the window. */
    void restoreSettings(const settings::ViewChoices& view) override;
    /** Says once, with the window on screen, why the stored image could not be used. */
    void windowShown() override;
    /** The copy of the image, which no output may replace. */
    QStringList inputFiles() const override;
    /** The image where it is wanted and its height. */
    void shapeRequest(output::PrintRequest& request, bool forPdf) const override;

private:
    void build();
    void connectHandlers();
    void showImage();
    /** Kept at once, in its own group; only after the stored choice was shown. */
    void saveChoice();

    /** "Unterschrift (Bild)...": a copy of the chosen image goes into the data folder. */
    void chooseImage();
    /** "Entfernen": back to the dotted line; the copy goes too. */
    void removeImage();
    /** The height or "Bild nur in PDF-Dateien verwenden" changed. */
    void optionChanged();

    QGroupBox* m_group = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_remove = nullptr;
    /** The chosen image, scaled down; empty without one. */
    QLabel* m_shown = nullptr;
    SpinField* m_height = nullptr;
    QCheckBox* m_onlyInPdf = nullptr;

    /** The chosen image and its copy in the data folder, "Unterschrift" there. */
    KeptImage m_kept{QStringLiteral("Unterschrift")};
    QString m_problem;
    QString m_dialogName;
    /** Changes of the fields are stored only after the stored choice was shown. */
    bool m_restored = false;
};

} // namespace quillory::app
