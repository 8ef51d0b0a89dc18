// Serial letters in the window: the table attached to the letter, the dialog
// and the record row of the preview. The runs are in SerialOutput.cpp.
#include "features/serial/SerialLetterPart.h"

#include "features/serial/SerialLetterDialog.h"
#include "merge/SerialRun.h"
#include "output/LetterPrinter.h"
#include "settings/SettingsBackend.h"
#include "support/ErrorReport.h"
#include "support/SharedRecords.h"
#include "widgets/FormBuilder.h"
#include "widgets/MemoField.h"
#include "widgets/SpinField.h"
#include "window/TextFields.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace quillory::app {
namespace {

/** The last table chosen, per user, beside (never among) the form's properties. */
const QString kGroup = QStringLiteral("Serienbrief");
const QString kTableKey = QStringLiteral("Tabelle");

void showSalutation(SerialLetterDialog* dialog, const merge::CsvTable* table, int record,
                    const QString& chosen)
{
    if (dialog && table)
        dialog->showSalutation(*table, record, merge::SalutationColumns::parse(chosen));
}

} // namespace

SerialLetterPart::SerialLetterPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("SerialLetterPart"))
{
    window.addPart(this);
    auto* entry = new QAction(QStringLiteral("Serienbrief..."), this);
    entry->setObjectName(QStringLiteral("Serienbrief1"));
    window.addMenuEntry(LetterWindow::MenuPlace::FileAfterOutput, entry);
    connectGuarded(entry, &QAction::triggered, [this] { openDialog(); });
    buildRecordRow();
    connectGuarded(m_record, &SpinField::changed, [this] { recordChanged(); });
    connectGuarded(m_detach, &QPushButton::clicked, [this] { detach(); });
    connectGuarded(&window.events(), &WindowEvents::letterReplaced,
                   [this] { takeOtherLettersTable(); });
    connectGuarded(&window.events(), &WindowEvents::letterEdited, [this] { notePlaceholders(); });
    // A double-click in the dialog takes the focus from the window; the
    // column goes where the user was typing before.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (isLetterText(now))
            m_lastLetterField = now;
    });
}

void SerialLetterPart::buildRecordRow()
{
    QWidget* panel = window().place(LetterWindow::Place::PreviewPanel);
    const FormBuilder b{DesignScale()};
    // The panel has two lines, the page's choices and notes about it; the
    // record takes a third under them, so that nothing of the two moves.
    m_panelHeight = b.scale().px(58);
    m_panelRecordHeight = b.scale().px(92);
    m_recordLabel = b.label(panel, QStringLiteral("Datensatz:"), 8, 70);
    m_recordLabel->setObjectName(QStringLiteral("DatensatzLabel"));
    m_record = b.spinField(panel, QStringLiteral("DatensatzEd"), SpinField::Kind::Integer,
                           document::NumberRange{1, 1000000, 1}, 72, 66, 89);
    m_record->move(std::max(m_record->x(), m_recordLabel->geometry().right() + 1 + b.scale().px(4)),
                   m_record->y());
    m_record->setValue(1);
    m_recordLabel->setBuddy(m_record);
    m_recordCount = b.label(panel, QString(), 168, 70);
    m_recordCount->setObjectName(QStringLiteral("DatensatzAnzahl"));
    m_detach = new QPushButton(QStringLiteral("Tabelle lösen"), panel);
    m_detach->setObjectName(QStringLiteral("TabelleLoesen"));
    m_detach->setGeometry(b.scale().px(260), b.scale().px(64), b.scale().px(90),
                          b.scale().px(FormBuilder::kButtonHeight));
    m_detach->resize(std::max(m_detach->width(), m_detach->sizeHint().width()), m_detach->height());
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_recordLabel, m_record, m_recordCount, m_detach})
        w->hide();
    // After the panel's last choices, before the page.
    QWidget* before = panel->findChild<QWidget*>(QStringLiteral("AnpassenButton"));
    if (!before)
        before = panel->findChild<QWidget*>(QStringLiteral("Layout2Check"));
    if (before) {
        QWidget::setTabOrder(before, m_record);
        QWidget::setTabOrder(m_record, m_detach);
    }
}

