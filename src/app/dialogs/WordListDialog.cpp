#include "dialogs/WordListDialog.h"

#include "window/Prompts.h"

#include <QCollator>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace quillory::app {

WordListDialog::WordListDialog(UserWordEditor& words, QWidget* parent)
    : QDialog(parent), m_words(words), m_filter(new QLineEdit(this)), m_list(new QListWidget(this)),
      m_remove(new QPushButton(QStringLiteral("&Entfernen"), this)), m_newWord(new QLineEdit(this)),
      m_add(new QPushButton(QStringLiteral("&Hinzufügen"), this))
{
    setObjectName(QStringLiteral("WordListDialog"));
    setWindowTitle(QStringLiteral("Wörterbuch bearbeiten"));
    m_filter->setObjectName(QStringLiteral("WordFilter"));
    m_filter->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("WordList"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_newWord->setObjectName(QStringLiteral("NewWord"));
    // Return in a line must not close the dialog through a default button.
    for (QPushButton* button : {m_remove, m_add})
        button->setAutoDefault(false);
    m_remove->setEnabled(false);
    m_add->setEnabled(false);

    auto* filterLabel = new QLabel(QStringLiteral("&Suchen:"), this);
    filterLabel->setBuddy(m_filter);
    auto* listLabel = new QLabel(QStringLiteral("Ihre eigenen &Wörter:"), this);
    listLabel->setBuddy(m_list);
    auto* newLabel = new QLabel(QStringLiteral("&Neues Wort:"), this);
    newLabel->setBuddy(m_newWord);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
    close->button(QDialogButtonBox::Close)->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(filterLabel, 0, 0);
    grid->addWidget(m_filter, 0, 1);
    grid->addWidget(listLabel, 1, 0, 1, 3);
    grid->addWidget(m_list, 2, 0, 1, 2);
    grid->addWidget(m_remove, 2, 2, Qt::AlignTop);
    grid->addWidget(newLabel, 3, 0);
    grid->addWidget(m_newWord, 3, 1);
    grid->addWidget(m_add, 3, 2);
    grid->addWidget(close, 4, 0, 1, 3);

    connect(m_filter, &QLineEdit::textChanged, this, &WordListDialog::applyFilter);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_remove->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_remove, &QPushButton::clicked, this, &WordListDialog::removeSelected);
    // A line with a space in it is no word: no tokenizer ever hands it to the checker.
    connect(m_newWord, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString word = text.trimmed();
        m_add->setEnabled(!word.isEmpty() &&
                          !word.contains(QRegularExpression(QStringLiteral("\\s"))));
    });
    connect(m_newWord, &QLineEdit::returnPressed, this, &WordListDialog::addTyped);
    connect(m_add, &QPushButton::clicked, this, &WordListDialog::addTyped);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

    fill();
    m_filter->setFocus();
}

void WordListDialog::fill(const QString& select)
{
    QStringList words = m_words.userWords();
    QCollator order(QLocale(QLocale::German));
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(words.begin(), words.end(), order);
    m_list->clear();
    m_list->addItems(words);
    applyFilter();
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->text() == select) {
            m_list->setCurrentRow(row);
            m_list->scrollToItem(m_list->item(row));
        }
    }
}

void WordListDialog::applyFilter()
{
    const QString filter = m_filter->text().trimmed();
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        item->setHidden(!item->text().contains(filter, Qt::CaseInsensitive));
        if (item->isHidden())
            item->setSelected(false);
    }
}

void WordListDialog::removeSelected()
{
    QStringList chosen;
    for (const QListWidgetItem* item : m_list->selectedItems())
        chosen << item->text();
    // One failure is reported once; the words after it stay for another try.
    for (const QString& word : chosen)
        if (!m_words.removeUserWord(word))
            break;
    fill();
}

void WordListDialog::addTyped()
{
    if (!m_add->isEnabled())
        return;
    const QString word = m_newWord->text().trimmed();
    if (!m_words.addUserWord(word))
        return;
    m_newWord->clear();
    // The new word is shown even when the filter would have hidden it.
    m_filter->clear();
    fill(word);
}

} // namespace quillory::app
