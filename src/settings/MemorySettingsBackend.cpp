#include "MemorySettingsBackend.h"

namespace quillory::settings {

QString MemorySettingsBackend::keyOf(const QString& group, const QString& name)
{
    return group == groupName() ? name : group + QLatin1Char('/') + name;
}

StoredValue MemorySettingsBackend::readIn(const QString& group, const QString& name)
{
    const QString key = keyOf(group, name);
    const auto it = values.constFind(key);
    if (it == values.constEnd())
        return {StoredValue::Missing, QString()};
    if (unreadable.contains(key))
        return {StoredValue::Unreadable, QString()};
    if (it->typeId() != QMetaType::QString)
        return {StoredValue::WrongType, QString()};
    return {StoredValue::Text, it->toString()};
}

bool MemorySettingsBackend::writeIn(const QString& group, const QString& name, const QString& text)
{
    const QString key = keyOf(group, name);
    if (unwritable.contains(key))
        return false;
    values.insert(key, text);
    ++writes;
    return true;
}

} // namespace quillory::settings
