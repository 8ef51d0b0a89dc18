#pragma once

#include "merge/CsvTable.h"
#include "merge/Salutation.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace quillory::app {

/**
 * "Serienbrief": the table of recipients as it was read and the choices of
 * a run. It only shows and asks; the window reads the table, attaches it to
 * the preview and runs the letters, so every file choice and error goes
 * through the window's prompts. It stays open beside the window, so the
 * user can type into the letter and insert columns while it is shown.
 */
class SerialLetterDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Output { OnePdf, PdfPerRecord, Printer };

    explicit SerialLetterDialog(QWidget* parent = nullptr);

    /** Shows the table read from path: its delimiter, encoding, columns, records and warnings. */
    void showTable(const QString& path, const merge::CsvTable& table);
    /**
     * Shows the address book's entries of group (empty: "Alle") as the table,
     * among groups to choose from; the file's choices are not for it.
     */
    void showAddressBook(const QString& group, const QStringList& groups,
                         const merge::CsvTable& table);
    /** No table attached: nothing to show, nothing to start, a file to choose. */
    void clearTable();
    /**
     * Shows the columns the salutation comes from (those chosen, else those
     * found by name) and the "Briefanrede" and "Anschriftanrede" of record
     * (from 1) of table, the one the preview shows.
     */
    void showSalutation(const merge::CsvTable& table, int record,
                        const std::optional<merge::SalutationColumns>& chosen);

    /** The delimiter and encoding as chosen in the dialog (as detected until changed). */
    merge::CsvOptions csvOptions() const;
    Output output() const;
    bool duplex() const;
    /** The name pattern of the files of a run to one PDF per record. */
    QString namePattern() const;

    /** "Tabelle" or "Adressbuch": where the records come from. */
    QComboBox* QuelleCombo = nullptr;
    /** The address book's group: "Alle", then every group found. */
    QComboBox* GruppeCombo = nullptr;
    QLineEdit* TabelleEdit = nullptr;
    QPushButton* AuswaehlenButton = nullptr;
    QComboBox* TrennzeichenCombo = nullptr;
    QComboBox* ZeichensatzCombo = nullptr;
    QListWidget* SpaltenList = nullptr;
    QLabel* AnzahlLabel = nullptr;
    /** What was read other than written, line by line; hidden when all is well. */
    QLabel* WarnungLabel = nullptr;
    QRadioButton* EinePdfRadio = nullptr;
    QRadioButton* JeDatensatzRadio = nullptr;
    QRadioButton* DruckerRadio = nullptr;
    QLineEdit* MusterEdit = nullptr;
    QCheckBox* BeidseitigCheck = nullptr;
    /** The columns of form of address, title, surname and first name; "(keine)" first. */
    QComboBox* AnredeSpalteCombo = nullptr;
    QComboBox* TitelSpalteCombo = nullptr;
    QComboBox* NachnameSpalteCombo = nullptr;
    QComboBox* VornameSpalteCombo = nullptr;
    QLabel* BriefanredeLabel = nullptr;
    QLabel* AnschriftanredeLabel = nullptr;
    QPushButton* StartenButton = nullptr;
    QPushButton* LoesenButton = nullptr;

signals:
    /** "Auswählen...": the window asks for a table. */
    void chooseTable();
    /** "Adressbuch" or one of its groups was chosen: its entries are the records. */
    void addressBookChosen(const QString& group);
    /** The delimiter or encoding was changed by the user: the table is to be read again. */
    void readAgain();
    /** A double-click on a column: "{Spalte}" goes into the letter. */
    void insertColumn(const QString& placeholder);
    void start();
    /** "Tabelle lösen": back to the letter as typed. */
    void detach();
    /** The user chose the salutation's columns: all four in their text form. */
    void salutationChosen(const QString& columns);

private:
    void onColumnActivated(QListWidgetItem* item);
    void updateOutputChoice();
    /** Sets a combo box without telling readAgain(): a shown value is no choice of the user. */
    void setQuietly(QComboBox* combo, int index);
    QWidget* buildSalutationBox();
    QLayout* buildSourceRow(QWidget* parent);
    /** Shows where the records come from; only a file has a delimiter and encoding. */
    void showSource(bool addressBook);
    std::array<QComboBox*, 4> salutationCombos() const;

    bool m_quiet = false;
};

} // namespace quillory::app
