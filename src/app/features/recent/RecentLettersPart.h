#pragma once

#include "window/WindowPart.h"

#include <memory>

class QMenu;

namespace quillory::app {

class RecentLetters;

/**
 * "Datei" > "Zuletzt geöffnet": every letter opened or saved goes to the top
 * of the list; the submenu is filled each time it opens, so the start reads
 * no list at all and the menu never shows a stale one.
 */
class RecentLettersPart : public WindowPart
{
    Q_OBJECT

public:
    explicit RecentLettersPart(LetterWindow& window);
    ~RecentLettersPart() override;

    /** The submenu, "ZuletztGeoeffnet1". */
    QMenu* menu() const { return m_menu; }
    /** A letter chosen from the list: one that is gone is taken off it with a note. */
    void openRecent(const QString& path);

private:
    /** Read from the window's list store at the first use. */
    RecentLetters& recentLetters();
    void rememberLetter();
    void fillMenu();

    QMenu* m_menu = nullptr;
    std::unique_ptr<RecentLetters> m_recent;
};

} // namespace quillory::app
