#pragma once

#include <QString>

namespace quillory::app {

/**
 * The program's own copy of an image the user chose (the signature, the
 * letterhead), kept in the data folder as baseName plus the original's
 * suffix, so that moving or deleting the original loses nothing.
 */
class KeptCopy
{
public:
    explicit KeptCopy(QString baseName) : m_baseName(std::move(baseName)) {}

    /** Whether path is such a copy in dataFolder; a path elsewhere is the user's own file. */
    bool isOwn(const QString& path, const QString& dataFolder) const;
    /**
     * Copies chosen into dataFolder, replacing the copy at old, and gives the
     * new copy's path. The old copy stays until the new one is whole; a
     * failure throws CommandError.
     */
    QString keep(const QString& chosen, const QString& dataFolder, const QString& old) const;

private:
    QString m_baseName;
};

} // namespace quillory::app
