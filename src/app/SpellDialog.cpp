#include "SpellDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory::app {

SpellDialog::SpellDialog(QWidget* parent)
    : QDialog(parent), m_word(new QLabel(this)), m_replacement(new QLineEdit(this)),
      m_suggestions(new QListWidget(this))
{
    setObjectName(QStringLiteral("SpellDialog"));
    setWindowTitle(QStringLiteral("Rechtschreibung"));
    m_word->setTextFormat(Qt::PlainText);
    m_word->setWordWrap(true);

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

    auto* buttons = new QVBoxLayout;
    const auto button = [&](const QString& text, SpellingAnswer::Action action) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, action] { answer(action); });
        buttons->addWidget(b);
        return b;
    };
    QPushButton* change = button(QStringLiteral("Ändern"), SpellingAnswer::Change);
    button(QStringLiteral("Ignorieren"), SpellingAnswer::Ignore);
    button(QStringLiteral("Hinzufügen"), SpellingAnswer::Add);
    QPushButton* next = button(QStringLiteral("Weiter"), SpellingAnswer::Next);
    buttons->addStretch();
    button(QStringLiteral("Schließen"), SpellingAnswer::Close);
    next->setDefault(true);

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
                                const QStringList& suggestions)
{
    m_word->setText(QStringLiteral("Nicht im Wörterbuch (%1): %2").arg(field, word));
    m_suggestions->clear();
    m_suggestions->addItems(suggestions);
    if (suggestions.isEmpty())
        m_replacement->setText(word);
    else
        m_suggestions->setCurrentRow(0);
    m_replacement->setFocus();
    m_replacement->selectAll();
    m_action = SpellingAnswer::Close;
    exec();
    return {m_action, m_replacement->text().trimmed()};
}

void SpellDialog::answer(SpellingAnswer::Action action)
{
    m_action = action;
    done(action == SpellingAnswer::Close ? QDialog::Rejected : QDialog::Accepted);
}

} // namespace quillory::app
