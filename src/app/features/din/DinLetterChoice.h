#pragma once

#include "layout/Composer.h"

#include <QString>

namespace quillory::settings {
class SettingsBackend;
}

namespace quillory::app {

/**
 * The user's choices for DIN letters, in a group of their own, "DinBrief",
 * beside the form's: "Form" ("A", "B" or empty for the form's own layout),
 * "Briefkopf" (the path of the program's copy of the letterhead image),
 * "Datum" ("Ziffern", "ISO" or "Lang") and "Vordruck" ("1" or "0").
 */
struct DinLetterChoice
{
    enum class Form { None, A, B };
    using DateStyle = layout::ViewOptions::DateStyle;

    Form form = Form::None;
    /** The copy in the program's data folder; empty: the sender's lines. */
    QString imagePath{};
    DateStyle dateStyle = DateStyle::Numeric;
    /** "Papier mit Vordruck": printing leaves the letterhead and footer out. */
    bool preprinted = false;

    friend bool operator==(const DinLetterChoice&, const DinLetterChoice&) = default;

    /** What backend holds; a value missing or unknown keeps its default. */
    static DinLetterChoice read(settings::SettingsBackend& backend);
    /** Writes all four values and flushes; the failure's message, or empty. */
    QString write(settings::SettingsBackend& backend) const;
};

} // namespace quillory::app
