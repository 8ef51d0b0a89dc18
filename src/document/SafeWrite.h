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

/**
 * Reads a whole file, or tells why not. A file of more than maxBytes is
 * refused (FileError::tooLarge); from a device or pipe, which tells no size,
 * at most maxBytes + 1 bytes are read to find that out.
 */
FileResult<QByteArray> readWholeFile(const QString& path, qint64 maxBytes);

} // namespace quillory::document
