#pragma once

#include "layout/Composer.h"

#include <QString>

namespace quillory::settings {
class SettingsBackend;
}

namespace quillory::app {

/**
 * The user's scanned signature from "Ihre Daten". It lives in a group of its
 * own, "Unterschrift", beside the form's: "Bild" (the path of the program's
 * own copy of the image, empty for none), "Hoehe" (millimetres) and "NurPdf"
 * ("1" or "0").
 */
struct SignatureChoice
{
    /** The copy in the program's data folder; empty: the dotted line. */
    QString imagePath{};
    int heightMm = layout::ViewOptions::kSignatureHeightMm;
    /** "Bild nur in PDF-Dateien verwenden": printed letters are signed by hand. */
    bool onlyInPdf = true;

    friend bool operator==(const SignatureChoice&, const SignatureChoice&) = default;

    /**
     * What backend holds; a value missing or unreadable keeps its default,
     * a height outside 8 to 40 mm is brought to the nearer end.
     */
    static SignatureChoice read(settings::SettingsBackend& backend);
    /** Writes all three values and flushes; the failure's message, or empty. */
    QString write(settings::SettingsBackend& backend) const;
};

} // namespace quillory::app
