#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillory::app {

class UserWordEditor;

/**
 * "Wörterbuch bearbeiten...": the user's own words, alphabetically, with a
 * filter line above them, "Entfernen" for the selected words and a line
 * with "Hinzufügen" for a new one. Each change is made at once through the
 * editor, so a word taken out is underlined again while the dialog is still
 * open; there is nothing to confirm at the end.
 */
class WordListDialog : public QDialog
{
    Q_OBJECT

public:
    WordListDialog(UserWordEditor& words, QWidget* parent);

private:
    void fill(const QString& select = QString());
    void applyFilter();
    void removeSelected();
    void addTyped();

    UserWordEditor& m_words;
    QLineEdit* m_filter;
    QListWidget* m_list;
    QPushButton* m_remove;
    QLineEdit* m_newWord;
    QPushButton* m_add;
};

} // namespace quillory::app
