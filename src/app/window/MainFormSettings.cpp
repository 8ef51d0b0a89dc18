#include "support/ErrorReport.h"
#include "window/MainForm.h"
#include "window/WindowPart.h"
#include "output/PreviewRenderer.h"
#include "support/PrinterAccess.h"
#include "settings/FormStorage.h"
#include "settings/QSettingsBackend.h"
#include "support/WindowPlacer.h"

#include <QCheckBox>
#include <QRadioButton>

// The per-user settings store attaches to the window here: restore before
// FormShow, save after a close that FormCloseQuery allowed, and once more
// while the window goes away if that save did not complete.

namespace quillory::app {

MainForm::~MainForm()
{
    saveUserSettingsOnDestroy();
}

void MainForm::setSettingsBackend(settings::SettingsBackend* backend)
{
    // The store binds to its backend at the first showing; later the
    // restored state would be lost with it.
    Q_ASSERT(!FormStorage1);
    m_settingsBackend = backend;
}

settings::FormStorage& MainForm::formStorage()
{
    if (!FormStorage1) {
        if (!m_settingsBackend) {
            m_ownSettingsBackend = std::make_unique<settings::QSettingsBackend>();
            m_settingsBackend = m_ownSettingsBackend.get();
        }
        FormStorage1 = std::make_unique<settings::FormStorage>(*m_settingsBackend);
    }
    return *FormStorage1;
}

settings::ViewChoices MainForm::viewChoices() const
{
    settings::ViewChoices view;
    view.layout2 = Layout2Check->isChecked();
    view.blankBeforeRecipientCity = Leer2Check->isChecked();
    for (const WindowPart* part : m_parts)
        part->saveView(view);
    return view;
}

void MainForm::setViewChoices(const settings::ViewChoices& view)
{
    (view.layout2 ? Layout2Check : Layout1Check)->setChecked(true);
    Leer2Check->setChecked(view.blankBeforeRecipientCity);
}

void MainForm::restoreUserSettings()
{
    // Once per run: a second showing before FormShow has marked the first
    // (a platform's spontaneous show) must not undo what was set since.
    if (FormStorage1)
        return;
    settings::ViewChoices view = viewChoices();
    runGuarded([this, &view] {
        document::Letter restored = letter();
        const auto result = formStorage().restore(restored, view, WindowPlacer::placementOf(*this),
                                                  WindowPlacer::screenInfo());
        // A store that cannot be read leaves every field as designed and is
        // not written over in this run.
        if (!result.error.isEmpty())
            throw CommandError(result.error);
        if (result.placement)
            WindowPlacer::apply(*this, *result.placement);
        setLetter(restored);
        setViewChoices(view);
    });
    for (WindowPart* part : m_parts)
        runGuarded([part, &view] { part->restoreSettings(view); });
}

void MainForm::saveUserSettings(bool report)
{
    QString error;
    runGuarded([this, &error] {
        error = formStorage().save(letter(), viewChoices(), WindowPlacer::placementOf(*this),
                                   WindowPlacer::screenInfo());
    });
    if (error.isEmpty())
        return;
    if (report)
        runGuarded([&error] { throw CommandError(error); });
    else
        logSettingsError(error);
}

void MainForm::saveUserSettingsOnDestroy() noexcept
{
    if (!FormStorage1)
        return;
    // After the session's end the failure is on stderr already, and a box
    // now, past the event loop, would keep the program from ending at all.
    const bool quiet = sessionAlreadyAnswered();
    QString error;
    runGuarded([this, &error] {
        error = FormStorage1->saveOnDestroy(
            letter(), viewChoices(), WindowPlacer::placementOf(*this), WindowPlacer::screenInfo());
    });
    if (!error.isEmpty() && !quiet)
        runGuarded([&error] { throw CommandError(error); });
}

void MainForm::logSettingsError(const QString& error) noexcept
{
    try {
        qWarning("Quillory: the settings could not be saved: %s",
                 qUtf8Printable(ErrorReport::finished(error)));
    } catch (...) {
        // Out of memory while ending: there is nowhere left to say it.
    }
}

} // namespace quillory::app
