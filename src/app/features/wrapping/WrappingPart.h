#pragma once

#include "window/WindowPart.h"

#include <Qt>

class QAction;
class QPlainTextEdit;

namespace quillory::app {

/**
 * "Zeilenumbruch" at the end of the editing menu: the body text wraps at the
 * editor's width, on until the user turns it off. Only the screen changes:
 * a wrapped line is no paragraph, so the letter, its file and its pages are
 * the same either way. The choice is kept in the group "Editor", at once.
 */
class WrappingPart : public WindowPart
{
    Q_OBJECT

public:
    explicit WrappingPart(LetterWindow& window);

    void restoreSettings(const settings::ViewChoices& view) override;

private:
    void apply(bool wrap);

    QPlainTextEdit* m_body = nullptr;
    QAction* m_entry = nullptr;
    /** The body's horizontal scroll bar as designed, for the unwrapped text. */
    Qt::ScrollBarPolicy m_designedBar = Qt::ScrollBarAsNeeded;
};

} // namespace quillory::app
