#include "support/JobProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace quillory::app {

JobProgress::JobProgress(QWidget* parent, QString title, QString unit, int quiet)
    : m_parent(parent), m_title(std::move(title)), m_unit(std::move(unit)), m_quiet(quiet)
{}

JobProgress::~JobProgress() = default;

bool JobProgress::operator()(int step, int count)
{
    if (count <= m_quiet)
        return true;
    if (!m_dialog) {
        m_dialog = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Abbrechen"), 0,
                                                     count, m_parent);
        m_dialog->setWindowTitle(m_title);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
    }
    m_dialog->setLabelText(QStringLiteral("%1 %2 von %3").arg(m_unit).arg(step).arg(count));
    m_dialog->setValue(step);
    // Keeps the window painting while the job goes out.
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}

} // namespace quillory::app
