#pragma once

#include "Command.h"

namespace quillory::cli {

/**
 * A serial letter: one letter file sent to every record of a CSV table or
 * every entry of the address book (or of one of its groups), into one PDF, a
 * PDF per record or one print job "Serienbrief". Prints the number of
 * letters and of pages.
 */
class MergeCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("merge"); }
    QString summary() const override
    {
        return QStringLiteral("send a letter file to every record of a CSV table or address book");
    }
    QString usage() const override
    {
        return QStringLiteral(
            "LETTER.bri (DATA.csv | --adressbuch [--gruppe NAME]) "
            "(-o OUT.pdf | --each DIR [--name PATTERN] [--overwrite] | "
            "--print [--printer NAME]) [--layout 1|2|din-a|din-b] [--duplex] [--delimiter C] "
            "[--encoding utf-8|windows-1252] [--records FROM-TO] "
            "[--anrede-spalten ANREDE,TITEL,NACHNAME[,VORNAME]] "
            "[--blank-before-city] [--signature-text] [--archive] [--database FILE]");
    }
    bool needsGuiApplication() const override { return true; }
    int run(const QStringList& arguments, Console& console) override;
};

} // namespace quillory::cli
