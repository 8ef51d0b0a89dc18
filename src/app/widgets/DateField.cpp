#include "widgets/DateField.h"

#include "document/DateFormat.h"
#include "document/ValueRules.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

#include <algorithm>

namespace quillory::app {

namespace DateFormat = document::DateFormat;

DateField::DateField(QWidget* parent)
    : QAbstractSpinBox(parent), m_locale(DateFormat::displayLocale()),
      m_pattern(DateFormat::pattern(m_locale)), m_date(QDate::currentDate())
{
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setKeyboardTracking(true);
    lineEdit()->setText(DateFormat::format(m_date, m_locale));
    QAction* drop = lineEdit()->addAction(style()->standardIcon(QStyle::SP_ArrowDown),
                                          QLineEdit::TrailingPosition);
    connect(drop, &QAction::triggered, this, &DateField::showCalendar);
    connect(lineEdit(), &QLineEdit::textChanged, this, &DateField::noteText);
}

QDate DateField::minimumDate()
{
    return document::ValueRules::firstDate();
}

QDate DateField::maximumDate()
{
    return document::ValueRules::lastDate();
}

QDate DateField::date() const
{
    const QDate date = DateFormat::parse(lineEdit()->text(), m_locale);
    if (!date.isValid() || date < minimumDate() || date > maximumDate())
        return QDate::currentDate();
    return date;
}

void DateField::setDate(QDate date)
{
    if (!date.isValid())
        return;
    const QString text =
        DateFormat::format(std::clamp(date, minimumDate(), maximumDate()), m_locale);
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void DateField::setLetterDate(QDate date, QDate today)
{
    setDate(date.isValid() ? date : today);
}

void DateField::noteText()
{
    const QDate now = date();
    if (now == m_date)
        return;
    m_date = now;
    emit dateChanged(now);
}

QValidator::State DateField::validate(QString& input, int&) const
{
    // Digits and the pattern's separators, no longer than the pattern: what
    // the field shows, half typed.
    if (input.size() > m_pattern.size())
        return QValidator::Invalid;
    for (const QChar c : input) {
        if (!c.isDigit() && (c.isLetter() || !m_pattern.contains(c)))
            return QValidator::Invalid;
    }
    return DateFormat::parse(input, m_locale).isValid() ? QValidator::Acceptable
                                                        : QValidator::Intermediate;
}

void DateField::stepBy(int steps)
{
    const int cursor = lineEdit()->cursorPosition();
    // The part the cursor stands in or just after: "dd.|MM" still steps the day.
    const auto at = [this](qsizetype i) {
        return m_pattern.at(std::clamp<qsizetype>(i, 0, m_pattern.size() - 1));
    };
    QChar part = at(cursor);
    if (!part.isLetter())
        part = at(cursor - 1);
    const QDate current = date();
    QDate next;
    if (part == QLatin1Char('M'))
        next = current.addMonths(steps);
    else if (part == QLatin1Char('y'))
        next = current.addYears(steps);
    else
        next = current.addDays(steps);
    setDate(next.isValid() ? next : (steps < 0 ? minimumDate() : maximumDate()));
    lineEdit()->setCursorPosition(cursor);
}

QAbstractSpinBox::StepEnabled DateField::stepEnabled() const
{
    const QDate current = date();
    StepEnabled enabled = StepNone;
    if (current > minimumDate())
        enabled |= StepDownEnabled;
    if (current < maximumDate())
        enabled |= StepUpEnabled;
    return enabled;
}

void DateField::focusOutEvent(QFocusEvent* event)
{
    QAbstractSpinBox::focusOutEvent(event);
    setDate(date());
}

void DateField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showCalendar();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void DateField::showCalendar()
{
    auto* calendar = new QCalendarWidget(this);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setLocale(m_locale);
    calendar->setDateRange(minimumDate(), maximumDate());
    calendar->setSelectedDate(date());
    const auto choose = [this, calendar](QDate chosen) {
        setDate(chosen);
        calendar->close();
    };
    connect(calendar, &QCalendarWidget::clicked, this, choose);
    connect(calendar, &QCalendarWidget::activated, this, choose);
    calendar->move(mapToGlobal(QPoint(0, height())));
    calendar->show();
    calendar->setFocus();
}

} // namespace quillory::app
