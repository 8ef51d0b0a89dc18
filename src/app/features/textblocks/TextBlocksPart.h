#pragma once

#include "document/TextBlockFolder.h"
#include "window/WindowPart.h"

#include <QPointer>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace quillory::app {

class TextBlocksDialog;

/**
 * Text blocks in "Bearbeiten des Haupttextes": "Textbaustein einfügen" puts
 * a block at the caret as one step of undo, "Auswahl als Textbaustein
 * speichern..." keeps the body's selection as one, and "Textbausteine
 * verwalten..." renames and deletes them. The blocks are the files of the
 * folder "Textbausteine" in the data folder; a placeholder such as {Name}
 * in a block is plain text until a serial letter fills it.
 */
class TextBlocksPart : public WindowPart
{
    Q_OBJECT

public:
    /** With more blocks than this the submenu starts with a field that narrows it. */
    static constexpr int kFilterFrom = 15;

    explicit TextBlocksPart(LetterWindow& window);

    document::TextBlockFolder folder() const;

private:
    /** The submenu as the folder holds it now, each time it opens. */
    void fillMenu();
    /** Shows only the blocks whose name contains text. */
    void filterMenu(const QString& text);
    /** The field a block goes into: the focused one if it takes lines, else the body. */
    QPlainTextEdit* target() const;
    void insertBlock(const QString& name);
    void saveSelection();
    void openManager();
    void renameBlock(const QString& name);
    void deleteBlock(const QString& name);
    void openFolder();
    /** The manager's list as the folder holds it now, current chosen. */
    void showBlocks(const QString& current);

    QPlainTextEdit* m_body = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_saveSelection = nullptr;
    QPointer<TextBlocksDialog> m_dialog;
};

} // namespace quillory::app