bool SerialLetterPart::isLetterText(const QWidget* field) const
{
    if (!qobject_cast<const QLineEdit*>(field) && !qobject_cast<const MemoField*>(field))
        return false;
    for (const TextField& text : textFields()) {
        // The separator of the sender's line is a character, never a column.
        if (QLatin1StringView(text.key) != QLatin1StringView("sender_separator") &&
            window().textField(QLatin1StringView(text.key)) == field)
            return true;
    }
    return false;
}

int SerialLetterPart::recordCount() const
{
    return m_table ? m_table->recordCount() : 0;
}

int SerialLetterPart::shownRecord() const
{
    if (!m_table)
        return 0;
    return std::clamp(int(m_record->letterValue()), 1, recordCount());
}

QStringList SerialLetterPart::inputFiles() const
{
    if (m_table && m_attached.isAddressBook())
        return {SharedRecords::of(window()).path()};
    return m_table ? QStringList{m_attached.table} : QStringList{};
}

bool SerialLetterPart::shownLetter(output::PrintRequest& request) const
{
    if (!m_table)
        return false;
    // The very letter a run makes of this record, with the view it prints in.
    merge::MergeOptions options;
    options.view = request.view;
    options.kind = request.kind;
    options.salutation = merge::SalutationColumns::parse(m_salutationColumns);
    const merge::SerialRun run(request.letter, *m_table, options);
    request.letter = run.letterFor(shownRecord());
    return true;
}

