#pragma once

#include "document/LetterFont.h"

#include <QString>

#include <optional>

namespace quillory::settings {

/**
 * How values are written as text in the per-user store, and read back. The
 * texts are locale-independent, so settings survive a change of the user's
 * regional format.
 */
namespace SettingsEncoding {

/** Removes blanks and control characters (anything up to U+0020) at both ends. */
QString trimmed(const QString& text);

/** Shortest text that reads back as the same double, "." as decimal separator: 20, 12.5. */
QString encodeNumber(double value);
/** A finite number with "." as decimal separator and no grouping; nothing for anything else. */
std::optional<double> decodeNumber(const QString& text);

QString encodeBool(bool value);
/** "True"/"False" in any case; nothing for anything else. */
std::optional<bool> decodeBool(const QString& text);

/** A whole number in decimal; text that is not one gives 0. */
int decodeWholeNumber(const QString& text);

/** "fpDefault", "fpVariable", "fpFixed". */
QString encodePitch(document::FontPitch pitch);
std::optional<document::FontPitch> decodePitch(const QString& text);

/** "[fsBold,fsItalic]" and the like; "[]" for none. */
QString encodeStyle(quint8 styleBits);
/** Every word naming a style turns it on; other words are ignored. */
quint8 decodeStyle(const QString& text);

} // namespace SettingsEncoding
} // namespace quillory::settings
