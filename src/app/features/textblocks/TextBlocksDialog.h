#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace quillory::app {

/**
 * "Textbausteine verwalten": the blocks by name, with buttons to rename and
 * delete the chosen one and to open their folder. It only asks: the part
 * behind it changes the files and shows the list again.
 */
class TextBlocksDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TextBlocksDialog(QWidget* parent);

    /** The list, current chosen if it is there, else the first. */
    void showNames(const QStringList& names, const QString& current);

signals:
    void renameBlock(const QString& name);
    void deleteBlock(const QString& name);
    void openFolder();

private:
    QString chosen() const;

    QListWidget* m_list = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace quillory::app
