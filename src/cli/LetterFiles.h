#pragma once

#include "Command.h"
#include "document/LetterFile.h"

#include <optional>

namespace quillory::cli {

/**
 * A letter file read for the command line: over a new letter, with the fonts
 * as the file stores them rather than taken over at a screen's resolution.
 * Prints the failure line and returns nothing when the file cannot be read;
 * prints the read's warning in the same form when the letter opened without
 * part of it.
 */
std::optional<document::LetterFile::Loaded> readLetterFile(const QString& path, Console& console);

/**
 * Refuses a letter whose payment code cannot be printed, before anything is
 * drawn: prints "quillory-cli: PATH: MESSAGE" and returns UsageFailure;
 * Success for a letter without a payment or with a sound one.
 */
int checkPayment(const QString& path, const document::Letter& letter, Console& console);

/** Whether path names a file of the given extension ("bri", "json"), in any case. */
bool hasExtension(const QString& path, const char* extension);

} // namespace quillory::cli
