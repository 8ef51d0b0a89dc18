#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace quillory::settings {

/**
 * Per-user lists kept in settings groups of their own, beside the window's
 * stored properties and never among them: the recently opened letters, the
 * sender profiles. The platform's store (QSettingsListStore) puts them into
 * the same registry key or INI file; tests keep them in memory.
 */
class ListStore
{
public:
    virtual ~ListStore() = default;
    /** An empty list for a group or key that is not there. */
    virtual QStringList readList(const QString& group, const QString& key) = 0;
    /** False when the list could not be stored. */
    virtual bool writeList(const QString& group, const QString& key, const QStringList& list) = 0;
};

/** Lists in memory, for tests; a second window given the same store sees them as after a restart.
 */
class MemoryListStore : public ListStore
{
public:
    QMap<QString, QStringList> lists; ///< by "group/key"

    QStringList readList(const QString& group, const QString& key) override
    {
        return lists.value(group + QLatin1Char('/') + key);
    }
    bool writeList(const QString& group, const QString& key, const QStringList& list) override
    {
        lists.insert(group + QLatin1Char('/') + key, list);
        return true;
    }
};

/** The platform's per-user store, where QSettingsBackend keeps the window's properties. */
class QSettingsListStore : public ListStore
{
public:
    explicit QSettingsListStore(QString programName);
    QStringList readList(const QString& group, const QString& key) override;
    bool writeList(const QString& group, const QString& key, const QStringList& list) override;

private:
    QString m_programName;
};

} // namespace quillory::settings
