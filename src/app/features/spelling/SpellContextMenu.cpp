#include "features/spelling/SpellSupport.h"

#include "features/spelling/SpellHighlighter.h"
#include "spell/SpellChecker.h"
#include "spell/UnknownWords.h"
#include "spell/WordTokenizer.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>

// The body text's context menu: the dictionary's suggestions for the word
// clicked on, "Ignorieren" and "Zum Wörterbuch hinzufügen", above the
// editor's own entries.

namespace quillory::app {
namespace {

constexpr int kMaxSuggestions = 5;

} // namespace

QMenu* SpellSupport::createContextMenu(const QPoint& pos)
{
    QMenu* menu = m_editor->createStandardContextMenu(pos);
    // With the underlining off there is nothing to right-click on.
    const spell::SpellChecker* checker = m_highlighter->checker();
    if (!checker)
        return menu;
    const QTextCursor at = m_editor->cursorForPosition(pos);
    const QTextBlock block = at.block();
    const QString text = block.text();
    const int offset = at.positionInBlock();
    for (const spell::WordSpan& span : spell::checkableWords(text)) {
        if (offset < span.start || offset > span.start + span.length)
            continue;
        const QString word = text.mid(span.start, span.length);
        if (m_highlighter->isIgnored(word) || spell::isKnownWord(*checker, text, span))
            break;
        QAction* first = menu->actions().value(0);
        const int start = block.position() + int(span.start);
        const int end = start + int(span.length);
        for (const QString& suggestion : checker->suggestions(word, kMaxSuggestions)) {
            QAction* action = new QAction(suggestion, menu);
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            connect(action, &QAction::triggered, this, [this, start, end, suggestion] {
                m_guard([this, start, end, suggestion] {
                    // One edit block, so one undo step; the editor's change
                    // signal marks the letter modified as for any typing.
                    QTextCursor cursor(m_editor->document());
                    cursor.beginEditBlock();
                    cursor.setPosition(start);
                    cursor.setPosition(end, QTextCursor::KeepAnchor);
                    cursor.insertText(suggestion);
                    cursor.endEditBlock();
                });
            });
            menu->insertAction(first, action);
        }
        QAction* ignore = new QAction(QStringLiteral("Ignorieren"), menu);
        connect(ignore, &QAction::triggered, this,
                [this, word] { m_guard([this, word] { this->ignore(word); }); });
        QAction* add = new QAction(QStringLiteral("Zum Wörterbuch hinzufügen"), menu);
        connect(add, &QAction::triggered, this,
                [this, word] { m_guard([this, word] { addToDictionary(word); }); });
        menu->insertAction(first, ignore);
        menu->insertAction(first, add);
        menu->insertSeparator(first);
        break;
    }
    return menu;
}

} // namespace quillory::app
