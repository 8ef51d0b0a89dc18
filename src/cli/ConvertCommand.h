#pragma once

#include "Command.h"

namespace quillory::cli {

/** Converts between a letter file and its JSON form, by the files' extensions. */
class ConvertCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("convert"); }
    QString summary() const override
    {
        return QStringLiteral(
            "convert a letter file to JSON (.json) or JSON to a letter file (.bri)");
    }
    QString usage() const override { return QStringLiteral("IN OUT"); }
    int run(const QStringList& arguments, Console& console) override;
};

} // namespace quillory::cli
