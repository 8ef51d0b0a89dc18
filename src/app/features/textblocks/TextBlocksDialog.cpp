#include "features/textblocks/TextBlocksDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory::app {

TextBlocksDialog::TextBlocksDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TextbausteineDialog"));
    setWindowTitle(QStringLiteral("Textbausteine verwalten"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("TextbausteinListe"));
    m_rename = new QPushButton(QStringLiteral("Umbenennen..."), this);
    m_rename->setObjectName(QStringLiteral("TextbausteinUmbenennen"));
    m_delete = new QPushButton(QStringLiteral("Löschen"), this);
    m_delete->setObjectName(QStringLiteral("TextbausteinLoeschen"));
    auto* folder = new QPushButton(QStringLiteral("Ordner öffnen"), this);
    folder->setObjectName(QStringLiteral("TextbausteinOrdner"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto* side = new QVBoxLayout;
    side->addWidget(m_rename);
    side->addWidget(m_delete);
    side->addWidget(folder);
    side->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_rename->setEnabled(row >= 0);
        m_delete->setEnabled(row >= 0);
    });
    connect(m_rename, &QPushButton::clicked, this, [this] { emit renameBlock(chosen()); });
    connect(m_list, &QListWidget::itemActivated, this, [this] { emit renameBlock(chosen()); });
    connect(m_delete, &QPushButton::clicked, this, [this] { emit deleteBlock(chosen()); });
    connect(folder, &QPushButton::clicked, this, &TextBlocksDialog::openFolder);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showNames({}, QString());
}

void TextBlocksDialog::showNames(const QStringList& names, const QString& current)
{
    m_list->clear();
    m_list->addItems(names);
    const int row = int(names.indexOf(current));
    m_list->setCurrentRow(row >= 0 ? row : (names.isEmpty() ? -1 : 0));
    m_rename->setEnabled(m_list->currentRow() >= 0);
    m_delete->setEnabled(m_list->currentRow() >= 0);
}

QString TextBlocksDialog::chosen() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

} // namespace quillory::app
