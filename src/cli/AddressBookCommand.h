#pragma once

#include "Command.h"

namespace quillory::cli {

/**
 * The address book in the data folder (or --database FILE): brings entries
 * in from a CSV table or vCard file, merging duplicates; writes them out as
 * either; lists them.
 */
class AddressBookCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("addressbook"); }
    QString summary() const override
    {
        return QStringLiteral("import, export or list the address book");
    }
    QString usage() const override
    {
        return QStringLiteral("(import FILE.csv|FILE.vcf [--map FELD=SPALTE,...] | "
                              "export FILE.csv|FILE.vcf | list [--json]) [--group NAME] "
                              "[--database FILE]");
    }
    int run(const QStringList& arguments, Console& console) override;
};

} // namespace quillory::cli
