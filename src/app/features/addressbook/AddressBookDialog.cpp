#include "features/addressbook/AddressBookDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillory::app {
namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* pushButton = new QPushButton(text, parent);
    pushButton->setObjectName(QLatin1StringView(name));
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

AddressBookDialog::AddressBookDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AdressbuchDialog"));
    setWindowTitle(QStringLiteral("Adressbuch"));
    // Beside the letter, to take one entry after another while writing.
    setModal(false);
    resize(720, 420);

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("AdressSuche"));
    m_search->setPlaceholderText(QStringLiteral("Suchen..."));
    m_search->setClearButtonEnabled(true);
    m_group = new QComboBox(this);
    m_group->setObjectName(QStringLiteral("AdressGruppe"));
    m_group->addItem(QStringLiteral("Alle Gruppen"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("AdressListe"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Straße"),
                             QStringLiteral("Ort"), QStringLiteral("E-Mail"),
                             QStringLiteral("Gruppen")});

    auto* take = button(this, "AdresseUebernehmen", QStringLiteral("In den Brief übernehmen"));
    auto* edit = button(this, "AdresseBearbeiten", QStringLiteral("Bearbeiten..."));
    auto* remove = button(this, "AdresseLoeschen", QStringLiteral("Löschen"));
    auto* import = button(this, "AdressenImportieren", QStringLiteral("Importieren..."));
    auto* exportButton = button(this, "AdressenExportieren", QStringLiteral("Exportieren..."));
    auto* close = button(this, "AdressbuchSchliessen", QStringLiteral("Schließen"));

    auto* filters = new QHBoxLayout;
    filters->addWidget(m_search, 1);
    filters->addWidget(m_group);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* each : {take, edit, remove, import, exportButton})
        buttons->addWidget(each);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &AddressBookDialog::filterChanged);
    connect(m_group, &QComboBox::currentIndexChanged, this, &AddressBookDialog::filterChanged);
    const auto withCurrent = [this](void (AddressBookDialog::*signal)(qint64)) {
        return [this, signal] {
            if (const qint64 id = currentId())
                emit(this->*signal)(id);
        };
    };
    connect(take, &QPushButton::clicked, this, withCurrent(&AddressBookDialog::takeRequested));
    connect(m_list, &QTreeWidget::itemActivated, this,
            withCurrent(&AddressBookDialog::takeRequested));
    connect(edit, &QPushButton::clicked, this, withCurrent(&AddressBookDialog::editRequested));
    connect(remove, &QPushButton::clicked, this, withCurrent(&AddressBookDialog::deleteRequested));
    connect(import, &QPushButton::clicked, this, &AddressBookDialog::importRequested);
    connect(exportButton, &QPushButton::clicked, this, &AddressBookDialog::exportRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void AddressBookDialog::showEntries(const std::vector<records::Entry>& entries,
                                    const QStringList& groups)
{
    const qint64 current = currentId();
    m_entries = entries;
    m_list->clear();
    for (const records::Entry& entry : m_entries) {
        auto* item =
            new QTreeWidgetItem(m_list, {entry.lines[0], entry.lines[2], entry.lines[3],
                                         entry.email, entry.groups.join(QStringLiteral(", "))});
        item->setData(0, Qt::UserRole, entry.id);
        if (entry.id == current)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));

    // Refilling the filter must not filter again while it is refilled.
    const QString chosen = group();
    const QSignalBlocker blocker(m_group);
    while (m_group->count() > 1)
        m_group->removeItem(1);
    m_group->addItems(groups);
    m_group->setCurrentIndex(std::max(0, m_group->findText(chosen)));
}

QString AddressBookDialog::searchText() const
{
    return m_search->text();
}

QString AddressBookDialog::group() const
{
    return m_group->currentIndex() > 0 ? m_group->currentText() : QString();
}

qint64 AddressBookDialog::currentId() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

bool AddressBookDialog::editEntry(QWidget* parent, records::Entry& entry)
{
    QDialog form(parent);
    form.setObjectName(QStringLiteral("AdresseBearbeitenDialog"));
    form.setWindowTitle(QStringLiteral("Eintrag bearbeiten"));
    auto* layout = new QFormLayout(&form);
    const auto field = [&](const QString& label, const QString& value) {
        auto* edit = new QLineEdit(value, &form);
        layout->addRow(label, edit);
        return edit;
    };
    QLineEdit* salutation = field(QStringLiteral("Anrede:"), entry.salutation);
    QLineEdit* title = field(QStringLiteral("Titel:"), entry.title);
    QLineEdit* firstName = field(QStringLiteral("Vorname:"), entry.firstName);
    QLineEdit* surname = field(QStringLiteral("Nachname:"), entry.surname);
    QLineEdit* company = field(QStringLiteral("Firma:"), entry.company);
    std::array<QLineEdit*, 5> lines{};
    for (size_t i = 0; i < lines.size(); ++i)
        lines[i] = field(QStringLiteral("Anschrift %1:").arg(i + 1), entry.lines[i]);
    QLineEdit* email = field(QStringLiteral("E-Mail:"), entry.email);
    QLineEdit* note = field(QStringLiteral("Notiz:"), entry.note);
    QLineEdit* groups = field(QStringLiteral("Gruppen:"), entry.groups.join(QStringLiteral(", ")));
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    layout->addRow(box);
    connect(box, &QDialogButtonBox::accepted, &form, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    if (form.exec() != QDialog::Accepted)
        return false;

    entry.salutation = salutation->text().trimmed();
    entry.title = title->text().trimmed();
    entry.firstName = firstName->text().trimmed();
    entry.surname = surname->text().trimmed();
    entry.company = company->text().trimmed();
    for (size_t i = 0; i < lines.size(); ++i)
        entry.lines[i] = lines[i]->text();
    entry.email = email->text().trimmed();
    entry.note = note->text();
    entry.groups = records::normalizedGroups(groups->text().split(QLatin1Char(',')));
    return true;
}

} // namespace quillory::app
