#pragma once

#include "support/KeptImage.h"
#include "window/WindowPart.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace quillory::app {

/**
 * The DIN 5008 letters: the choice of Form A or Form B beside "Layout 1" and
 * "Layout 2" on the preview's panel, and on "Ihre Daten" the letterhead
 * image (a copy in the data folder), the information block's date style and
 * paper with a printed letterhead. All of it is the user's, kept in the
 * settings group "DinBrief"; the form's own layout property keeps the last
 * of Layout 1 and 2, so that a store without a DIN choice opens as before.
 */
class DinLetterPart : public WindowPart
{
    Q_OBJECT

public:
    explicit DinLetterPart(LetterWindow& window);

    void restoreSettings(const settings::ViewChoices& view) override;
    /** While a DIN form is chosen, the form stores the Layout 1 or 2 chosen before it. */
    void saveView(settings::ViewChoices& view) const override;
    void windowShown() override;
    /** The copy of the letterhead, which no output may replace. */
    QStringList inputFiles() const override;
    /** The chosen form and the letterhead, date style and stationery for it. */
    void shapeRequest(output::PrintRequest& request, bool forPdf) const override;

private:
    void buildChoice();
    void buildOptions();
    void connectHandlers();
    void showImage();
    /** Kept at once, in its own group; only after the stored choice was shown. */
    void saveChoice();

    /** A DIN form was chosen or left: another page, other envelope checks. */
    void formChanged();
    /** "Briefkopf (Bild)...": a copy of the chosen image goes into the data folder. */
    void chooseImage();
    /** "Entfernen": the sender's lines in the letterhead zone again; the copy goes too. */
    void removeImage();
    void optionChanged();
    /** Says once in the status bar what of the chosen form the printer cannot reach. */
    void noteUnreachablePlaces();

    QRadioButton* m_formA = nullptr;
    QRadioButton* m_formB = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_remove = nullptr;
    /** The chosen letterhead, scaled down; empty without one. */
    QLabel* m_shown = nullptr;
    QComboBox* m_dateStyle = nullptr;
    QCheckBox* m_preprinted = nullptr;

    /** The chosen image and its copy in the data folder, "Briefkopf" there. */
    KeptImage m_kept{QStringLiteral("Briefkopf")};
    QString m_problem;
    QString m_dialogName;
    /** The form's own choice, Layout 2 rather than Layout 1. */
    bool m_layout2 = false;
    bool m_restored = false;
    /** The last such note, so that it is not said again for the same printer. */
    QString m_reachNote;
};

} // namespace quillory::app
