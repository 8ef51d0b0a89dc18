#pragma once

#include "records/Entry.h"
#include "window/WindowPart.h"

#include <QPointer>

#include <array>
#include <memory>
#include <vector>

class QCompleter;
class QLineEdit;
class QStandardItemModel;

namespace quillory::records {
class AddressBook;
}

namespace quillory::app {

class AddressBookDialog;
class RecipientUndo;

/**
 * The address book in the window. Typing in the recipient's first line
 * offers the entries the words typed find; choosing one fills the five
 * recipient lines. "Empfänger ins Adressbuch" keeps the recipient typed, and
 * "Adressbuch..." shows, searches, edits, deletes, imports and exports the
 * entries. The database is opened at the first use after the window shows,
 * so start-up never waits for it.
 *
 * Filling the recipient is one edit: the first Ctrl+Z in any of its lines
 * brings back what every line held before (RecipientUndo).
 */
class AddressBookPart : public WindowPart
{
    Q_OBJECT

public:
    /** How many entries the completion offers at most. */
    static constexpr int kOffered = 10;

    explicit AddressBookPart(LetterWindow& window);
    ~AddressBookPart() override;

    /** The completion's rows for typed, as a keystroke in the first line fills them. */
    void offerCompletions(const QString& typed);
    /** Puts entry into the recipient lines and notes it as used in a letter. */
    void takeEntry(const records::Entry& entry);
    /** "Empfänger ins Adressbuch". */
    void storeRecipient();
    /** "Adressbuch...". */
    void openDialog();
    void restoreSettings(const settings::ViewChoices& view) override;

private:
    /** The address book, opened on first use; throws when it cannot be used. */
    records::AddressBook& book();
    /** Throws the book's error when ok is false. */
    void check(bool ok);
    void completionChosen(int row);
    /** The list shown again; changed: the entries changed, and so may their groups. */
    void showEntries(bool changed = true);
    void takeStored(qint64 id);
    void editEntry(qint64 id);
    void deleteEntry(qint64 id);
    void importFile();
    void exportFile();
    /** Keeps mapping, in the "--map" form, as the columns' mapping for the next table. */
    void rememberMapping(const QString& mapping);

    std::array<QLineEdit*, 5> m_lines{};
    QCompleter* m_completer = nullptr;
    RecipientUndo* m_undo = nullptr;
    QStandardItemModel* m_model = nullptr;
    std::vector<records::Entry> m_offered;
    std::unique_ptr<records::AddressBook> m_book;
    QPointer<AddressBookDialog> m_dialog;
    QStringList m_groups;
    /** Set while the part fills the lines, whose edits are then no typing. */
    bool m_filling = false;
    QString m_importName;
    QString m_exportName;
    QString m_mapping;
};

} // namespace quillory::app
