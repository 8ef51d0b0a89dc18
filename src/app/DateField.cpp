#include "DateField.h"

#include "document/DateFormat.h"

namespace quillory::app {

DateField::DateField(QWidget* parent) : QDateEdit(parent)
{
    const QLocale locale = document::DateFormat::displayLocale();
    setLocale(locale);
    setDisplayFormat(document::DateFormat::pattern(locale));
    setCalendarPopup(true);
    // The earliest day the edit can show; letters are written today, yet one
    // from long ago should not be moved to 1752.
    setMinimumDate(QDate(100, 1, 1));
    setMaximumDate(QDate(9999, 12, 31));
}

void DateField::setLetterDate(QDate date, QDate today)
{
    setDate(date.isValid() ? date : today);
}

} // namespace quillory::app
