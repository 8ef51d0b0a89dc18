#pragma once

#include "features/find/TextSearch.h"
#include "window/WindowPart.h"

class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quillory::app {

/**
 * "Suchen...", "Weitersuchen" and "Ersetzen..." in the editing menu: a
 * dialog that stays open beside the letter and looks through the body or,
 * on request, through every text field, in the order of TextFields. A
 * match is selected in its field; a replacement is an edit as if typed, and
 * "Alle ersetzen" is one undo step in each field it changes.
 */
class FindReplacePart : public WindowPart
{
    Q_OBJECT

public:
    explicit FindReplacePart(LetterWindow& window);

private:
    void buildDialog();
    /** Shows the dialog, with the replacement row when replacing. */
    void openDialog(bool replacing);
    /** The next match from the caret of the field last worked in; false: none. */
    bool findNext(bool backwards);
    /** Replaces the selected match, if it is one, and finds the next. */
    void replaceCurrent();
    void replaceAll();

    TextSearch search() const;
    /** The keys of the fields searched, in their order. */
    QStringList searchedKeys() const;
    /** Selects [start, start + length) in the field with key, its tab brought forward. */
    void select(const QString& key, qsizetype start, qsizetype length);
    void notFound();

    QDialog* m_dialog = nullptr;
    QLineEdit* m_pattern = nullptr;
    QLabel* m_replacementLabel = nullptr;
    QLineEdit* m_replacement = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWords = nullptr;
    QCheckBox* m_allFields = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_replaceAllButton = nullptr;
    /** The letter's field the user worked in last: the search starts there. */
    QString m_lastKey;
};

} // namespace quillory::app
