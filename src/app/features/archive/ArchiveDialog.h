#pragma once

#include "records/LetterArchive.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace quillory::app {

/**
 * "Briefablage": one search field over recipient, subject and text, the
 * letters found with their date, recipient, subject and what happened to
 * them, and "Öffnen". It only shows and asks: the part behind it searches
 * and opens.
 */
class ArchiveDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ArchiveDialog(QWidget* parent);

    QString words() const;
    /** The rows found, or problem in their place when the search failed. */
    void showHits(const std::vector<records::LetterArchive::Hit>& hits, const QString& problem);

signals:
    /** The search field changed: the list is to show what it finds. */
    void searchChanged(const QString& words);
    void openRequested(const QString& path, records::LetterArchive::Event event);

private:
    void chosenChanged();
    void openChosen();

    QLineEdit* m_search = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_open = nullptr;
};

} // namespace quillory::app
