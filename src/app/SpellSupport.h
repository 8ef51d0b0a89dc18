#pragma once

#include "spell/UserWordList.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

class QMenu;
class QPlainTextEdit;
class QThread;

namespace quillory::spell {
class SpellChecker;
}

namespace quillory::app {

class SpellHighlighter;

/**
 * Spell checking of the body text: the underlining, and the suggestions,
 * "Ignorieren" and "Zum Wörterbuch hinzufügen" on top of the editor's
 * context menu. The dictionary is read in a thread once the window shows,
 * so start-up does not wait for it; until then, and without any German
 * dictionary, nothing is underlined and the menu is the editor's own.
 */
class SpellSupport : public QObject
{
    Q_OBJECT

public:
    using Guard = std::function<void(const std::function<void()>&)>;

    SpellSupport(QPlainTextEdit* editor, Guard guard, QObject* parent);
    ~SpellSupport() override;

    /** Reads the system's German dictionary in the background, unless a checker is set. */
    void loadDictionaryLater();
    /** Checks with checker from now on, the user's words added (tests pass a stub). */
    void setChecker(std::unique_ptr<spell::SpellChecker> checker);
    const spell::SpellChecker* checker() const { return m_checker.get(); }
    /** Where "Zum Wörterbuch hinzufügen" writes; read again at once. */
    void setUserWordList(const QString& path);
    SpellHighlighter* highlighter() const { return m_highlighter; }

    /** The context menu for a click at pos in the editor's viewport; the caller owns it. */
    QMenu* createContextMenu(const QPoint& pos);

signals:
    /** A checker is in place, e.g. the dictionary has been read. */
    void checkerReady();

private:
    QPlainTextEdit* m_editor;
    Guard m_guard;
    SpellHighlighter* m_highlighter;
    std::unique_ptr<spell::SpellChecker> m_checker;
    spell::UserWordList m_userWords;
    QThread* m_loader = nullptr;
};

} // namespace quillory::app
