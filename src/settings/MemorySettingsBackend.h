#pragma once

#include "SettingsBackend.h"

#include <QMap>
#include <QSet>
#include <QVariant>

namespace quillory::settings {

/**
 * Values held in memory, for tests: values of any type can be planted, and
 * reads, writes and the creation of the group can be made to fail. Values of
 * the form's group are held under their names, others as "group/name".
 */
class MemorySettingsBackend : public SettingsBackend
{
public:
    QMap<QString, QVariant> values;
    QSet<QString> unreadable; ///< names whose read fails
    QSet<QString> unwritable; ///< names whose write fails
    bool groupCreationFails = false;
    int writes = 0;

    StoredValue readIn(const QString& group, const QString& name) override;
    bool createGroup() override { return !groupCreationFails; }
    bool writeIn(const QString& group, const QString& name, const QString& text) override;

    static QString keyOf(const QString& group, const QString& name);
    bool flush() override { return true; }
};

} // namespace quillory::settings
