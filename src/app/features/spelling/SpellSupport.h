#pragma once

#include "window/Prompts.h"
#include "settings/SpellChoices.h"
#include "spell/Dictionaries.h"
#include "spell/UserWordList.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class QAction;
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
 * context menu. The dictionary and the user's word list are read in a
 * thread once the window shows, so start-up does not wait for them; until then, and without any
 * German dictionary, nothing is underlined and the menu is the editor's own.
 *
 * It also keeps the spelling entries of the editing menu: the check of the
 * whole letter, the underlining on or off, and the choice of the installed
 * German dictionaries, by language and country ("Deutsch (Schweiz)", the
 * tool tip names the file, "de_CH"), and "Wörterbuch bearbeiten..." with the
 * user's own words. Without any of them those entries are disabled and their
 * tool tip names the package to install.
 */
class SpellSupport : public QObject, public UserWordEditor
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

    /**
     * Takes over the menu entries: check (the whole letter), underline (a
     * check box) and dictionaries (a submenu, filled once the installed
     * dictionaries are known). They stay disabled until then.
     */
    void attachMenu(QAction* check, QAction* underline, QMenu* dictionaries);
    /** Takes over "Wörterbuch bearbeiten...", enabled with the check. */
    void attachWordListEntry(QAction* edit);
    /** Where dictionaries are looked for, instead of the system's (tests). */
    void setDictionaryFolders(const QStringList& folders);
    /** The user's choices as stored; a new dictionary is read when it differs. */
    void setChoices(const settings::SpellChoices& choices);
    const settings::SpellChoices& choices() const { return m_choices; }
    /** The dictionary the checker was read from; empty for a checker set from outside. */
    QString dictionaryName() const { return m_dictionaryName; }

    /** Not underlined or stopped at again until the program ends ("Ignorieren"). */
    void ignore(const QString& word);
    bool isIgnored(const QString& word) const;
    /** Into the user's word list and the checker ("Hinzufügen"); throws CommandError. */
    void addToDictionary(const QString& word);
    /** Out of the user's word list and the checker, underlined again; throws CommandError. */
    void removeFromDictionary(const QString& word);

    // The words of "Wörterbuch bearbeiten...", a failure reported through the guard.
    QStringList userWords() const override { return m_userWords.words(); }
    bool addUserWord(const QString& word) override;
    bool removeUserWord(const QString& word) override;

signals:
    /** A checker is in place, e.g. the dictionary has been read. */
    void checkerReady();
    /** The user changed a choice in the menu. */
    void choicesChanged(const settings::SpellChoices& choices);

private:
    /** wordsApplied: the user's words are in checker already. */
    void installChecker(std::unique_ptr<spell::SpellChecker> checker, const QString& name,
                        bool wordsApplied);
    /** Reads dictionary in a thread; again: the one in use, once more. */
    void openDictionary(const spell::Dictionary& dictionary, bool again = false);
    /** Runs edit inside the window's guard; false when it failed and was reported. */
    bool guarded(const std::function<void()>& edit);
    void findDictionaries();
    void updateMenu();
    void underlineChosen(bool on);
    void dictionaryChosen(const QString& name);

    QPlainTextEdit* m_editor;
    Guard m_guard;
    SpellHighlighter* m_highlighter;
    std::unique_ptr<spell::SpellChecker> m_checker;
    spell::UserWordList m_userWords;
    /** Whether m_userWords holds the file yet; the first dictionary's thread reads it. */
    bool m_userWordsRead = false;
    QThread* m_loader = nullptr;
    /** A dictionary chosen while another was being read: read next. */
    std::optional<spell::Dictionary> m_nextDictionary;
    /** A word was taken back while a copy was being read with it: read once more. */
    bool m_readAgain = false;
    QString m_dictionaryName;
    settings::SpellChoices m_choices;
    std::optional<QStringList> m_folders;
    /** Empty until looked for; then the German dictionaries found. */
    std::optional<QList<spell::Dictionary>> m_installed;
    QAction* m_checkAction = nullptr;
    QAction* m_underlineAction = nullptr;
    QMenu* m_dictionaryMenu = nullptr;
    QAction* m_wordListAction = nullptr;
};

} // namespace quillory::app
