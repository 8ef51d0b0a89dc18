#pragma once

#include <QString>

namespace quillory::settings {

class SettingsBackend;

/**
 * The user's spell checking choices from the editing menu. They live in a
 * group of their own, "Rechtschreibung", beside the form's: "Unterstreichen"
 * ("1" or "0") and "Woerterbuch" (a dictionary's name such as "de_AT").
 */
struct SpellChoices
{
    /** "Rechtschreibung während der Eingabe prüfen"; on until the user turns it off. */
    bool underline = true;
    /** The dictionary chosen in the menu; empty: the one for the system language. */
    QString dictionary{};

    friend bool operator==(const SpellChoices&, const SpellChoices&) = default;

    /** What backend holds; a value missing or unreadable keeps its default. */
    static SpellChoices read(SettingsBackend& backend);
    /** Writes both values and flushes; the failure's message, or empty. */
    QString write(SettingsBackend& backend) const;
};

} // namespace quillory::settings
