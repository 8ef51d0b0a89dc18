#include "features/addressbook/AddressBookPart.h"
#include "features/addressbook/RecipientUndo.h"

#include "document/SafeWrite.h"
#include "features/addressbook/AddressBookDialog.h"
#include "features/addressbook/CsvMappingDialog.h"
#include "merge/CsvTable.h"
#include "records/AddressBook.h"
#include "records/AddressCsv.h"
#include "records/SearchFold.h"
#include "records/VCard.h"
#include "settings/SettingsBackend.h"
#include "support/ErrorReport.h"
#include "support/SharedRecords.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardItemModel>

namespace quillory::app {
namespace {

const QString kLineKeys[] = {QStringLiteral("recipient.name"), QStringLiteral("recipient.extra"),
                             QStringLiteral("recipient.street"), QStringLiteral("recipient.city"),
                             QStringLiteral("recipient.country")};

/** An address file is read and written as vCard by its suffix, otherwise as a table. */
bool isVCard(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("vcf"), Qt::CaseInsensitive) == 0;
}

/** What the completion shows of an entry: its first line and where it is. */
QString offeredText(const records::Entry& entry)
{
    QStringList parts{entry.lines[0]};
    for (const QString& more : {entry.lines[2], entry.lines[3], entry.email})
        if (!more.trimmed().isEmpty())
            parts << more.trimmed();
    return parts.join(QStringLiteral(", "));
}

const QString kGroup = QStringLiteral("Adressbuch");
const QString kMappingKey = QStringLiteral("Spaltenzuordnung");

bool sameLine(const QString& a, const QString& b)
{
    return records::foldForSearch(a.simplified()) == records::foldForSearch(b.simplified());
}

QAction* entry(QObject* owner, const char* name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QLatin1StringView(name));
    return action;
}

} // namespace

AddressBookPart::AddressBookPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("AddressBook"))
{
    window.addPart(this);
    for (size_t i = 0; i < m_lines.size(); ++i)
        m_lines[i] = qobject_cast<QLineEdit*>(window.textField(kLineKeys[i]));

    QAction* store =
        entry(this, "EmpfaengerInsAdressbuch1", QStringLiteral("Empfänger ins Adressbuch"));
    QAction* open = entry(this, "Adressbuch1", QStringLiteral("Adressbuch..."));
    window.addMenuEntry(LetterWindow::MenuPlace::FileAfterOpen, open);
    window.addMenuEntry(LetterWindow::MenuPlace::FileAfterOpen, store);
    connectGuarded(store, &QAction::triggered, [this] { storeRecipient(); });
    connectGuarded(open, &QAction::triggered, [this] { openDialog(); });

    if (!m_lines[0])
        return;
    // The rows are the book's own choice already: the completer only shows them.
    m_model = new QStandardItemModel(this);
    m_completer = new QCompleter(m_model, this);
    m_completer->setObjectName(QStringLiteral("AdressVervollstaendigung"));
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(kOffered);
    // Not the field's own completer, which would put the row's text in the line.
    m_completer->setWidget(m_lines[0]);
    m_undo = new RecipientUndo(m_lines, this);
    connectGuarded(m_lines[0], &QLineEdit::textEdited, [this](const QString& text) {
        if (!m_filling)
            offerCompletions(text);
    });
    connectGuarded(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated),
                   [this](const QModelIndex& index) { completionChosen(index.row()); });
}

AddressBookPart::~AddressBookPart() = default;

records::AddressBook& AddressBookPart::book()
{
    if (!m_book) {
        records::Database* database = SharedRecords::of(window()).database();
        // SharedRecords has said why already.
        if (!database)
            throw CommandError(QStringLiteral("Das Adressbuch ist nicht verfügbar"));
        m_book = std::make_unique<records::AddressBook>(*database);
    }
    return *m_book;
}

void AddressBookPart::check(bool ok)
{
    if (!ok)
        throw CommandError(m_book->errorString());
}

