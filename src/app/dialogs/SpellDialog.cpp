#include "dialogs/SpellDialog.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

namespace quillory::app {
namespace {

/** A wrapping label of lines lines whose size never follows its text. */
void keepSize(QLabel* label, int lines)
{
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setFixedHeight(label->fontMetrics().lineSpacing() * lines);
}

} // namespace

SpellDialog::SpellDialog(QWidget* parent)
    : QDialog(parent), m_word(new QLabel(this)), m_replacement(new QLineEdit(this)),
      m_suggestions(new QListWidget(this)), m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("SpellDialog"));
    setWindowTitle(QStringLiteral("Rechtschreibung"));
    setModal(true);
    keepSize(m_word, 2);
    keepSize(m_note, 2);
    m_note->setObjectName(QStringLiteral("SpellNote"));

    const auto button = [this](const QString& text, SpellingAnswer::Action action) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, action] { answer(action); });
        return b;
    };
    QPushButton* change = button(QStringLiteral("Ändern"), SpellingAnswer::Change);
    QPushButton* ignore = button(QStringLiteral("Ignorieren"), SpellingAnswer::Ignore);
    QPushButton* next = button(QStringLiteral("Weiter"), SpellingAnswer::Next);
    QPushButton* close = button(QStringLiteral("Schließen"), SpellingAnswer::Close);
    QPushButton* add = button(QStringLiteral("Hinzufügen"), SpellingAnswer::Add);
    next->setDefault(true);

    auto* grid = new QGridLayout;
    auto* replacementLabel = new QLabel(QStringLiteral("Ä&ndern in:"), this);
    replacementLabel->setBuddy(m_replacement);
    auto* suggestionsLabel = new QLabel(QStringLiteral("&Vorschläge:"), this);
    suggestionsLabel->setBuddy(m_suggestions);
    grid->addWidget(m_word, 0, 0, 1, 2);
    grid->addWidget(replacementLabel, 1, 0);
    grid->addWidget(m_replacement, 1, 1);
    grid->addWidget(suggestionsLabel, 2, 0, Qt::AlignTop);
    grid->addWidget(m_suggestions, 2, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(add, 0, Qt::AlignTop);
    addRow->addWidget(m_note, 1);
    grid->addLayout(addRow, 3, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(change);
    buttons->addWidget(ignore);
    buttons->addWidget(next);
    buttons->addStretch();
    buttons->addWidget(close);

    // Tab goes through the word's lines first, then the buttons as they stand.
    QWidget* order[] = {m_replacement, m_suggestions, add, change, ignore, next, close};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Ändern needs a word to put in; a double click on a suggestion is Ändern at once.
    connect(m_replacement, &QLineEdit::textChanged, change,
            [change](const QString& text) { change->setEnabled(!text.trimmed().isEmpty()); });
    connect(m_suggestions, &QListWidget::currentTextChanged, m_replacement, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemActivated, this,
            [this] { answer(SpellingAnswer::Change); });

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
}

SpellingAnswer SpellDialog::ask(const QString& field, const QString& word,
                                const QStringList& suggestions, const QString& note)
{
    m_word->setText(QStringLiteral("Nicht im Wörterbuch (%1): %2").arg(field, word));
    m_note->setText(note);
    m_suggestions->clear();
    m_suggestions->addItems(suggestions);
    if (suggestions.isEmpty())
        m_replacement->setText(word);
    else
        m_suggestions->setCurrentRow(0);
    m_action = SpellingAnswer::Close;
    // Placed once, when it first shows; from then on it stays where it is
    // (or where the user moves it) until finish().
    if (!isVisible())
        show();
    raise();
    activateWindow();
    m_replacement->setFocus();
    m_replacement->selectAll();

    QEventLoop waiting;
    m_waiting = &waiting;
    const QPointer<SpellDialog> alive(this);
    waiting.exec(QEventLoop::DialogExec);
    if (!alive)
        return {};
    m_waiting = nullptr;
    return {m_action, m_replacement->text().trimmed()};
}

void SpellDialog::finish()
{
    hide();
}

void SpellDialog::answer(SpellingAnswer::Action action)
{
    m_action = action;
    if (action == SpellingAnswer::Close)
        QDialog::done(QDialog::Rejected);
    if (m_waiting)
        m_waiting->exit();
}

void SpellDialog::done(int result)
{
    m_action = SpellingAnswer::Close;
    QDialog::done(result);
    if (m_waiting)
        m_waiting->exit();
}

} // namespace quillory::app
