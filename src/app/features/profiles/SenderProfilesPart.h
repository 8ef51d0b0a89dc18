#pragma once

#include "window/WindowPart.h"

#include <memory>

class QComboBox;
class QPushButton;

namespace quillory::settings {
class SenderProfiles;
}

namespace quillory::app {

/**
 * "Absender:" on the tab "Ihre Daten": named sender profiles kept per user.
 * Choosing one is an edit of the letter like typing the same fields; saving
 * or deleting one changes only the user's settings, never the letter.
 */
class SenderProfilesPart : public WindowPart
{
    Q_OBJECT

public:
    explicit SenderProfilesPart(LetterWindow& window);
    ~SenderProfilesPart() override;

    /** The list as stored, none chosen. */
    void windowShown() override;

private:
    void build();
    /** Read from the window's list store at the first use. */
    settings::SenderProfiles& profiles();
    /** The profile list as stored, current chosen (none when empty). */
    void fill(const QString& current);
    /** A profile chosen: its fields and fonts go into the letter, as an edit. */
    void chooseProfile();
    /** "Speichern als...": the sender fields, footer and fonts under a name the user gives. */
    void saveProfile();
    /** "Löschen": the chosen profile, after a question. */
    void deleteProfile();

    /** The user's sender profiles by name; none chosen at the start. */
    QComboBox* m_combo = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
    std::unique_ptr<settings::SenderProfiles> m_profiles;
};

} // namespace quillory::app
