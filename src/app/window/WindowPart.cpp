#include "window/WindowPart.h"

#include "support/ErrorReport.h"

#include <QWidget>

namespace quillory::app {

WindowPart::WindowPart(LetterWindow& window, const QString& name)
    : QObject(window.widget()), m_window(window)
{
    setObjectName(name);
}

void WindowPart::restoreSettings(const settings::ViewChoices&) {}

void WindowPart::saveView(settings::ViewChoices&) const {}

void WindowPart::windowShown() {}

void WindowPart::readLetter(document::Letter&) const {}

void WindowPart::showLetter(const document::Letter&) {}

QStringList WindowPart::inputFiles() const
{
    return {};
}

void WindowPart::shapeRequest(output::PrintRequest&, bool) const {}

bool WindowPart::shownLetter(output::PrintRequest&) const
{
    return false;
}

void WindowPart::paintOverPreview(QPainter&, const output::PreviewRequest&) {}

bool WindowPart::beforeOutput(Output, output::PrintRequest&)
{
    return true;
}

void WindowPart::saveSettings(const std::function<QString(settings::SettingsBackend&)>& write)
{
    if (!m_window.mayWriteSettings())
        return;
    const QString error = write(m_window.settingsStore());
    if (!error.isEmpty())
        throw CommandError(error);
}

} // namespace quillory::app
