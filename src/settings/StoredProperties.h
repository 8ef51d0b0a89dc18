#pragma once

#include "FormStorage.h"

#include <functional>
#include <vector>

namespace quillory::settings {

/** One stored value: its name and how it is read from and written to its field. */
struct StoredProperty
{
    QString name;
    std::function<QString()> encode;
    /** Takes the trimmed stored text; leaves the field alone when it cannot be converted. */
    std::function<void(const QString&)> decode;
};

/** A text stored as it is. */
StoredProperty textProperty(const QString& name, QString& field);

/**
 * The seven values of a font, "<widget>_FontCharset" to "<widget>_FontStyle".
 * The size comes after the height, so it wins: a font keeps its point size
 * on a screen of another resolution.
 */
void addFontProperties(std::vector<StoredProperty>& list, const QString& widget,
                       document::LetterFont& font);

/** The stored properties of the main window, in the order they are restored and written. */
std::vector<StoredProperty> storedProperties(document::Letter& letter, ViewChoices& view);

} // namespace quillory::settings