void AddressBookPart::offerCompletions(const QString& typed)
{
    m_offered.clear();
    m_model->clear();
    if (!typed.trimmed().isEmpty()) {
        // A book that cannot be opened leaves the line to plain typing.
        if (!m_book && !SharedRecords::of(window()).database())
            return;
        m_offered = book().complete(typed, kOffered);
    }
    for (const records::Entry& offered : m_offered)
        m_model->appendRow(new QStandardItem(offeredText(offered)));
    if (m_offered.empty()) {
        m_completer->popup()->hide();
        return;
    }
    m_completer->complete();
}

void AddressBookPart::completionChosen(int row)
{
    if (row < 0 || row >= static_cast<int>(m_offered.size()))
        return;
    const records::Entry chosen = m_offered[static_cast<size_t>(row)];
    takeEntry(chosen);
}

void AddressBookPart::storeRecipient()
{
    const document::Letter letter = window().letter();
    records::Entry recipient;
    recipient.lines = {letter.recipientName, letter.recipientExtra, letter.recipientStreet,
                       letter.recipientCity, letter.recipientCountry};
    if (recipient.lines[0].trimmed().isEmpty())
        throw CommandError(QStringLiteral("Der Empfänger hat keinen Namen"));
    records::AddressBook& addresses = book();
    // The same name at the same address is the entry to bring up to date.
    for (records::Entry& stored : addresses.complete(recipient.lines[0], 50)) {
        if (sameLine(stored.lines[0], recipient.lines[0]) &&
            sameLine(stored.lines[2], recipient.lines[2]) &&
            sameLine(stored.lines[3], recipient.lines[3])) {
            stored.lines = recipient.lines;
            check(addresses.update(stored));
            recipient.id = stored.id;
            break;
        }
    }
    if (recipient.id == 0) {
        const std::optional<qint64> id = addresses.add(recipient);
        check(id.has_value());
    }
    showEntries();
    window().showStatus(QStringLiteral("Empfänger ins Adressbuch übernommen"),
                        LetterWindow::kStatusNoteMs);
}

