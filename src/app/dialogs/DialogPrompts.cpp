#include "dialogs/DialogPrompts.h"

#include "support/ErrorReport.h"
#include "dialogs/FileDialog.h"
#include "dialogs/FontChoiceDialog.h"
#include "dialogs/SpellDialog.h"
#include "dialogs/WordListDialog.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace quillory::app {
namespace {

QString letterFilter()
{
    return QStringLiteral("Briefe (*.bri)");
}

QString runFileDialog(QWidget* window, QFileDialog::AcceptMode mode, const QString& lastName,
                      const QString& filter = letterFilter(),
                      const QString& suffix = QStringLiteral("bri"))
{
    FileDialog dialog(window, mode, filter, suffix, lastName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

Prompts::Answer DialogPrompts::askToSave(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Speichern"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_window);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool DialogPrompts::confirmSave(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Speichern"), text,
                    QMessageBox::Yes | QMessageBox::No, m_window);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString DialogPrompts::fileName(FileKind kind, const QString& lastName)
{
    switch (kind) {
    case FileKind::OpenLetter:
        return runFileDialog(m_window, QFileDialog::AcceptOpen, lastName);
    case FileKind::SaveLetter:
        return runFileDialog(m_window, QFileDialog::AcceptSave, lastName);
    case FileKind::Pdf:
        return runFileDialog(m_window, QFileDialog::AcceptSave, lastName,
                             QStringLiteral("PDF-Dateien (*.pdf)"), QStringLiteral("pdf"));
    case FileKind::Table:
        return runFileDialog(m_window, QFileDialog::AcceptOpen, lastName,
                             QStringLiteral("Tabellen (*.csv *.txt);;Alle Dateien (*)"),
                             QStringLiteral("csv"));
    case FileKind::Folder:
        return QFileDialog::getExistingDirectory(m_window, QStringLiteral("Ordner für die Briefe"),
                                                 lastName);
    case FileKind::Image:
        return runFileDialog(m_window, QFileDialog::AcceptOpen, lastName,
                             QStringLiteral("Bilder (*.png *.jpg *.jpeg)"), QStringLiteral("png"));
    case FileKind::Addresses:
        return runFileDialog(m_window, QFileDialog::AcceptOpen, lastName,
                             QStringLiteral("Adressen (*.csv *.txt *.vcf);;Alle Dateien (*)"),
                             QStringLiteral("csv"));
    case FileKind::AddressOut:
        return runFileDialog(m_window, QFileDialog::AcceptSave, lastName,
                             QStringLiteral("Tabellen (*.csv);;vCards (*.vcf)"),
                             QStringLiteral("csv"));
    }
    return QString();
}

void DialogPrompts::showError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, ErrorReport::kCaption, text, QMessageBox::Ok, m_window);
    box.exec();
}

void DialogPrompts::showInfo(const QString& text)
{
    QMessageBox box(QMessageBox::Information, ErrorReport::kCaption, text, QMessageBox::Ok,
                    m_window);
    box.exec();
}

std::optional<FontChoice> DialogPrompts::chooseFont(const QString& title, const FontChoice& current)
{
    FontChoiceDialog dialog(title, current, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

Prompts::Recovery DialogPrompts::offerRecovery(const QString& text)
{
    QMessageBox box(QMessageBox::Question, ErrorReport::kCaption, text, QMessageBox::NoButton,
                    m_window);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* no = box.addButton(QMessageBox::No);
    // Closing the box decides nothing: the copy waits for the next start.
    QPushButton* later = box.addButton(QStringLiteral("Später"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == yes)
        return Recovery::Recover;
    if (box.clickedButton() == no)
        return Recovery::Discard;
    return Recovery::Later;
}

bool DialogPrompts::confirmDiscard(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, ErrorReport::kCaption, text,
                    QMessageBox::Yes | QMessageBox::No, m_window);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

SpellingAnswer DialogPrompts::askSpelling(const QString& field, const QString& word,
                                          const QStringList& suggestions, const QString& note)
{
    if (!m_spellDialog)
        m_spellDialog = new SpellDialog(m_window);
    return m_spellDialog->ask(field, word, suggestions, note);
}

void DialogPrompts::endSpelling()
{
    if (m_spellDialog)
        m_spellDialog->finish();
}

void DialogPrompts::editUserWords(UserWordEditor& words)
{
    WordListDialog dialog(words, m_window);
    dialog.exec();
}

QString DialogPrompts::askText(const QString& title, const QString& label,
                               const QString& suggestion)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_window, title, label, QLineEdit::Normal, suggestion, &ok);
    return ok ? text : QString();
}

int DialogPrompts::askChoice(const QString& text, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Question, ErrorReport::kCaption, text, QMessageBox::NoButton,
                    m_window);
    QList<QPushButton*> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i)
        buttons << box.addButton(choices[i], i + 1 == choices.size() ? QMessageBox::RejectRole
                                                                     : QMessageBox::AcceptRole);
    if (buttons.isEmpty())
        return -1;
    box.setDefaultButton(buttons.constFirst());
    box.setEscapeButton(buttons.constLast());
    box.exec();
    const qsizetype chosen = buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return int(chosen >= 0 ? chosen : buttons.size() - 1);
}

} // namespace quillory::app
