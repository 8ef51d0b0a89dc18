#include "features/spelling/SpellSupport.h"

#include "features/spelling/SpellHighlighter.h"
#include "spell/Dictionaries.h"
#include "spell/HunspellChecker.h"
#include "support/ErrorReport.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QThread>

#include <utility>

namespace quillory::app {

SpellSupport::SpellSupport(QPlainTextEdit* editor, Guard guard, QObject* parent)
    : QObject(parent), m_editor(editor), m_guard(std::move(guard)),
      m_highlighter(new SpellHighlighter(editor->document()))
{
    // The user's word list is read with the dictionary, in its thread: a
    // long one must not hold up the window.
    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editor, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_guard([this, pos] {
            const std::unique_ptr<QMenu> menu(createContextMenu(pos));
            menu->exec(m_editor->viewport()->mapToGlobal(pos));
        });
    });
}

SpellSupport::~SpellSupport()
{
    if (m_loader)
        m_loader->wait();
}

void SpellSupport::loadDictionaryLater()
{
    if (m_checker || m_loader)
        return;
    findDictionaries();
    if (const auto dictionary = spell::chooseDictionary(*m_installed, m_choices.dictionary))
        openDictionary(*dictionary);
}

void SpellSupport::findDictionaries()
{
    // Listing a few folders is quick; reading a dictionary is not, and
    // happens in openDictionary's thread.
    m_installed = spell::findGermanDictionaries(m_folders.value_or(spell::dictionaryFolders()));
    updateMenu();
}

void SpellSupport::openDictionary(const spell::Dictionary& dictionary, bool again)
{
    if (m_loader) {
        // Once installed, the copy being read gets the user's words as they are then.
        if (again)
            m_readAgain = true;
        else
            m_nextDictionary = dictionary;
        return;
    }
    struct Loaded
    {
        std::unique_ptr<spell::SpellChecker> checker;
        spell::UserWordList words;
    };
    // The thread works on its own copy of the word list; the first time it
    // reads the file as well.
    const bool readWords = !m_userWordsRead;
    auto loaded = std::make_shared<Loaded>(Loaded{nullptr, m_userWords});
    m_loader = QThread::create([dictionary, loaded, readWords] {
        loaded->checker = spell::HunspellChecker::open(dictionary, nullptr);
        if (readWords)
            loaded->words.load();
        if (loaded->checker)
            loaded->words.applyTo(*loaded->checker);
    });
    connect(m_loader, &QThread::finished, this, [this, loaded, readWords, dictionary] {
        const QString& name = dictionary.name;
        m_loader->deleteLater();
        m_loader = nullptr;
        if (readWords && !m_userWordsRead && loaded->words.path() == m_userWords.path()) {
            m_userWords = loaded->words;
            m_userWordsRead = true;
        }
        // The copy just read still knows a word the user has taken back since:
        // it never replaces the one in use, a fresh one does.
        if (std::exchange(m_readAgain, false) && name == m_dictionaryName) {
            openDictionary(dictionary, true);
            return;
        }
        // A checker set from outside (a test's stub) is not replaced.
        if (loaded->checker && (!m_checker || !m_dictionaryName.isEmpty())) {
            // Words added or another list chosen meanwhile are added here.
            const bool applied = loaded->words.path() == m_userWords.path() &&
                                 loaded->words.words() == m_userWords.words();
            installChecker(std::move(loaded->checker), name, applied);
        }
        if (m_nextDictionary) {
            const spell::Dictionary next = *std::exchange(m_nextDictionary, std::nullopt);
            if (next.name != m_dictionaryName)
                openDictionary(next);
        }
    });
    m_loader->start(QThread::LowPriority);
}

void SpellSupport::setChecker(std::unique_ptr<spell::SpellChecker> checker)
{
    installChecker(std::move(checker), QString(), false);
}

void SpellSupport::installChecker(std::unique_ptr<spell::SpellChecker> checker, const QString& name,
                                  bool wordsApplied)
{
    // The highlighter lets go of the old checker before it goes.
    const std::unique_ptr<spell::SpellChecker> old = std::exchange(m_checker, std::move(checker));
    m_dictionaryName = name;
    if (m_checker && !wordsApplied)
        m_userWords.applyTo(*m_checker);
    m_highlighter->setChecker(m_choices.underline ? m_checker.get() : nullptr);
    updateMenu();
    if (m_checker)
        emit checkerReady();
}

void SpellSupport::setUserWordList(const QString& path)
{
    m_userWords = spell::UserWordList(path);
    m_userWords.load();
    m_userWordsRead = true;
    if (m_checker)
        m_userWords.applyTo(*m_checker);
}

void SpellSupport::setDictionaryFolders(const QStringList& folders)
{
    m_folders = folders;
}

void SpellSupport::setChoices(const settings::SpellChoices& choices)
{
    const bool otherDictionary = choices.dictionary != m_choices.dictionary;
    m_choices = choices;
    m_highlighter->setChecker(m_choices.underline ? m_checker.get() : nullptr);
    if (otherDictionary && m_installed && !m_dictionaryName.isEmpty())
        if (const auto dictionary = spell::chooseDictionary(*m_installed, m_choices.dictionary))
            if (dictionary->name != m_dictionaryName)
                openDictionary(*dictionary);
    updateMenu();
}

