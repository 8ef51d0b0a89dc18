#pragma once

#include "Prompts.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace quillory::app {

/**
 * The dialog of "Rechtschreibung prüfen...": one unknown word, its
 * suggestions and a line to type the replacement into, with "Ändern",
 * "Ignorieren", "Hinzufügen", "Weiter" and "Schließen". It is shown anew for
 * every word of a check and keeps its place on screen between them, so the
 * word, selected in its field, can stay in view.
 */
class SpellDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SpellDialog(QWidget* parent);

    /** Shows word and suggestions and waits for the user's choice. */
    SpellingAnswer ask(const QString& field, const QString& word, const QStringList& suggestions);

private:
    void answer(SpellingAnswer::Action action);

    QLabel* m_word;
    QLineEdit* m_replacement;
    QListWidget* m_suggestions;
    SpellingAnswer::Action m_action = SpellingAnswer::Close;
};

} // namespace quillory::app
