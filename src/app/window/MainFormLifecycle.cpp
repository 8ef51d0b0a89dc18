#include "document/FileIdentity.h"
#include "document/LetterFile.h"
#include "support/ErrorReport.h"
#include "widgets/MemoField.h"
#include "window/MainForm.h"
#include "window/WindowEvents.h"
#include "window/WindowPart.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace quillory::app {
namespace {

QString newQuestion()
{
    return QStringLiteral("Die Datei ist noch nicht gespeichert. Wollen Sie jetzt speichern?");
}

QString notSavedQuestion()
{
    return QStringLiteral("Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?");
}

QString lossyQuestion(const QString& characters)
{
    return QStringLiteral("Diese Zeichen kann eine Briefdatei nicht aufnehmen: %1\n"
                          "Sie werden als ? gespeichert. Trotzdem speichern?")
        .arg(characters);
}

} // namespace

bool MainForm::maybeSave(const QString& question)
{
    if (!Changed)
        return true;
    switch (m_prompts->askToSave(question)) {
    case Prompts::Answer::Yes:
        return SaveFile();
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Cancel:
        break;
    }
    return false;
}

void MainForm::NewAll()
{
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6})
        edit->clear();
    Memo1->clear();
    // What the letter carries beyond the form's fields is the letter's own
    // too (references, enclosures): a new letter starts without it.
    document::Letter blank = letter();
    blank.infoBlock.clear();
    blank.postalNotes.clear();
    blank.enclosures.clear();
    blank.distribution.clear();
    blank.serial = {};
    blank.payment = {};
    setLetter(blank);
    FileName.clear();
    m_events->letterReplaced();
    SetUnChanged();
    repaintPreview();
}

QString MainForm::chooseSaveName()
{
    return m_prompts->nextFileName(Prompts::FileKind::SaveLetter, m_saveDialogName);
}

bool MainForm::SaveTheFile(const QString& path)
{
    // Never over a file the letter is written with (the signature, a table);
    // its own file is the one saving replaces.
    QStringList inputs = readFiles();
    inputs.removeOne(fileName());
    if (const QString input = document::inputAt(path, inputs); !input.isEmpty())
        throw CommandError(document::outputIsInputText(input));
    const document::Letter current = letter();
    const QString lost = document::LetterFile::unencodableCharacters(current);
    if (!lost.isEmpty() && !m_prompts->confirmSave(lossyQuestion(lost)))
        return false;
    if (const document::FileError error = document::LetterFile::writeFile(path, current))
        throw CommandError(error.message());
    return true;
}

bool MainForm::SaveFile()
{
    QString path = FileName;
    if (path.isEmpty()) {
        path = chooseSaveName();
        if (path.isEmpty())
            return false;
    }
    // FileName names the new file only once it has been written: the title
    // never shows a letter that is not on disk.
    if (!SaveTheFile(path))
        return false;
    FileName = path;
    SetUnChanged();
    m_events->letterFileSaved(path);
    return true;
}

bool MainForm::OpenFile()
{
    const QString name = m_prompts->nextFileName(Prompts::FileKind::OpenLetter, m_openDialogName);
    if (name.isEmpty())
        return false;
    OpenFileWithName(name);
    return true;
}

void MainForm::OpenFileWithName(const QString& path)
{
    // All or nothing: a file that cannot be read leaves the letter, FileName
    // and the modified mark as they were.
    auto loaded = document::LetterFile::readFile(path, letter());
    if (!loaded)
        throw CommandError(loaded.error().message());
    setLetter(loaded->letter);
    m_events->letterReplaced();
    FileName = QFileInfo(path).absoluteFilePath();
    SetUnChanged();
    // What could not be taken from the file is lost there on the next save:
    // said once, and the letter counts as modified until then.
    if (loaded->modified)
        SetChanged();
    repaintPreview();
    m_events->letterFileOpened(FileName);
    if (!loaded->warning.isEmpty())
        m_prompts->showInfo(ErrorReport::finished(loaded->warning));
}

void MainForm::Neu1Click()
{
    if (maybeSave(newQuestion()))
        NewAll();
}

void MainForm::ffnen1Click()
{
    if (maybeSave(notSavedQuestion()))
        OpenFile();
}

void MainForm::Speichern1Click()
{
    SaveFile();
}

void MainForm::Speichernunter1Click()
{
    const QString path = chooseSaveName();
    if (path.isEmpty() || !SaveTheFile(path))
        return;
    FileName = path;
    SetUnChanged();
    m_events->letterFileSaved(path);
}

void MainForm::FormShow()
{
    if (WasShown)
        return;
    WasShown = true;
    SetUnChanged();
    if (!m_arguments.isEmpty())
        OpenFileWithName(m_arguments.constFirst());
}

void MainForm::FormCloseQuery(bool& CanClose)
{
    CanClose = false;
    if (!Changed) {
        CanClose = true;
        return;
    }
    switch (m_prompts->askToSave(notSavedQuestion())) {
    case Prompts::Answer::Yes:
        CanClose = SaveFile();
        break;
    case Prompts::Answer::No:
        CanClose = true;
        break;
    case Prompts::Answer::Cancel:
        break;
    }
}

} // namespace quillory::app
