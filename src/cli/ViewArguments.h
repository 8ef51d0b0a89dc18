#pragma once

#include "layout/Composer.h"

#include <QString>

#include <optional>

namespace quillory::cli {

/**
 * The window's view choices that the letter file does not hold, as options of
 * the commands that draw a letter ("render", "print"), so both draw a page
 * the same way: "--blank-before-city" (Leer2Check) and "--signature-text"
 * (RadioButton2).
 */
namespace ViewArguments {

/** Sets the choice argument names and tells whether it named one. */
bool take(const QString& argument, layout::ViewOptions& view);

/** The layout "--layout" names: "1", "2", "din-a" or "din-b"; none for anything else. */
std::optional<layout::LayoutKind> layoutNamed(const QString& value);

/** Why a "--layout" value was refused. */
inline QString layoutProblem()
{
    return QStringLiteral("--layout takes 1, 2, din-a or din-b");
}

/** The style "--date-style" names: "numeric", "iso" or "long"; none for anything else. */
std::optional<layout::ViewOptions::DateStyle> dateStyleNamed(const QString& value);

/** Why a "--date-style" value was refused. */
inline QString dateStyleProblem()
{
    return QStringLiteral("--date-style takes numeric, iso or long");
}

/** The options for a usage line. */
inline QString usage()
{
    return QStringLiteral("[--blank-before-city] [--signature-text]");
}

} // namespace ViewArguments
} // namespace quillory::cli
