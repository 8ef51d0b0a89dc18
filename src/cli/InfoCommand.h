#pragma once

#include "Command.h"

namespace quillory::cli {

/** Shows a letter file's values, readably or as one JSON object. */
class InfoCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("info"); }
    QString summary() const override { return QStringLiteral("show the values of a letter file"); }
    QString usage() const override { return QStringLiteral("[--json] FILE.bri"); }
    int run(const QStringList& arguments, Console& console) override;
};

} // namespace quillory::cli
