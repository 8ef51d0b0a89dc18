#pragma once

#include <QAbstractSpinBox>
#include <QDate>
#include <QLocale>

namespace quillory::app {

/**
 * The letter's date: two-digit day and month and a four-digit year in the
 * order and with the separator of the system's short date format (German
 * under "C"), with a calendar that drops down from the arrow at its end (or
 * F4, Alt+Down). Up and Down step the day, month or year under the cursor.
 *
 * It takes every day a letter file can hold, 1 January 1 to 31 December
 * 9999; Qt's date edit stops at the year 100 and would move an older letter's
 * date on its first save. A text that is no date reads as today, and leaving
 * the field shows the date it reads as. dateChanged() fires only when the
 * day really changes.
 */
class DateField : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit DateField(QWidget* parent = nullptr);

    /** The day the text names; today when it names none in the range. */
    QDate date() const;
    /** Shows the date, brought into the range; a date that is no date changes nothing. */
    void setDate(QDate date);
    /** Shows the date; a date that is no date gives today. */
    void setLetterDate(QDate date, QDate today = QDate::currentDate());

    QString displayFormat() const { return m_pattern; }
    static QDate minimumDate();
    static QDate maximumDate();

    /** Drops the calendar down below the field, at the field's date. */
    void showCalendar();

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void dateChanged(QDate date);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void noteText();

    QLocale m_locale;
    QString m_pattern;
    QDate m_date;
};

} // namespace quillory::app
