#pragma once

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace quillory::app {

/**
 * The cancellable progress of a print job or a serial run: a window-modal
 * dialog over parent that shows only for jobs of more than quiet steps, so
 * a short letter goes out without a flash. Called once a step; false when the
 * user cancelled.
 */
class JobProgress
{
public:
    /** unit: what a step is called in the label, "Seite" or "Brief". */
    JobProgress(QWidget* parent, QString title, QString unit, int quiet);
    ~JobProgress();

    bool operator()(int step, int count);

private:
    QWidget* m_parent;
    QString m_title;
    QString m_unit;
    int m_quiet;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace quillory::app
