#pragma once

#include "document/ValueRules.h"

#include <QAbstractSpinBox>
#include <QLocale>

namespace quillory::app {

/**
 * A numeric letter setting: a right-aligned edit with up/down buttons whose
 * text is the value. The text is read back as typed (no number reads as the
 * minimum); setting a value clamps and rounds it by ValueRules and shows it,
 * integers as whole numbers, decimals with two places in the locale's format.
 * changed() fires whenever the shown text changes, by typing or by program,
 * and never when a value is set that shows as the same text.
 */
class SpinField : public QAbstractSpinBox
{
    Q_OBJECT

public:
    enum class Kind { Integer, Decimal };

    SpinField(Kind kind, const document::NumberRange& range, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    const document::NumberRange& range() const { return m_range; }

    /** The text as a number, unclamped; the minimum when it is no number of this kind. */
    double value() const;
    /** The value as a letter holds it: value() clamped and rounded as setting it would. */
    double letterValue() const;

    /** Clamps, rounds and shows the value. */
    void setValue(double value);

    /** The text the field shows for a value once it is set. */
    QString textFor(double value) const;

    void stepBy(int steps) override;

signals:
    void changed();

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::optional<double> parsed() const;

    Kind m_kind;
    document::NumberRange m_range;
    QLocale m_locale;
};

} // namespace quillory::app
