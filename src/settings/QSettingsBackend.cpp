#include "QSettingsBackend.h"

#include "document/SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <limits>

namespace quillory::settings {
namespace {

QString keyOf(const QString& group, const QString& name)
{
    return group + QLatin1Char('/') + name;
}

/** An INI file gives a list of fewer than two entries back as a text or as nothing. */
bool isSameValue(const QVariant& read, const QVariant& written)
{
    if (written.typeId() == QMetaType::QStringList)
        return read.toStringList() == written.toStringList();
    return read == written;
}

} // namespace

QSettingsBackend::QSettingsBackend(const QString& programName)
    : m_programName(programName), m_settings(openSettings())
{}

QSettingsBackend::~QSettingsBackend() = default;

std::unique_ptr<QSettings> QSettingsBackend::openSettings() const
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + m_programName, QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Software"), m_programName);
#endif
}

bool QSettingsBackend::isIniFile() const
{
    return m_settings->format() == QSettings::IniFormat;
}

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

StoredValue QSettingsBackend::readIn(const QString& group, const QString& name)
{
    // status() is not asked: it keeps a damaged line's FormatError for good,
    // while every other line has been read all the same.
    const QString key = keyOf(group, name);
    if (!m_settings->contains(key))
        return {StoredValue::Missing, QString()};
    const QVariant value = m_settings->value(key);
    switch (value.typeId()) {
    case QMetaType::QString:
        return {StoredValue::Text, value.toString()};
    case QMetaType::QStringList:
        // A line edited by hand without quotes reads as a list, split at its
        // commas and without the blanks after them; the line has it as written.
        if (const std::optional<QString> text = lineText(group, name))
            return {StoredValue::Text, *text};
        return {StoredValue::Text, value.toStringList().join(QLatin1Char(','))};
    default:
        return {StoredValue::WrongType, QString()};
    }
}

std::optional<QString> QSettingsBackend::lineText(const QString& groupName,
                                                  const QString& name) const
{
    if (!isIniFile())
        return std::nullopt;
    QFile file(m_settings->fileName());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    const QByteArray group = groupName.toLatin1();
    const QByteArray wanted = name.toUtf8();
    // Sections as QSettings takes them: a missing "]" ends the name at the line's end.
    bool inGroup = false;
    std::optional<QString> found;
    for (QByteArray line : data.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmedLine = line.trimmed();
        if (trimmedLine.startsWith('[')) {
            const qsizetype end = trimmedLine.indexOf(']');
            inGroup = trimmedLine.mid(1, end < 0 ? -1 : end - 1).trimmed() == group;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inGroup && equals > 0 && line.left(equals).trimmed() == wanted)
            found = QString::fromUtf8(line.mid(equals + 1).trimmed()); // the last one counts
    }
    return found;
}

bool QSettingsBackend::createGroup()
{
    m_pending.clear();
    if (!m_settings->isWritable())
        return false;
    if (!isIniFile())
        m_writer = openSettings();
    return true;
}

bool QSettingsBackend::writeIn(const QString& group, const QString& name, const QString& text)
{
    if (isIniFile()) {
        m_pending.insert(keyOf(group, name), text);
        return true;
    }
    if (!m_writer)
        m_writer = openSettings();
    m_writer->setValue(keyOf(group, name), text);
    return m_writer->status() == QSettings::NoError;
}

bool QSettingsBackend::flush()
{
    if (isIniFile())
        return writeFileAnew();
    if (!m_writer)
        return true;
    m_writer->sync();
    return m_writer->status() == QSettings::NoError;
}

bool QSettingsBackend::writeFileAnew()
{
    QVariantMap changes;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        changes.insert(it.key(), it.value());
    if (!rewriteIniFile(m_settings->fileName(), changes))
        return false;
    m_pending.clear();
    // Later reads see the new file, with nothing of the old one's damage.
    m_settings = openSettings();
    return true;
}

bool QSettingsBackend::rewriteIniFile(const QString& path, const QVariantMap& changes)
{
    // QSettings keeps the first error it met, a damaged line's included, so
    // its status after a write into the damaged file would say nothing about
    // that write. The store is written into a file of its own instead, with
    // what could be read and these values over it; that file's status is the
    // write's, and its bytes then replace the old file in one step.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    const QString scratchPath = scratch.filePath(QStringLiteral("settings.ini"));
    QVariantMap values;
    {
        // This file's own values only: defaults from system-wide files stay there.
        const QSettings current(path, QSettings::IniFormat);
        for (const QString& key : current.allKeys())
            values.insert(key, current.value(key));
    }
    values.insert(changes);
    {
        QSettings whole(scratchPath, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            whole.setValue(it.key(), it.value());
        whole.sync();
        if (whole.status() != QSettings::NoError)
            return false;
    }
    // QSettings misses an error of its last write and may call a file that
    // the disk cut short written; so the file is read back, under another
    // name, as QSettings would otherwise answer from what it remembers.
    const QString checkPath = scratch.filePath(QStringLiteral("check.ini"));
    if (!QFile::rename(scratchPath, checkPath))
        return false;
    {
        const QSettings written(checkPath, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (!written.contains(it.key()) || !isSameValue(written.value(it.key()), it.value()))
                return false;
        }
    }
    const document::FileResult<QByteArray> bytes =
        document::readWholeFile(checkPath, std::numeric_limits<qint32>::max());
    if (!bytes)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return !document::writeWholeFile(path, *bytes);
}

} // namespace quillory::settings
