#pragma once

#include "Command.h"

namespace quillory::cli {

/**
 * Lists the words of a letter's text fields that the German dictionary does
 * not know, after the user's own word list, one a line with where it stands
 * and up to five suggestions, each line as soon as its word is found. Only
 * the first 100 distinct words get suggestions: looking them up is what
 * takes long. Exits 3 when there are any, so a script can check a folder of
 * letters.
 */
class SpellCommand : public Command
{
public:
    static constexpr int kUnknownWords = 3;

    QString name() const override { return QStringLiteral("spell"); }
    QString summary() const override
    {
        return QStringLiteral("unknown words of the text fields (exit 3: some)");
    }
    QString usage() const override
    {
        return QStringLiteral(
            "FILE.bri [--dictionary de_DE] [--signature-text] [--no-suggestions] [--json]");
    }
    int run(const QStringList& arguments, Console& console) override;
};

} // namespace quillory::cli
