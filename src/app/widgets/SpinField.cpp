#include "widgets/SpinField.h"

#include "document/DateFormat.h"

#include <QLineEdit>

namespace quillory::app {

using document::ValueRules::setDecimal;
using document::ValueRules::setInteger;

SpinField::SpinField(Kind kind, const document::NumberRange& range, QWidget* parent)
    : QAbstractSpinBox(parent), m_kind(kind), m_range(range),
      m_locale(document::DateFormat::displayLocale())
{
    // "1000", not "1.000": a group separator would read back as a decimal point
    // in half the locales.
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setKeyboardTracking(true);
    lineEdit()->setText(textFor(range.minimum));
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinField::changed);
}

std::optional<double> SpinField::parsed() const
{
    const QString text = lineEdit()->text().trimmed();
    bool ok = false;
    if (m_kind == Kind::Integer) {
        const int number = m_locale.toInt(text, &ok);
        return ok ? std::optional<double>(number) : std::nullopt;
    }
    double number = m_locale.toDouble(text, &ok);
    if (!ok) // "12.5" typed under a German locale still means twelve and a half
        number = QLocale::c().toDouble(text, &ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

double SpinField::value() const
{
    return parsed().value_or(m_range.minimum);
}

double SpinField::letterValue() const
{
    if (m_kind == Kind::Integer)
        return setInteger(value(), m_range);
    return setDecimal(value(), m_range);
}

QString SpinField::textFor(double value) const
{
    if (m_kind == Kind::Integer)
        return QString::number(setInteger(value, m_range));
    return m_locale.toString(setDecimal(value, m_range), 'f', 2);
}

void SpinField::setValue(double value)
{
    const QString text = textFor(value);
    if (text != lineEdit()->text())
        lineEdit()->setText(text);
}

void SpinField::stepBy(int steps)
{
    setValue(value() + steps * m_range.step);
    selectAll();
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const
{
    const double current = value();
    StepEnabled enabled = StepNone;
    if (current < m_range.maximum)
        enabled |= StepUpEnabled;
    if (current > m_range.minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void SpinField::focusOutEvent(QFocusEvent* event)
{
    // Typing may leave anything behind; leaving the field brings a number
    // outside the range back into it, and shows no number as the minimum it
    // reads as, so the field never shows what the letter does not hold.
    const std::optional<double> number = parsed();
    if (!number)
        setValue(m_range.minimum);
    else if (*number < m_range.minimum || *number > m_range.maximum)
        setValue(*number);
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace quillory::app
