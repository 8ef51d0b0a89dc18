#pragma once

#include "SettingsBackend.h"

#include <memory>

class QSettings;

namespace quillory::settings {

/**
 * The platform's native per-user store through QSettings: on Windows the
 * registry key HKEY_CURRENT_USER\Software\<program>\TMainForm, elsewhere the
 * INI file Software/<program>.ini in the user's configuration folder with
 * the group [TMainForm]. <program> is the program file's base name, so a
 * copy under another name keeps settings of its own.
 */
class QSettingsBackend : public SettingsBackend
{
public:
    explicit QSettingsBackend(const QString& programName = programBaseName());
    ~QSettingsBackend() override;

    /** The running program file's name without folder and extension. */
    static QString programBaseName();
    /** Where the values are stored: a registry path or a file name. */
    QString location() const;

    StoredValue read(const QString& name) override;
    bool createGroup() override;
    bool write(const QString& name, const QString& text) override;
    bool flush() override;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace quillory::settings
