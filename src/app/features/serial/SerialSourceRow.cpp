// Where the dialog's records come from: a table's file or the address book,
// all of it or one group.
#include "features/serial/SerialLetterDialog.h"

#include "records/AddressTable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace quillory::app {
namespace {

enum Source { TableFile, AddressBook };

} // namespace

QLayout* SerialLetterDialog::buildSourceRow(QWidget* parent)
{
    QuelleCombo = new QComboBox(parent);
    QuelleCombo->setObjectName(QStringLiteral("QuelleCombo"));
    QuelleCombo->addItems({QStringLiteral("Tabelle"), QStringLiteral("Adressbuch")});
    GruppeCombo = new QComboBox(parent);
    GruppeCombo->setObjectName(QStringLiteral("GruppeCombo"));
    GruppeCombo->setMinimumContentsLength(12);
    GruppeCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* row = new QHBoxLayout;
    row->addWidget(QuelleCombo);
    row->addWidget(GruppeCombo, 1);

    const auto chosen = [this] {
        if (m_quiet)
            return;
        if (QuelleCombo->currentIndex() == AddressBook) {
            emit addressBookChosen(GruppeCombo->currentIndex() > 0 ? GruppeCombo->currentText()
                                                                   : QString());
            return;
        }
        // Back to a file: the address book lets go, and a file is to be chosen.
        showSource(false);
        if (LoesenButton->isEnabled())
            emit detach();
    };
    connect(QuelleCombo, &QComboBox::currentIndexChanged, this, chosen);
    connect(GruppeCombo, &QComboBox::currentIndexChanged, this, chosen);
    return row;
}

void SerialLetterDialog::showSource(bool addressBook)
{
    m_quiet = true;
    QuelleCombo->setCurrentIndex(addressBook ? AddressBook : TableFile);
    if (!addressBook) {
        GruppeCombo->clear();
        GruppeCombo->addItem(QStringLiteral("Alle"));
    }
    m_quiet = false;
    GruppeCombo->setEnabled(addressBook);
    for (QWidget* w : std::initializer_list<QWidget*>{TabelleEdit, AuswaehlenButton,
                                                      TrennzeichenCombo, ZeichensatzCombo})
        w->setEnabled(!addressBook);
}

void SerialLetterDialog::showAddressBook(const QString& group, const QStringList& groups,
                                         const merge::CsvTable& table)
{
    showTable(records::addressTableName(group), table);
    showSource(true);
    m_quiet = true;
    GruppeCombo->clear();
    GruppeCombo->addItem(QStringLiteral("Alle"));
    GruppeCombo->addItems(groups);
    GruppeCombo->setCurrentIndex(std::max(0, int(GruppeCombo->findText(group))));
    m_quiet = false;
}

} // namespace quillory::app
