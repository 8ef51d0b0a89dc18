#pragma once

#include <QDate>
#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;

namespace quillory::app {

/**
 * The about box "Info": the program's picture, the maker's heading and
 * notice with the year of the program's start, and a button that opens the
 * project's web page in the desktop's browser. Created once, hidden, and
 * shown modally as often as the user asks.
 */
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    /** The notice line as designed; "XXXX" stands for the year. */
    static QString noticeTemplate();
    static QUrl webPage();

    /** today is when the box is made: its year stays for the whole run. */
    explicit AboutBox(QWidget* parent = nullptr, QDate today = QDate::currentDate());

    QString notice() const;
    /** Whether the JPEG picture could be decoded (Qt's JPEG plug-in is present). */
    bool hasPicture() const;

private:
    void openWebPage();

    QLabel* m_picture = nullptr;
    QLabel* m_notice = nullptr;
};

} // namespace quillory::app
