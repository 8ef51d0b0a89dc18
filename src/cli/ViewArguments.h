#pragma once

#include "layout/Composer.h"

#include <QString>

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

/** The options for a usage line. */
inline QString usage()
{
    return QStringLiteral("[--blank-before-city] [--signature-text]");
}

} // namespace ViewArguments
} // namespace quillory::cli
