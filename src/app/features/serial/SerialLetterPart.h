#pragma once

#include "merge/SerialRun.h"
#include "window/WindowPart.h"

#include <QPointer>

#include <memory>

class QLabel;
class QPushButton;

namespace quillory::app {

class SerialLetterDialog;
class SpinField;

/**
 * Serial letters: a table of recipients attached to the letter, the record
 * row of the preview ("Datensatz: n von N") and the runs. Reading, expanding
 * and writing are the merge module's; this part only asks and shows. The
 * typed texts are never changed: the preview and each run fill a copy with a
 * record's values. The table's path and options go with the letter.
 */
class SerialLetterPart : public WindowPart
{
    Q_OBJECT

public:
    explicit SerialLetterPart(LetterWindow& window);

    /** "Serienbrief...": opens the dialog, which stays beside the window. */
    void openDialog();
    /** The dialog, once it was opened; null before. */
    SerialLetterDialog* dialog() const { return m_dialog; }
    /** The records of the attached table; 0 without one. */
    int recordCount() const;
    /** The record the preview shows, from 1; 0 without a table. */
    int shownRecord() const;
    /** The salutation's columns as chosen, in their text form; empty: found by name. */
    QString salutationColumns() const { return m_salutationColumns; }
    void setSalutationColumns(const QString& columns);

    void readLetter(document::Letter& letter) const override;
    void showLetter(const document::Letter& letter) override;
    QStringList inputFiles() const override;
    bool shownLetter(output::PrintRequest& request) const override;
    /** With a table attached: every record's letter, the shown one's, or nothing, as asked. */
    bool beforeOutput(Output kind, output::PrintRequest& request) override;

private:
    void buildRecordRow();
    /** A text of the letter a column can go into. */
    bool isLetterText(const QWidget* field) const;
    void chooseTable();
    void readTableAgain(); ///< with the delimiter and encoding chosen in the dialog
    void readTable(const QString& path, const merge::CsvOptions& options);
    /** "Tabelle lösen" (byUser: the letter no longer has it): back to the letter as typed. */
    void detach(bool byUser = true);
    void takeOtherLettersTable(); ///< another letter took the typed one's place
    void attachFromLetter(const document::Letter::SerialAttachment& serial); ///< never throws
    /** The address book's entries of group (empty: all) as the table; the problem, if any. */
    QString attachAddressBook(const QString& group, bool byUser = true);
    void notePlaceholders();     ///< on each new set of names the table has no column for
    void keepSalutationChoice(); ///< puts m_salutationColumns among m_attached's options
    /** Shows or hides the record row as a table is attached or let go. */
    void showRecordChoice();
    void recordChanged();
    void insertColumn(const QString& placeholder);
    /** table's run of the typed letter as printRequest(forPdf); throws if it cannot start. */
    merge::SerialRun serialRun(const merge::CsvTable& table, bool forPdf, bool duplex) const;
    void runFromDialog();
    void writePdfPerRecord(const merge::SerialRun& run);
    /** Every letter of run as one job on target, with progress over parent, and the report. */
    void printAll(const merge::SerialRun& run, output::PrintTarget& target, QWidget* parent);
    /** Every letter of run into one PDF at path, with progress over parent, and the report. */
    void writeOnePdf(const merge::SerialRun& run, const QString& path, QWidget* parent);
    /** Tells the end of a run; a failure throws. True when it was not cancelled. */
    bool report(const merge::MergeOutcome& outcome, int letterCount);

    QLabel* m_recordLabel = nullptr;
    SpinField* m_record = nullptr;
    QLabel* m_recordCount = nullptr;
    QPushButton* m_detach = nullptr;
    int m_panelHeight = 0;
    int m_panelRecordHeight = 0;

    SerialLetterDialog* m_dialog = nullptr;
    std::shared_ptr<const merge::CsvTable> m_table;
    document::Letter::SerialAttachment m_attached;    ///< m_table's, or a letter's not found
    document::Letter::SerialAttachment m_shownSerial; ///< the last letter shown
    QString m_placeholderNote;
    QString m_salutationColumns; ///< as chosen, also kept in m_attached
    QString m_pdfName;
    QString m_folder;
    QPointer<QWidget> m_lastLetterField;
};

} // namespace quillory::app
