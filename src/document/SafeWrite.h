#pragma once

#include "FileError.h"

#include <QByteArrayView>
#include <QString>

namespace quillory::document {

/**
 * Replaces the file at path with bytes, or leaves it as it was: the bytes go
 * to a temporary file in the same folder that is renamed over the old file
 * only once it is complete.
 *
 * Only where the folder forbids creating that temporary file is the file
 * itself overwritten in place (a letter the user may write, kept in a folder
 * they may not add to); a failure partway then leaves it partly written.
 */
FileError writeWholeFile(const QString& path, QByteArrayView bytes);

/**
 * Reads a whole file, or tells why not. A file of more than maxBytes is
 * refused (FileError::tooLarge); from a device or pipe, which tells no size,
 * at most maxBytes + 1 bytes are read to find that out.
 */
FileResult<QByteArray> readWholeFile(const QString& path, qint64 maxBytes);

} // namespace quillory::document
