#pragma once

#include "window/WindowPart.h"

class QTextCursor;
class QWidget;

namespace quillory::app {

class SpellSupport;

/**
 * Spell checking in the window: the underlining and context menu of the
 * body text, and the editing menu's entries "Rechtschreibung prüfen..."
 * (F7), the underlining on or off, the dictionary to check with and
 * "Wörterbuch bearbeiten...". The choices are kept in their own group, at
 * once; the dictionary is read once the window shows.
 */
class SpellingPart : public WindowPart
{
    Q_OBJECT

public:
    explicit SpellingPart(LetterWindow& window);

    /** Spell checking of the body text. */
    SpellSupport* spelling() const { return m_spelling; }

    void restoreSettings(const settings::ViewChoices& view) override;
    void windowShown() override;

private:
    /** "Rechtschreibung prüfen...": every unknown word of the letter's text fields in turn. */
    void checkLetter();
    /** Brings the field in view on its tab and selects [start, end) in it. */
    QTextCursor select(QWidget* field, int start, int end);

    SpellSupport* m_spelling = nullptr;
};

} // namespace quillory::app
