#pragma once

#include "window/Prompts.h"

#include <QDialog>

class QEventLoop;
class QLabel;
class QLineEdit;
class QListWidget;

namespace quillory::app {

/**
 * The dialog of "Rechtschreibung prüfen...": one unknown word, its
 * suggestions and a line to type the replacement into, with "Ändern",
 * "Ignorieren", "Weiter" and "Schließen" in a column and "Hinzufügen" apart
 * from them, below the suggestions.
 *
 * It stays on screen from the first word of a check to finish(), and its
 * size does not follow the word: a dialog hidden and shown for every word
 * was placed anew each time, and moved under the pointer between two clicks.
 * Adding a word to the user's list, which is not undone by a click, is kept
 * away from every other button for the same reason, and is confirmed in the
 * note line of the next word.
 */
class SpellDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SpellDialog(QWidget* parent);

    /** Shows word, suggestions and note and waits for the user's choice. */
    SpellingAnswer ask(const QString& field, const QString& word, const QStringList& suggestions,
                       const QString& note);
    /** The check is over: hides the dialog until the next one. */
    void finish();

protected:
    /** Escape and the window's close button end the check like "Schließen". */
    void done(int result) override;

private:
    void answer(SpellingAnswer::Action action);

    QLabel* m_word;
    QLineEdit* m_replacement;
    QListWidget* m_suggestions;
    QLabel* m_note;
    SpellingAnswer::Action m_action = SpellingAnswer::Close;
    /** Runs while a word waits for its answer. */
    QEventLoop* m_waiting = nullptr;
};

} // namespace quillory::app