void SerialLetterPart::openDialog()
{
    if (!m_dialog) {
        m_dialog = new SerialLetterDialog(window().widget());
        connectGuarded(m_dialog, &SerialLetterDialog::chooseTable, [this] { chooseTable(); });
        connectGuarded(m_dialog, &SerialLetterDialog::addressBookChosen,
                       [this](const QString& group) {
                           if (const QString problem = attachAddressBook(group); !problem.isEmpty())
                               throw CommandError(problem);
                       });
        connectGuarded(m_dialog, &SerialLetterDialog::readAgain, [this] { readTableAgain(); });
        connectGuarded(m_dialog, &SerialLetterDialog::start, [this] { runFromDialog(); });
        connectGuarded(m_dialog, &SerialLetterDialog::detach, [this] { detach(); });
        connectGuarded(m_dialog, &SerialLetterDialog::insertColumn,
                       [this](const QString& placeholder) { insertColumn(placeholder); });
        connectGuarded(m_dialog, &SerialLetterDialog::salutationChosen,
                       [this](const QString& columns) { setSalutationColumns(columns); });
        // The address book as it is now, with its groups to choose from.
        if (m_table && m_attached.isAddressBook())
            attachAddressBook(m_attached.addressBookGroup(), false);
        else if (m_table)
            m_dialog->showTable(m_attached.table, *m_table);
        showSalutation(m_dialog, m_table.get(), shownRecord(), m_salutationColumns);
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void SerialLetterPart::chooseTable()
{
    QString last = m_attached.isAddressBook() ? QString() : m_attached.table;
    if (last.isEmpty()) {
        const settings::StoredValue stored = window().settingsStore().readIn(kGroup, kTableKey);
        if (stored.kind == settings::StoredValue::Text)
            last = stored.text;
    }
    const QString path = window().prompts().fileName(Prompts::FileKind::Table, last);
    if (path.isEmpty())
        return;
    readTable(path, merge::CsvOptions{});
}

void SerialLetterPart::readTableAgain()
{
    if (m_dialog && m_table && !m_attached.isAddressBook())
        readTable(m_attached.table, m_dialog->csvOptions());
}

void SerialLetterPart::readTable(const QString& path, const merge::CsvOptions& options)
{
    merge::CsvResult read = merge::readCsvFile(path, options);
    if (!read) {
        // The table read before stays attached, and the dialog shows it as it is.
        if (m_dialog && m_table)
            m_dialog->showTable(m_attached.table, *m_table);
        throw CommandError(QStringLiteral("Die Tabelle „%1“ kann nicht gelesen werden.\n%2")
                               .arg(QDir::toNativeSeparators(path), read.error.text()));
    }
    m_table = std::make_shared<const merge::CsvTable>(std::move(*read.table));
    const document::Letter::SerialAttachment before = m_attached;
    // Options of the same table this version does not know stay with it.
    QStringList others;
    if (path == before.table)
        merge::csvOptionsFromEntries(before.options, &others);
    m_attached = {QFileInfo(path).absoluteFilePath(), merge::csvOptionEntries(options) + others};
    // Columns chosen in another table: this one's are found by name.
    if (!merge::SalutationFields(m_table->columns,
                                 merge::SalutationColumns::parse(m_salutationColumns))
             .problem()
             .isEmpty())
        m_salutationColumns.clear();
    keepSalutationChoice();
    try {
        saveSettings([&path](settings::SettingsBackend& store) {
            return store.writeIn(kGroup, kTableKey, path) && store.flush()
                       ? QString()
                       : QStringLiteral("Serienbrief/Tabelle");
        });
    } catch (const CommandError& error) {
        // Only the next choice's starting point is lost: the table is read.
        qWarning("Quillory: the settings could not be saved: %s",
                 qUtf8Printable(ErrorReport::finished(error.message())));
    }
    if (m_dialog)
        m_dialog->showTable(path, *m_table);
    showRecordChoice();
    showSalutation(m_dialog, m_table.get(), shownRecord(), m_salutationColumns);
    // Saved with the letter: it changed as if typed.
    if (m_attached != before)
        window().markEdited();
    notePlaceholders();
}

void SerialLetterPart::setSalutationColumns(const QString& columns)
{
    m_salutationColumns = columns;
    const document::Letter::SerialAttachment before = m_attached;
    keepSalutationChoice();
    if (m_attached != before)
        window().markEdited();
    showSalutation(m_dialog, m_table.get(), shownRecord(), m_salutationColumns);
    if (m_table) {
        notePlaceholders();
        window().events().pageSetUpChanged();
        window().recountPages();
    }
}

void SerialLetterPart::detach(bool byUser)
{
    const bool had = !m_attached.isEmpty();
    m_table.reset();
    m_attached = {};
    m_salutationColumns.clear();
    m_placeholderNote.clear();
    if (m_dialog)
        m_dialog->clearTable();
    showRecordChoice();
    if (byUser && had)
        window().markEdited();
}

void SerialLetterPart::showRecordChoice()
{
    const int count = recordCount();
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_recordLabel, m_record, m_recordCount, m_detach})
        w->setVisible(count > 0);
    window()
        .place(LetterWindow::Place::PreviewPanel)
        ->setFixedHeight(count > 0 ? m_panelRecordHeight : m_panelHeight);
    if (count > 0) {
        m_recordCount->setText(QStringLiteral("von %1").arg(count));
        m_recordCount->adjustSize();
        const int gap = m_record->x() - m_recordLabel->geometry().right();
        m_recordCount->move(m_record->geometry().right() + 1 + gap, m_recordCount->y());
        m_detach->move(std::max(m_detach->x(), m_recordCount->geometry().right() + 1 + 2 * gap),
                       m_detach->y());
        m_record->setValue(shownRecord());
    }
    // The envelope is checked against the address the preview shows.
    window().events().pageSetUpChanged();
    window().recountPages();
}

void SerialLetterPart::recordChanged()
{
    if (!m_table)
        return;
    if (m_record->value() > recordCount()) {
        m_record->setValue(recordCount()); // changes the text, so this runs once more
        return;
    }
    showSalutation(m_dialog, m_table.get(), shownRecord(), m_salutationColumns);
    // Another record may have another number of pages, and another address.
    window().events().pageSetUpChanged();
    window().recountPages();
}

void SerialLetterPart::insertColumn(const QString& placeholder)
{
    // The window keeps its focus child while the dialog has the focus.
    QWidget* focused = window().widget()->focusWidget();
    QWidget* field = isLetterText(focused) ? focused : m_lastLetterField.data();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->insert(placeholder);
    } else if (auto* memo = qobject_cast<MemoField*>(field)) {
        memo->insertPlainText(placeholder);
    } else {
        window().prompts().showInfo(
            QStringLiteral("Klicken Sie zuerst in das Feld des Briefs, in das die "
                           "Spalte eingefügt werden soll."));
    }
}

} // namespace quillory::app
