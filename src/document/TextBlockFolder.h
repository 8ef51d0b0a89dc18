#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quillory::document {

/**
 * The user's text blocks: one UTF-8 text file per block, "<name>.txt", in
 * one folder, so that they can be copied, backed up and shared like any
 * other file. A folder that does not exist holds no blocks; saving the
 * first one creates it.
 *
 * Every change returns the message the user reads (naming the file) or an
 * empty text when it was done; a failed change leaves the files as they were.
 */
class TextBlockFolder
{
public:
    explicit TextBlockFolder(QString folder);

    const QString& folder() const { return m_folder; }

    /** The blocks' names, in the order a German reader looks for them. */
    QStringList names() const;

    /**
     * Whether name can be a block's file name on every system the blocks may
     * travel to: not empty, no separators, no control characters, not "." or
     * "..", and no spaces at its ends, which some systems drop.
     */
    static bool isValidName(const QString& name);

    /** The file that holds the block name (which need not exist). */
    QString filePath(const QString& name) const;
    bool contains(const QString& name) const;

    /** The block's text with LF line ends and without a byte order mark; nothing with error set. */
    std::optional<QString> read(const QString& name, QString& error) const;

    /** Writes text as the block name, replacing one of that name. */
    [[nodiscard]] QString save(const QString& name, const QString& text) const;
    /** Gives the block from the name to; a block already called to stays as it is. */
    [[nodiscard]] QString rename(const QString& from, const QString& to) const;
    [[nodiscard]] QString remove(const QString& name) const;

private:
    QString m_folder;
};

} // namespace quillory::document
