#pragma once

#include "FileError.h"

#include <QByteArrayView>
#include <QString>

namespace quillory::document {

/**
 * Replaces the file at path with bytes, or leaves it as it was: the bytes go
 * to a temporary file in the same folder that is renamed over the old file
 * only once it is complete.
 */
FileError writeWholeFile(const QString& path, QByteArrayView bytes);

/** Reads a whole file, or tells why not. */
FileResult<QByteArray> readWholeFile(const QString& path);

} // namespace quillory::document
