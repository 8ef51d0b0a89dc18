#pragma once

#include <QString>

namespace quillory::settings {

/** One value as the store found it. */
struct StoredValue
{
    enum Kind {
        Missing,    ///< no such value (or no such group): not an error
        Text,       ///< a string value
        WrongType,  ///< present, but not a string: "Ungültiger Datentyp"
        Unreadable, ///< present, but could not be read: "Konnte Daten … nicht holen"
    };
    Kind kind = Missing;
    QString text;
};

/**
 * The per-user key/value store under the program's key: one group of named
 * string values. The registry on Windows and an INI file elsewhere implement
 * it; tests use an in-memory one that can fail on demand.
 */
class SettingsBackend
{
public:
    virtual ~SettingsBackend() = default;

    /** The name of the group all values live in. */
    static QString groupName() { return QStringLiteral("TMainForm"); }

    virtual StoredValue read(const QString& name) = 0;
    /** Makes sure the group exists for writing; false when it cannot be created. */
    virtual bool createGroup() = 0;
    /** Writes one string value; false when it could not be stored. */
    virtual bool write(const QString& name, const QString& text) = 0;
    /** Pushes what was written to permanent storage; false on failure. */
    virtual bool flush() = 0;
};

} // namespace quillory::settings
