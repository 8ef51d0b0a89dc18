#include "features/spelling/SpellingPart.h"

#include "features/spelling/SpellSupport.h"
#include "output/LetterPrinter.h"
#include "settings/SpellChoices.h"
#include "spell/SpellWalk.h"
#include "spell/UnknownWords.h"
#include "window/TextFields.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTextCursor>

// The window's side of spell checking: the menu entries, the walk of
// "Rechtschreibung prüfen..." through the fields, and the choices kept per
// user. Which word comes next is the core's (spell::SpellWalk); here it is
// only shown in its field and changed there.

namespace quillory::app {
namespace {

const QString kCheckDone = QStringLiteral("Die Rechtschreibprüfung ist abgeschlossen.");
const QString kWordAdded = QStringLiteral("„%1“ wurde zum Wörterbuch hinzugefügt.");

QAction* entry(QObject* owner, const char* name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QLatin1StringView(name));
    return action;
}

} // namespace

SpellingPart::SpellingPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("SpellingPart"))
{
    window.addPart(this);
    auto* body = qobject_cast<QPlainTextEdit*>(window.textField(QStringLiteral("body")));
    m_spelling = new SpellSupport(
        body, [&window](const std::function<void()>& handler) { window.runGuarded(handler); },
        this);

    QAction* check = entry(this, "Rechtschreibung1", QStringLiteral("Rechtschreibung prüfen..."));
    check->setShortcut(QKeySequence(Qt::Key_F7));
    QAction* underline = entry(this, "Rechtschreibung2",
                               QStringLiteral("Rechtschreibung während der Eingabe prüfen"));
    auto* dictionaries = new QMenu(QStringLiteral("Wörterbuch"), window.widget());
    dictionaries->setObjectName(QStringLiteral("Woerterbuch1"));
    QAction* wordList =
        entry(this, "WoerterbuchBearbeiten1", QStringLiteral("Wörterbuch bearbeiten..."));
    // In the menu before they are attached: the menu's tool tips are turned on then.
    for (QAction* action : {check, underline, dictionaries->menuAction(), wordList})
        window.addMenuEntry(LetterWindow::MenuPlace::EditingEnd, action);
    m_spelling->attachMenu(check, underline, dictionaries);
    m_spelling->attachWordListEntry(wordList);

    connectGuarded(check, &QAction::triggered, [this] { checkLetter(); });
    connectGuarded(wordList, &QAction::triggered,
                   [this] { this->window().prompts().editUserWords(*m_spelling); });
    connectGuarded(m_spelling, &SpellSupport::choicesChanged, [this] {
        saveSettings([this](settings::SettingsBackend& store) {
            return m_spelling->choices().write(store);
        });
    });
}

void SpellingPart::restoreSettings(const settings::ViewChoices&)
{
    m_spelling->setChoices(settings::SpellChoices::read(window().settingsStore()));
}

void SpellingPart::windowShown()
{
    m_spelling->loadDictionaryLater();
}

QTextCursor SpellingPart::select(QWidget* field, int start, int end)
{
    // The letter's tab, wherever it is shown: its tab widget is an ancestor.
    QWidget* tab = window().place(LetterWindow::Place::LetterTab);
    for (QWidget* above = tab->parentWidget(); above; above = above->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(above)) {
            tabs->setCurrentWidget(tab);
            break;
        }
    field->setFocus();
    // A line edit replaces its selection on insert().
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setSelection(start, end - start);
        return QTextCursor();
    }
    auto* memo = qobject_cast<QPlainTextEdit*>(field);
    QTextCursor cursor(memo->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    memo->ensureCursorVisible();
    return cursor;
}

void SpellingPart::checkLetter()
{
    LetterWindow& window = this->window();
    // However the check ends, a failure included, its dialog goes with it.
    const auto ended = qScopeGuard([&window] { window.prompts().endSpelling(); });
    spell::SpellWalk walk([this](const QString& word) { return m_spelling->isIgnored(word); });
    // A word added is said so, with the next word or at the end: nothing
    // else shows that a click went to "Hinzufügen".
    QString note;
    while (m_spelling->checker()) {
        // The signature's text is checked while it is printed in place of the sender's name.
        const bool signatureText = !window.printRequest(false).view.signatureIsSenderName;
        const std::optional<spell::SpellWalk::Stop> stop =
            walk.next(*m_spelling->checker(), spell::checkedFields(window.letter(), signatureText));
        if (!stop)
            break;
        const QString& word = stop->word.word;
        const TextField* field = textFieldByKey(stop->word.field);
        QWidget* widget = window.textField(stop->word.field);
        if (!field || !widget) {
            walk.pass();
            continue;
        }
        const int start = int(stop->position);
        QTextCursor cursor = select(widget, start, start + int(word.size()));
        const SpellingAnswer answer = window.prompts().askSpelling(
            QString::fromUtf8(field->title), word, stop->word.suggestions, note);
        note.clear();
        switch (answer.action) {
        case SpellingAnswer::Change:
            if (answer.replacement.isEmpty() || answer.replacement == word) {
                walk.pass();
                break;
            }
            // An edit of that field like typing: one undo step, and the
            // field's change signal marks the letter modified.
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                edit->insert(answer.replacement);
            } else {
                cursor.beginEditBlock();
                cursor.insertText(answer.replacement);
                cursor.endEditBlock();
            }
            walk.replaced(answer.replacement);
            break;
        case SpellingAnswer::Ignore:
            m_spelling->ignore(word);
            walk.pass();
            break;
        case SpellingAnswer::Add:
            m_spelling->addToDictionary(word);
            note = kWordAdded.arg(word);
            walk.pass();
            break;
        case SpellingAnswer::Next:
            walk.pass();
            break;
        case SpellingAnswer::Close:
            return;
        }
    }
    window.prompts().showInfo(note.isEmpty() ? kCheckDone : note + QLatin1Char('\n') + kCheckDone);
}

} // namespace quillory::app
