// The table that goes with the letter: kept in it, attached again when the
// letter is opened, and the names it has no column for.
#include "features/serial/SerialLetterDialog.h"
#include "features/serial/SerialLetterPart.h"
#include "merge/LetterTemplate.h"
#include "merge/Salutation.h"

#include <QFileInfo>

namespace quillory::app {
namespace {

/** The option under which the salutation's chosen columns go with the letter. */
const QString kSalutationOption = QStringLiteral("anrede-spalten=");

} // namespace

void SerialLetterPart::readLetter(document::Letter& letter) const
{
    letter.serial = m_attached;
}

void SerialLetterPart::showLetter(const document::Letter& letter)
{
    // Attached once the letter has taken the other's place, not midway
    // through the form's showing it.
    m_shownSerial = letter.serial;
}

void SerialLetterPart::takeOtherLettersTable()
{
    // The same table stays as it is read; one not found before is looked for again.
    if (m_shownSerial == m_attached && (m_table || m_attached.isEmpty()))
        return;
    if (!m_shownSerial.isEmpty()) {
        attachFromLetter(m_shownSerial);
        return;
    }
    const bool had = m_table != nullptr;
    detach(false);
    if (had)
        window().showStatus(QStringLiteral("Serienbrief-Tabelle gelöst"),
                            LetterWindow::kStatusNoteMs);
}

void SerialLetterPart::attachFromLetter(const document::Letter::SerialAttachment& serial)
{
    detach(false);
    // A table not found stays the letter's, so that saving the letter meanwhile
    // does not lose it; the next opening with the table back attaches it.
    m_attached = serial;
    for (const QString& option : serial.options)
        if (option.startsWith(kSalutationOption))
            m_salutationColumns = option.mid(kSalutationOption.size());
    if (serial.isAddressBook()) {
        if (const QString problem = attachAddressBook(serial.addressBookGroup(), false);
            !problem.isEmpty())
            window().showStatus(QStringLiteral("Serienbrief: %1").arg(problem),
                                LetterWindow::kStatusNoteMs);
        return;
    }
    const QString name = QFileInfo(serial.table).fileName();
    if (!QFileInfo(serial.table).isFile()) {
        window().showStatus(
            QStringLiteral("Die Tabelle „%1“ zum Serienbrief wurde nicht gefunden.").arg(name),
            LetterWindow::kStatusNoteMs);
        return;
    }
    merge::CsvResult read =
        merge::readCsvFile(serial.table, merge::csvOptionsFromEntries(serial.options));
    if (!read) {
        window().showStatus(
            QStringLiteral("Die Tabelle „%1“ zum Serienbrief kann nicht gelesen werden: %2")
                .arg(name, read.error.text()),
            LetterWindow::kStatusNoteMs);
        return;
    }
    m_table = std::make_shared<const merge::CsvTable>(std::move(*read.table));
    if (m_dialog)
        m_dialog->showTable(serial.table, *m_table);
    showRecordChoice();
    notePlaceholders();
}

void SerialLetterPart::keepSalutationChoice()
{
    m_attached.options.removeIf(
        [](const QString& option) { return option.startsWith(kSalutationOption); });
    if (!m_salutationColumns.isEmpty() && !m_attached.isEmpty())
        m_attached.options.append(kSalutationOption + m_salutationColumns);
}

void SerialLetterPart::notePlaceholders()
{
    if (!m_table)
        return;
    merge::LetterTemplate text(window().letter());
    const QStringList columns =
        m_table->columns +
        merge::SalutationFields(m_table->columns,
                                merge::SalutationColumns::parse(m_salutationColumns))
            .names();
    // The preview shows such a name as typed; said once for each new set of them.
    const QString note = merge::LetterTemplate::describe(text.bind(columns))
                             .replace(QLatin1Char('\n'), QLatin1String("; "));
    if (note == m_placeholderNote)
        return;
    m_placeholderNote = note;
    if (!note.isEmpty())
        window().showStatus(note, LetterWindow::kStatusNoteMs);
}

} // namespace quillory::app
