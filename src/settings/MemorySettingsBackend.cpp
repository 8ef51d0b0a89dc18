#include "MemorySettingsBackend.h"

namespace quillory::settings {

StoredValue MemorySettingsBackend::read(const QString& name)
{
    const auto it = values.constFind(name);
    if (it == values.constEnd())
        return {StoredValue::Missing, QString()};
    if (unreadable.contains(name))
        return {StoredValue::Unreadable, QString()};
    if (it->typeId() != QMetaType::QString)
        return {StoredValue::WrongType, QString()};
    return {StoredValue::Text, it->toString()};
}

bool MemorySettingsBackend::write(const QString& name, const QString& text)
{
    if (unwritable.contains(name))
        return false;
    values.insert(name, text);
    ++writes;
    return true;
}

} // namespace quillory::settings
