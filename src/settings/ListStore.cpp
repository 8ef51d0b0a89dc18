#include "ListStore.h"

#include "QSettingsBackend.h"

#include <QSettings>

#include <memory>

namespace quillory::settings {
namespace {

std::unique_ptr<QSettings> open(const QString& programName)
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + programName, QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Software"), programName);
#endif
}

} // namespace

QSettingsListStore::QSettingsListStore(QString programName) : m_programName(std::move(programName))
{}

QStringList QSettingsListStore::readList(const QString& group, const QString& key)
{
    // A fresh object each time: the window's own store may have replaced the
    // file since, and nothing of an older reading may be written back.
    const auto settings = open(m_programName);
    return settings->value(group + QLatin1Char('/') + key).toStringList();
}

bool QSettingsListStore::writeList(const QString& group, const QString& key,
                                   const QStringList& list)
{
    const auto settings = open(m_programName);
    const QString name = group + QLatin1Char('/') + key;
    // A file is written whole and checked, like the window's own values.
    if (settings->format() == QSettings::IniFormat)
        return QSettingsBackend::rewriteIniFile(settings->fileName(), {{name, list}});
    settings->setValue(name, list);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace quillory::settings
