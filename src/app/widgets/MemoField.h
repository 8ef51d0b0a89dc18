#pragma once

#include <QPlainTextEdit>

namespace quillory::app {

/**
 * The body text editor. Qt reports every touch of the document, also a
 * format change or the same text set again; changed() fires only when the
 * text itself differs from what it was, as every other letter field does.
 */
class MemoField : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MemoField(QWidget* parent = nullptr);

signals:
    void changed();

private:
    void noteChange();

    QString m_text;
};

} // namespace quillory::app
