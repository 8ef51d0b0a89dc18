#include "dialogs/FileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace quillory::app {

FileDialog::FileDialog(QWidget* parent, AcceptMode mode, const QString& filter,
                       const QString& suffix, const QString& lastName)
    : QFileDialog(parent)
{
    setAcceptMode(mode);
    setFileMode(mode == AcceptOpen ? ExistingFile : AnyFile);
    setNameFilter(filter);
    setDefaultSuffix(suffix);
    if (!lastName.isEmpty())
        selectFile(lastName);
}

QString FileDialog::missingFolderText(const QString& folder)
{
    return QStringLiteral("%1\nDiesen Ordner gibt es nicht.\n"
                          "Bitte überprüfen Sie, ob der Ordnername richtig ist.")
        .arg(folder);
}

void FileDialog::accept()
{
    // Only Qt's own dialog, the one with a name field, needs this: a
    // platform's dialog checks the folder before it closes, and once it has
    // closed, refusing here would leave an invisible dialog waiting.
    const QStringList files = selectedFiles();
    if (acceptMode() == AcceptSave && !files.isEmpty() && findChild<QLineEdit*>()) {
        const QFileInfo chosen(files.constFirst());
        if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
            QMessageBox::warning(
                this, windowTitle(),
                missingFolderText(QDir::toNativeSeparators(chosen.absolutePath())));
            return;
        }
    }
    QFileDialog::accept();
}

} // namespace quillory::app
