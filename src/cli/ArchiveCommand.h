#pragma once

#include "Command.h"
#include "records/Database.h"
#include "records/LetterArchive.h"

namespace quillory::cli {

/**
 * The letter archive in the data folder (or --database FILE): takes letter
 * files in, folders with all the letter files below them, so letters written
 * before the archive are found too; searches it.
 */
class ArchiveCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("archive"); }
    QString summary() const override
    {
        return QStringLiteral("add letters to the archive, search it");
    }
    QString usage() const override
    {
        return QStringLiteral("(add PATH... | search WORDS... [--json] [--limit N]) "
                              "[--database FILE]");
    }
    int run(const QStringList& arguments, Console& console) override;

    /**
     * Adds records to the archive in the data folder (or database), as
     * --archive on render, print and merge asks; Success, or the failure line
     * and FileFailure.
     */
    static int record(const std::vector<records::LetterArchive::Record>& records, Console& console,
                      const QString& database = records::Database::defaultPath());
};

} // namespace quillory::cli
