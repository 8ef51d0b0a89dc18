#include "widgets/FormBuilder.h"

#include "widgets/DateField.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <limits>

namespace quillory::app {

QLabel* FormBuilder::label(QWidget* parent, const QString& text, int left, int top) const
{
    auto* label = new QLabel(text, parent);
    label->move(m_scale.px(left), m_scale.px(top));
    label->adjustSize();
    return label;
}

void FormBuilder::fitCaption(QWidget* widget)
{
    // The design's widths fit its Windows font; where the desktop font runs
    // wider, the caption must still be readable in full.
    if (widget->sizeHint().width() > widget->width())
        widget->resize(widget->sizeHint().width(), widget->height());
}

void FormBuilder::fitLabels(QWidget* container) const
{
    const QList<QWidget*> widgets = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QLabel* label : container->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect area = label->geometry();
        int right = std::numeric_limits<int>::max();
        for (const QWidget* other : widgets) {
            const QRect next = other->geometry();
            if (other != label && next.left() > area.left() && next.top() <= area.bottom() &&
                next.bottom() >= area.top())
                right = std::min(right, next.left() - m_scale.px(kLabelGap));
        }
        if (area.right() >= right)
            fitLabel(label, right - area.left());
    }
}

void FormBuilder::fitLabel(QLabel* label, int width)
{
    // The design's texts fit its Windows font; a wider desktop font would run
    // a long label into the next column. A slightly smaller type keeps the
    // whole text readable; only beyond that is it shortened, whole in the tip.
    QFont font = label->font();
    const qreal smallest = font.pointSizeF() * kSmallestLabelType;
    while (font.pointSizeF() > 0 && label->sizeHint().width() > width) {
        const qreal smaller = font.pointSizeF() - 0.25;
        if (smaller < smallest)
            break;
        font.setPointSizeF(smaller);
        label->setFont(font);
    }
    if (label->sizeHint().width() > width) {
        const QString text = label->text();
        label->setToolTip(text);
        label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, width));
    }
    label->resize(std::min(label->sizeHint().width(), width), label->sizeHint().height());
}

void FormBuilder::paintAsInput(QWidget* widget) const
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, inputColour());
    widget->setPalette(palette);
}

QLineEdit* FormBuilder::textField(QWidget* parent, const QString& name, int left, int top,
                                  int width) const
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    // A letter's line may be as long as the user likes; Qt's default stops at 32767.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setGeometry(m_scale.rect(left, top, width, kFieldHeight));
    paintAsInput(edit);
    return edit;
}

SpinField* FormBuilder::spinField(QWidget* parent, const QString& name, SpinField::Kind kind,
                                  const document::NumberRange& range, int left, int top,
                                  int width) const
{
    auto* field = new SpinField(kind, range, parent);
    field->setObjectName(name);
    field->setGeometry(m_scale.rect(left, top, width, kFieldHeight));
    paintAsInput(field);
    return field;
}

DateField* FormBuilder::dateField(QWidget* parent, const QString& name, int left, int top,
                                  int width) const
{
    auto* field = new DateField(parent);
    field->setObjectName(name);
    field->setGeometry(m_scale.rect(left, top, width, kFieldHeight));
    paintAsInput(field);
    return field;
}

QCheckBox* FormBuilder::checkBox(QWidget* parent, const QString& name, const QString& caption,
                                 int left, int top, int width) const
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(m_scale.rect(left, top, width, kCheckHeight));
    fitCaption(box);
    return box;
}

QRadioButton* FormBuilder::radioButton(QWidget* parent, const QString& name, const QString& caption,
                                       int left, int top, int width) const
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(m_scale.rect(left, top, width, kCheckHeight));
    fitCaption(button);
    return button;
}

} // namespace quillory::app
