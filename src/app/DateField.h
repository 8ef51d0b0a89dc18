#pragma once

#include <QDateEdit>

namespace quillory::app {

/**
 * The letter's date: two-digit day and month and a four-digit year in the
 * order and with the separator of the system's short date format (German
 * under "C"), with a drop-down calendar. It always holds a valid date;
 * dateChanged() fires only when the day really changes.
 */
class DateField : public QDateEdit
{
    Q_OBJECT

public:
    explicit DateField(QWidget* parent = nullptr);

    /** Shows the date; a date that is no date gives today. */
    void setLetterDate(QDate date, QDate today = QDate::currentDate());
};

} // namespace quillory::app
