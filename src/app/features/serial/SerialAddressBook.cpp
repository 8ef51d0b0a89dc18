// The address book's entries as the records of a serial letter: chosen in
// the dialog, or kept with the letter and read again when it is opened, so
// that a letter goes to the entries as they are then.
#include "features/serial/SerialLetterDialog.h"
#include "features/serial/SerialLetterPart.h"
#include "records/AddressBook.h"
#include "records/AddressTable.h"
#include "support/SharedRecords.h"

namespace quillory::app {

QString SerialLetterPart::attachAddressBook(const QString& group, bool byUser)
{
    using Attachment = document::Letter::SerialAttachment;
    records::Database* database = SharedRecords::of(window()).database();
    if (!database)
        return QStringLiteral("Das Adressbuch ist nicht verfügbar.");
    records::AddressBook book(*database);
    records::AddressTable read = records::addressTable(book, group);
    const QStringList groups = records::groupsOf(book.list());
    if (!read) {
        // What was attached stays, and the dialog shows it again.
        if (m_dialog && m_table && m_attached.isAddressBook())
            m_dialog->showAddressBook(m_attached.addressBookGroup(), groups, *m_table);
        else if (m_dialog && m_table)
            m_dialog->showTable(m_attached.table, *m_table);
        else if (m_dialog)
            m_dialog->clearTable();
        return read.error;
    }
    m_table = std::make_shared<const merge::CsvTable>(std::move(*read.table));
    const Attachment before = m_attached;
    // The same group keeps its options, those of a later version among them.
    if (!before.isAddressBook() || before.addressBookGroup() != group) {
        m_attached = {Attachment::addressBook(), {}};
        if (!group.isEmpty())
            m_attached.options << Attachment::groupOption() + group;
    }
    const auto salutation = merge::SalutationColumns::parse(m_salutationColumns);
    if (!merge::SalutationFields(m_table->columns, salutation).problem().isEmpty())
        m_salutationColumns.clear();
    keepSalutationChoice();
    if (m_dialog)
        m_dialog->showAddressBook(group, groups, *m_table);
    showRecordChoice();
    if (m_dialog)
        m_dialog->showSalutation(*m_table, shownRecord(),
                                 merge::SalutationColumns::parse(m_salutationColumns));
    if (byUser && m_attached != before)
        window().markEdited();
    notePlaceholders();
    return QString();
}

} // namespace quillory::app
