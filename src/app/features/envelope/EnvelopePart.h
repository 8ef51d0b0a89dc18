#pragma once

#include "window/WindowPart.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace quillory::app {

/**
 * The window envelope on the preview tab: the address checked against the
 * chosen envelope's window as the letter and its page change, the verdict
 * beside the layout choice and in the status bar, the window drawn over the
 * preview, and "Anpassen". The envelope is one of the stored view choices.
 * The check itself lives in the envelope module.
 */
class EnvelopePart : public WindowPart
{
    Q_OBJECT

public:
    explicit EnvelopePart(LetterWindow& window);

    void restoreSettings(const settings::ViewChoices& view) override;
    void saveView(settings::ViewChoices& view) const override;
    /** The chosen envelope's window over the preview's page 1; never printed. */
    void paintOverPreview(QPainter& painter, const output::PreviewRequest& request) override;

signals:
    /** The verdict was brought up to date (or cleared without an envelope). */
    void checked();

private:
    void buildChoice();
    /** Checks the address again on the next turn of the event loop, once for any number of edits.
     */
    void scheduleCheck();
    void updateCheck();
    /** The window envelope is a view choice kept per user, not part of the letter. */
    void UmschlagComboChange();
    /**
     * Moves the address into the chosen envelope's window through the line
     * counts before it, as if typed into their fields; or says why it cannot.
     */
    void AnpassenClick();

    /** The window envelope the address is checked against: "kein", "DL", "C6/5", "C5". */
    QComboBox* UmschlagCombo = nullptr;
    /** The check's verdict in a sentence, its warnings as the tool tip. */
    QLabel* UmschlagVerdict = nullptr;
    QPushButton* AnpassenButton = nullptr;
    /** The check's verdict in short, on every tab. */
    QLabel* UmschlagStatus = nullptr;
    bool m_checkPending = false;
};

} // namespace quillory::app