void AddressBookPart::openDialog()
{
    if (!m_dialog) {
        m_dialog = new AddressBookDialog(window().widget());
        AddressBookDialog* dialog = m_dialog.data();
        connectGuarded(dialog, &AddressBookDialog::filterChanged, [this] { showEntries(false); });
        connectGuarded(dialog, &AddressBookDialog::takeRequested,
                       [this](qint64 id) { takeStored(id); });
        connectGuarded(dialog, &AddressBookDialog::editRequested,
                       [this](qint64 id) { editEntry(id); });
        connectGuarded(dialog, &AddressBookDialog::deleteRequested,
                       [this](qint64 id) { deleteEntry(id); });
        connectGuarded(dialog, &AddressBookDialog::importRequested, [this] { importFile(); });
        connectGuarded(dialog, &AddressBookDialog::exportRequested, [this] { exportFile(); });
    }
    book();
    showEntries();
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void AddressBookPart::showEntries(bool changed)
{
    if (!m_dialog)
        return;
    records::AddressBook& addresses = book();
    const QString group = m_dialog->group();
    const QString typed = m_dialog->searchText();
    std::vector<records::Entry> shown;
    if (typed.trimmed().isEmpty())
        shown = addresses.list(group);
    else
        for (records::Entry& found : addresses.complete(typed, std::max(1, addresses.count())))
            if (group.isEmpty() || found.groups.contains(group))
                shown.push_back(std::move(found));
    // The groups are read again only when the entries changed, not on every key of the search.
    if (changed || m_groups.isEmpty()) {
        const bool all = typed.trimmed().isEmpty() && group.isEmpty();
        m_groups.clear();
        for (const records::Entry& each : all ? shown : addresses.list())
            m_groups += each.groups;
        m_groups.removeDuplicates();
        m_groups.sort(Qt::CaseInsensitive);
    }
    m_dialog->showEntries(shown, m_groups);
}

void AddressBookPart::takeStored(qint64 id)
{
    const std::optional<records::Entry> stored = book().find(id);
    check(stored.has_value());
    takeEntry(*stored);
    window().showStatus(QStringLiteral("Empfänger aus dem Adressbuch übernommen"),
                        LetterWindow::kStatusNoteMs);
}

void AddressBookPart::editEntry(qint64 id)
{
    std::optional<records::Entry> stored = book().find(id);
    check(stored.has_value());
    if (!AddressBookDialog::editEntry(m_dialog, *stored))
        return;
    check(book().update(*stored));
    showEntries();
}

void AddressBookPart::deleteEntry(qint64 id)
{
    const std::optional<records::Entry> stored = book().find(id);
    check(stored.has_value());
    if (!window().prompts().confirmDiscard(
            QStringLiteral("Den Eintrag „%1“ aus dem Adressbuch löschen?").arg(stored->lines[0])))
        return;
    check(book().remove(id));
    showEntries();
}

void AddressBookPart::importFile()
{
    const QString path =
        window().prompts().nextFileName(Prompts::FileKind::Addresses, m_importName);
    if (path.isEmpty())
        return;
    std::vector<records::Entry> entries;
    QStringList warnings;
    if (isVCard(path)) {
        const auto bytes = document::readWholeFile(path, 64 * 1024 * 1024);
        if (!bytes)
            throw CommandError(bytes.error().message());
        records::VCardResult cards = records::readVCards(*bytes);
        if (!cards.error.isEmpty())
            throw CommandError(cards.error);
        entries = std::move(cards.entries);
        warnings = cards.warnings;
    } else {
        const merge::CsvResult table = merge::readCsvFile(path);
        if (!table)
            throw CommandError(table.error.text());
        const QStringList& columns = table.table->columns;
        const std::optional<QString> mapping = CsvMappingDialog::ask(
            m_dialog ? m_dialog.data() : window().widget(), columns, m_mapping);
        if (!mapping)
            return;
        records::CsvEntries read = records::entriesFromCsv(*table.table, *mapping);
        if (!read.error.isEmpty())
            throw CommandError(read.error);
        entries = std::move(read.entries);
        rememberMapping(CsvMappingDialog::remember(m_mapping, *mapping, columns));
    }
    const std::optional<records::AddressBook::ImportCount> count = book().import(entries);
    check(count.has_value());
    showEntries();
    window().showStatus(QStringLiteral("%1 Einträge hinzugefügt, %2 zusammengeführt")
                            .arg(count->added)
                            .arg(count->merged),
                        LetterWindow::kStatusNoteMs);
    if (!warnings.isEmpty())
        window().prompts().showInfo(warnings.join(QLatin1Char('\n')));
}

void AddressBookPart::restoreSettings(const settings::ViewChoices&)
{
    const settings::StoredValue stored = window().settingsStore().readIn(kGroup, kMappingKey);
    m_mapping = stored.kind == settings::StoredValue::Text ? stored.text.trimmed() : QString();
}

void AddressBookPart::rememberMapping(const QString& mapping)
{
    if (mapping == m_mapping)
        return;
    saveSettings([&mapping](settings::SettingsBackend& store) {
        return store.writeIn(kGroup, kMappingKey, mapping) && store.flush()
                   ? QString()
                   : QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(kMappingKey);
    });
    m_mapping = mapping;
}

void AddressBookPart::exportFile()
{
    if (!m_dialog)
        return;
    const QString path =
        window().prompts().nextFileName(Prompts::FileKind::AddressOut, m_exportName);
    if (path.isEmpty())
        return;
    // The book's own file and what was read into it are never written over.
    window().refuseInputAsOutput(path, {SharedRecords::of(window()).path(), m_importName});
    const std::vector<records::Entry>& entries = m_dialog->entries();
    const QByteArray bytes =
        isVCard(path) ? records::writeVCards(entries) : records::entriesToCsv(entries);
    if (const document::FileError error = document::writeWholeFile(path, bytes))
        throw CommandError(error.message());
    window().showStatus(QStringLiteral("%1 Einträge exportiert nach „%2“")
                            .arg(entries.size())
                            .arg(QDir::toNativeSeparators(path)),
                        LetterWindow::kStatusNoteMs);
}

} // namespace quillory::app
