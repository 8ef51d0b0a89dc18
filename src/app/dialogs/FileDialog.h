#pragma once

#include <QFileDialog>

namespace quillory::app {

/**
 * The file dialogs for letters and PDF files: one filter, a default suffix,
 * and the name last chosen. Opening needs an existing file and saving asks
 * before overwriting one, as Qt's dialog does; saving also stays in the
 * dialog when the chosen folder does not exist, as opening does for a
 * missing file, rather than closing on a name that cannot be written.
 */
class FileDialog : public QFileDialog
{
    Q_OBJECT

public:
    FileDialog(QWidget* parent, AcceptMode mode, const QString& filter, const QString& suffix,
               const QString& lastName);

    /** The message for a folder to save in that does not exist. */
    static QString missingFolderText(const QString& folder);

public slots:
    void accept() override;
};

} // namespace quillory::app
