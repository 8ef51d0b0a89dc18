#include "widgets/MemoField.h"

namespace quillory::app {

MemoField::MemoField(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, &MemoField::noteChange);
}

void MemoField::noteChange()
{
    QString text = document()->toRawText();
    if (text == m_text)
        return;
    m_text = std::move(text);
    emit changed();
}

} // namespace quillory::app
