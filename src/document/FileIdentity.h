#pragma once

#include <QString>
#include <QStringList>

namespace quillory::document {

/**
 * Whether two names lead to one file: the same path once links and "." or
 * ".." are resolved, or, where the system tells it, the same file under two
 * names (a hard link, a folder mounted twice). Names of files that do not
 * exist are compared as absolute paths.
 */
bool isSameFile(const QString& a, const QString& b);

/**
 * The first of inputs that writing output would replace, so that a command
 * never destroys what it reads; empty when output is none of them.
 */
QString inputAt(const QString& output, const QStringList& inputs);

/** Why an output is refused that is the input file input. */
QString outputIsInputText(const QString& input);

} // namespace quillory::document
