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
 * The per-user key/value store under the program's key: the group of named
 * string values the form stores, and groups of their own for choices that
 * are not among the form's properties. The registry on Windows and an INI
 * file elsewhere implement it; tests use an in-memory one that can fail on
 * demand.
 */
class SettingsBackend
{
public:
    virtual ~SettingsBackend() = default;

    /** The name of the group all values live in. */
    static QString groupName() { return QStringLiteral("TMainForm"); }

    /** A value of the form's group. */
    virtual StoredValue read(const QString& name) { return readIn(groupName(), name); }
    /** A value of any group. */
    virtual StoredValue readIn(const QString& group, const QString& name) = 0;
    /** Makes sure the group exists for writing; false when it cannot be created. */
    virtual bool createGroup() = 0;
    /** Writes one string value of the form's group; false when it could not be stored. */
    virtual bool write(const QString& name, const QString& text)
    {
        return writeIn(groupName(), name, text);
    }
    /** Writes one string value of any group; false when it could not be stored. */
    virtual bool writeIn(const QString& group, const QString& name, const QString& text) = 0;
    /** Pushes what was written to permanent storage; false on failure. */
    virtual bool flush() = 0;
};

} // namespace quillory::settings