void SpellSupport::attachMenu(QAction* check, QAction* underline, QMenu* dictionaries)
{
    m_checkAction = check;
    m_underlineAction = underline;
    m_dictionaryMenu = dictionaries;
    m_dictionaryMenu->setToolTipsVisible(true);
    m_underlineAction->setCheckable(true);
    // Tool tips in a menu show only when the menu allows them.
    for (QAction* action : {check, underline, dictionaries->menuAction()})
        for (QObject* menu : action->associatedObjects())
            if (auto* m = qobject_cast<QMenu*>(menu))
                m->setToolTipsVisible(true);
    connect(m_underlineAction, &QAction::triggered, this,
            [this](bool on) { m_guard([this, on] { underlineChosen(on); }); });
    updateMenu();
}

void SpellSupport::attachWordListEntry(QAction* edit)
{
    m_wordListAction = edit;
    for (QObject* menu : edit->associatedObjects())
        if (auto* m = qobject_cast<QMenu*>(menu))
            m->setToolTipsVisible(true);
    updateMenu();
}

void SpellSupport::updateMenu()
{
    if (!m_checkAction)
        return;
    const bool none = m_installed && m_installed->isEmpty() && !m_checker;
    const QString tip = none ? spell::dictionaryPackageHint() : QString();
    m_checkAction->setEnabled(m_checker != nullptr);
    m_underlineAction->setEnabled(m_checker != nullptr);
    m_underlineAction->setChecked(m_choices.underline);
    m_dictionaryMenu->menuAction()->setEnabled(m_installed && !m_installed->isEmpty());
    for (QAction* action : {m_checkAction, m_underlineAction, m_dictionaryMenu->menuAction()})
        action->setToolTip(tip.isEmpty() ? action->text().remove(QLatin1Char('&')) : tip);
    if (m_wordListAction) {
        m_wordListAction->setEnabled(m_checker != nullptr);
        m_wordListAction->setToolTip(tip.isEmpty() ? m_wordListAction->text() : tip);
    }

    m_dictionaryMenu->clear();
    if (!m_installed)
        return;
    QString current = m_dictionaryName;
    if (current.isEmpty())
        if (const auto chosen = spell::chooseDictionary(*m_installed, m_choices.dictionary))
            current = chosen->name;
    for (const spell::Dictionary& dictionary : *m_installed) {
        QAction* action =
            m_dictionaryMenu->addAction(spell::dictionaryDisplayName(dictionary.name));
        action->setObjectName(QStringLiteral("Woerterbuch_") + dictionary.name);
        action->setToolTip(dictionary.name);
        action->setCheckable(true);
        action->setChecked(dictionary.name == current);
        connect(action, &QAction::triggered, this, [this, name = dictionary.name] {
            m_guard([this, name] { dictionaryChosen(name); });
        });
    }
}

void SpellSupport::underlineChosen(bool on)
{
    m_choices.underline = on;
    m_highlighter->setChecker(on ? m_checker.get() : nullptr);
    emit choicesChanged(m_choices);
}

void SpellSupport::dictionaryChosen(const QString& name)
{
    m_choices.dictionary = name;
    if (m_installed)
        if (const auto dictionary = spell::chooseDictionary(*m_installed, name))
            if (dictionary->name != m_dictionaryName)
                openDictionary(*dictionary);
    // The clicked entry unticked itself when it was the ticked one.
    updateMenu();
    emit choicesChanged(m_choices);
}

void SpellSupport::ignore(const QString& word)
{
    m_highlighter->ignore(word);
}

bool SpellSupport::isIgnored(const QString& word) const
{
    return m_highlighter->isIgnored(word);
}

void SpellSupport::addToDictionary(const QString& word)
{
    // Read first, if the dictionary's thread has not yet: the file is written whole.
    if (!m_userWordsRead)
        m_userWordsRead = m_userWords.load();
    QString problem;
    if (!m_userWords.add(word, &problem))
        throw CommandError(QStringLiteral("Das Wörterbuch %1 kann nicht gespeichert werden: %2")
                               .arg(m_userWords.path(), problem));
    if (m_checker)
        m_checker->addWord(word);
    m_highlighter->recheckWord(word);
}

void SpellSupport::removeFromDictionary(const QString& word)
{
    QString problem;
    if (!m_userWords.remove(word, &problem))
        throw CommandError(QStringLiteral("Das Wörterbuch %1 kann nicht gespeichert werden: %2")
                               .arg(m_userWords.path(), problem));
    if (m_checker)
        m_checker->removeWord(word);
    m_highlighter->recheckWord(word);
    // The word was refused at once; if the dictionary knows it too, only a
    // fresh copy of the dictionary, with the list as it is now, knows it again.
    if (m_installed && !m_dictionaryName.isEmpty())
        for (const spell::Dictionary& dictionary : *m_installed)
            if (dictionary.name == m_dictionaryName)
                openDictionary(dictionary, true);
}

bool SpellSupport::guarded(const std::function<void()>& edit)
{
    bool done = false;
    m_guard([&] {
        edit();
        done = true;
    });
    return done;
}

bool SpellSupport::addUserWord(const QString& word)
{
    return guarded([&] { addToDictionary(word); });
}

bool SpellSupport::removeUserWord(const QString& word)
{
    return guarded([&] { removeFromDictionary(word); });
}

} // namespace quillory::app
