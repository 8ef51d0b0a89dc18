#pragma once

#include "records/Entry.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace quillory::app {

/**
 * "Adressbuch": the entries as the search field and the group filter narrow
 * them, and the buttons that act on the one chosen. It only shows and asks;
 * the part does the work, so every change goes through the window's guard.
 */
class AddressBookDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AddressBookDialog(QWidget* parent);

    /** Shows entries, keeping the chosen one where it still is; groups fill the filter. */
    void showEntries(const std::vector<records::Entry>& entries, const QStringList& groups);
    /** The entries shown, in their order. */
    const std::vector<records::Entry>& entries() const { return m_entries; }
    QString searchText() const;
    /** The group chosen in the filter; empty for all. */
    QString group() const;
    /** The id of the chosen entry; 0 for none. */
    qint64 currentId() const;

    /**
     * A small form for entry's fields, groups typed as "Kunden, Weihnachten";
     * false when cancelled.
     */
    static bool editEntry(QWidget* parent, records::Entry& entry);

signals:
    /** The search text or the group filter changed. */
    void filterChanged();
    void editRequested(qint64 id);
    void deleteRequested(qint64 id);
    void takeRequested(qint64 id);
    void importRequested();
    void exportRequested();

private:
    QLineEdit* m_search = nullptr;
    QComboBox* m_group = nullptr;
    QTreeWidget* m_list = nullptr;
    std::vector<records::Entry> m_entries;
};

} // namespace quillory::app
