#include "support/ErrorReport.h"
#include "window/MainForm.h"
#include "widgets/MemoField.h"
#include "settings/SpellChoices.h"
#include "spell/SpellWalk.h"
#include "features/spelling/SpellSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
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

} // namespace

void MainForm::connectSpelling()
{
    m_spelling = new SpellSupport(
        Memo1, [this](const std::function<void()>& handler) { runGuarded(handler); }, this);
    m_spelling->attachMenu(Rechtschreibung1, Rechtschreibung2, Woerterbuch1);
    m_spelling->attachWordListEntry(WoerterbuchBearbeiten1);
    connect(Rechtschreibung1, &QAction::triggered, this,
            [this] { runGuarded([this] { Rechtschreibung1Click(); }); });
    connect(WoerterbuchBearbeiten1, &QAction::triggered, this,
            [this] { runGuarded([this] { m_prompts->editUserWords(*m_spelling); }); });
    connect(m_spelling, &SpellSupport::choicesChanged, this,
            [this](const settings::SpellChoices& choices) {
                runGuarded([this, &choices] {
                    // Not into a store whose reading failed: this run leaves it as it is.
                    if (!FormStorage1 || !FormStorage1->isRestored() || !m_settingsBackend)
                        return;
                    const QString error = choices.write(*m_settingsBackend);
                    if (!error.isEmpty())
                        throw CommandError(error);
                });
            });
}

void MainForm::restoreSpellChoices()
{
    if (m_settingsBackend)
        m_spelling->setChoices(settings::SpellChoices::read(*m_settingsBackend));
}

void MainForm::Rechtschreibung1Click()
{
    struct Field
    {
        QWidget* widget;
        QString title;
    };
    // By the keys of spell::checkedFields, which gives the order.
    const QHash<QString, Field> fields{
        {QStringLiteral("recipient.name"), {Edit1, QStringLiteral("Name des Empfängers")}},
        {QStringLiteral("recipient.extra"), {Edit2, QStringLiteral("Zusatzinformationen")}},
        {QStringLiteral("recipient.street"), {Edit3, QStringLiteral("Straße und Nummer")}},
        {QStringLiteral("recipient.city"), {Edit4, QStringLiteral("Postleitzahl und Ort")}},
        {QStringLiteral("recipient.country"), {Edit5, QStringLiteral("Zielland")}},
        {QStringLiteral("subject"), {Edit6, QStringLiteral("Betreff")}},
        {QStringLiteral("salutation"), {Edit7, QStringLiteral("Anrede")}},
        {QStringLiteral("body"), {Memo1, QStringLiteral("Brieftext")}},
        {QStringLiteral("closing"), {Edit8, QStringLiteral("Schlussformel")}},
        {QStringLiteral("signature"), {Edit9, QStringLiteral("Unterschrift")}},
    };
    // Selects [start, end) of the field, in view; a line edit replaces it on insert().
    const auto select = [this](QWidget* widget, int start, int end) {
        PageControl1->setCurrentWidget(TabSheet1);
        widget->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setSelection(start, end - start);
            return QTextCursor();
        }
        QTextCursor cursor(Memo1->document());
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        Memo1->setTextCursor(cursor);
        Memo1->ensureCursorVisible();
        return cursor;
    };

    // However the check ends, a failure included, its dialog goes with it.
    const auto ended = qScopeGuard([this] { m_prompts->endSpelling(); });
    spell::SpellWalk walk([this](const QString& word) { return m_spelling->isIgnored(word); });
    // A word added is said so, with the next word or at the end: nothing
    // else shows that a click went to "Hinzufügen".
    QString note;
    while (m_spelling->checker()) {
        const std::optional<spell::SpellWalk::Stop> stop = walk.next(
            *m_spelling->checker(), spell::checkedFields(letter(), RadioButton2->isChecked()));
        if (!stop)
            break;
        const QString& word = stop->word.word;
        const Field field = fields.value(stop->word.field);
        const int start = int(stop->position);
        QTextCursor cursor = select(field.widget, start, start + int(word.size()));
        const SpellingAnswer answer =
            m_prompts->askSpelling(field.title, word, stop->word.suggestions, note);
        note.clear();
        switch (answer.action) {
        case SpellingAnswer::Change:
            if (answer.replacement.isEmpty() || answer.replacement == word) {
                walk.pass();
                break;
            }
            // An edit of that field like typing: one undo step, and the
            // field's change signal marks the letter modified.
            if (auto* edit = qobject_cast<QLineEdit*>(field.widget)) {
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
    m_prompts->showInfo(note.isEmpty() ? kCheckDone : note + QLatin1Char('\n') + kCheckDone);
}

} // namespace quillory::app
