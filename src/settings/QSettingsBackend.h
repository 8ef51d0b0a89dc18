#pragma once

#include "SettingsBackend.h"

#include <QMap>
#include <QVariantMap>

#include <memory>
#include <optional>

class QSettings;

namespace quillory::settings {

/**
 * The platform's native per-user store through QSettings: on Windows the
 * registry key HKEY_CURRENT_USER\Software\<program>\TMainForm, elsewhere the
 * INI file Software/<program>.ini in the user's configuration folder with
 * the group [TMainForm]; other groups lie beside it. <program> is the
 * program file's base name, so a copy under another name keeps settings of
 * its own.
 *
 * An INI file is read as far as it can be (a damaged line costs that line
 * only) and written whole at flush(): whatever could be read, with the
 * values written since over it, replaces the file in one step.
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

    StoredValue readIn(const QString& group, const QString& name) override;
    bool createGroup() override;
    bool writeIn(const QString& group, const QString& name, const QString& text) override;
    bool flush() override;

    /**
     * Writes the INI file at path anew: whatever could be read of it, with
     * changes ("group/name" to value) over it, replacing it in one step only
     * once every value is read back from what was written. False when that
     * failed; the old file then stays as it was.
     */
    static bool rewriteIniFile(const QString& path, const QVariantMap& changes);

private:
    std::unique_ptr<QSettings> openSettings() const;
    bool isIniFile() const;
    /** The text after "=" on the value's line in the INI file, as it stands there. */
    std::optional<QString> lineText(const QString& group, const QString& name) const;
    bool writeFileAnew();

    QString m_programName;
    std::unique_ptr<QSettings> m_settings;
    /** The registry: a fresh object per save, so that no read error of before counts. */
    std::unique_ptr<QSettings> m_writer;
    /** The INI file: values written since the last flush(), by "group/name". */
    QMap<QString, QString> m_pending;
};

} // namespace quillory::settings
