#include "QSettingsBackend.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace quillory::settings {

QSettingsBackend::QSettingsBackend(const QString& programName)
{
#ifdef Q_OS_WIN
    m_settings = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + programName, QSettings::NativeFormat);
#else
    m_settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Software"), programName);
#endif
}

QSettingsBackend::~QSettingsBackend() = default;

QString QSettingsBackend::programBaseName()
{
    const QString path = QCoreApplication::applicationFilePath();
    const QString name = QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QStringLiteral("quillory") : name;
}

QString QSettingsBackend::location() const
{
    return m_settings->fileName();
}

StoredValue QSettingsBackend::read(const QString& name)
{
    const QString key = groupName() + QLatin1Char('/') + name;
    if (!m_settings->contains(key))
        return {StoredValue::Missing, QString()};
    const QVariant value = m_settings->value(key);
    switch (value.typeId()) {
    case QMetaType::QString:
        return {StoredValue::Text, value.toString()};
    case QMetaType::QStringList:
        // An INI line edited by hand without quotes reads as a list at its commas.
        return {StoredValue::Text, value.toStringList().join(QLatin1Char(','))};
    default:
        return {StoredValue::WrongType, QString()};
    }
}

bool QSettingsBackend::createGroup()
{
    return m_settings->isWritable();
}

bool QSettingsBackend::write(const QString& name, const QString& text)
{
    if (!m_settings->isWritable())
        return false;
    m_settings->setValue(groupName() + QLatin1Char('/') + name, text);
    return m_settings->status() == QSettings::NoError;
}

bool QSettingsBackend::flush()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace quillory::settings
