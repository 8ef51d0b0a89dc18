#pragma once

#include "widgets/DesignScale.h"
#include "widgets/SpinField.h"

#include <QColor>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace quillory::app {

class DateField;

/**
 * Places the window's widgets where the design puts them, in 96-dpi pixels
 * scaled to the screen: each field with its label 16 pixels above it, input
 * fields in the light-green input colour, and every widget named.
 */
class FormBuilder
{
public:
    static constexpr int kFieldHeight = 21;
    static constexpr int kCheckHeight = 17;
    static constexpr int kButtonHeight = 25;
    static constexpr int kLabelOffset = 16;
    /** The least room between a label and the widget to its right. */
    static constexpr int kLabelGap = 4;
    /** A label too long for its room may shrink to this share of its type size. */
    static constexpr double kSmallestLabelType = 0.85;

    /** Text fields, spin fields and the date field: RGB(192, 220, 192). */
    static QColor inputColour() { return {192, 220, 192}; }

    explicit FormBuilder(const DesignScale& scale) : m_scale(scale) {}

    const DesignScale& scale() const { return m_scale; }

    QLabel* label(QWidget* parent, const QString& text, int left, int top) const;

    QLineEdit* textField(QWidget* parent, const QString& name, int left, int top, int width) const;
    SpinField* spinField(QWidget* parent, const QString& name, SpinField::Kind kind,
                         const document::NumberRange& range, int left, int top, int width) const;
    DateField* dateField(QWidget* parent, const QString& name, int left, int top, int width) const;
    QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, int left,
                        int top, int width) const;
    QRadioButton* radioButton(QWidget* parent, const QString& name, const QString& caption,
                              int left, int top, int width) const;

    /**
     * Keeps every label placed directly on container short of the next widget
     * to its right on the same line. Call it once all of them are placed.
     */
    void fitLabels(QWidget* container) const;

    /** label() at the design's usual place above a field. */
    QLabel* labelAbove(QWidget* parent, const QString& text, int fieldLeft, int fieldTop) const
    {
        return label(parent, text, fieldLeft, fieldTop - kLabelOffset);
    }

private:
    void paintAsInput(QWidget* widget) const;
    static void fitCaption(QWidget* widget);
    static void fitLabel(QLabel* label, int width);

    DesignScale m_scale;
};

} // namespace quillory::app
