#pragma once

#include "document/Letter.h"
#include "SettingsBackend.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace quillory::settings {

/** The per-user view choices that no letter file carries. */
struct ViewChoices
{
    bool layout2 = false;                  // Layout2Check (else Layout1Check)
    bool blankBeforeRecipientCity = false; // Leer2Check
    /**
     * The window envelope the address is checked against, by its name ("kein",
     * "DL", ...); empty: none stored. Not one of the form's properties: it is
     * kept in a group of its own, "Fensterumschlag".
     */
    QString envelope{};
    friend bool operator==(const ViewChoices&, const ViewChoices&) = default;
};

/** The main window's placement as stored. */
struct WindowPlacement
{
    enum ShowCommand { Normal = 1, Minimized = 2, Maximized = 3 };

    int flags = 0;
    int showCommand = Normal;
    int pixelsPerInch = 96;
    QPoint minimizedPosition{-1, -1};
    QPoint maximizedPosition{-1, -1};
    /** The normal (restored) frame rectangle: position and size. */
    QRect normalGeometry;
};

/** What the window needs to know of its screen to store and restore a placement. */
struct ScreenInfo
{
    int pixelsPerInch = 96;
    QSize size;
};

/** What a restore asks of the window. */
struct RestoredPlacement
{
    /** Set only when a position was stored at the screen's current resolution. */
    std::optional<QRect> normalGeometry;
    WindowPlacement::ShowCommand state = WindowPlacement::Normal;
};

/**
 * The per-user settings of the main window: the sender data and layout
 * settings of the letter, the two fonts, the view choices and the window
 * placement, restored when the window is first shown and saved when it is
 * allowed to close. Values are string values named after the widget and its
 * property ("Edit10_Text", "FontDialog1_FontSize", ...) in the group
 * "TMainForm". Choices added since live in groups of their own beside it,
 * so that group keeps exactly the properties it always had.
 *
 * Nothing is written in a run whose restore failed, so a store that could not
 * be read is never overwritten with defaults.
 */
class FormStorage
{
public:
    explicit FormStorage(SettingsBackend& backend) : m_backend(backend) {}

    struct RestoreResult
    {
        /** Set when the window placement could be read (possibly without a position). */
        std::optional<RestoredPlacement> placement;
        /** The German error text when reading failed; the properties were then left alone. */
        QString error;
    };

    /**
     * Restores the stored values over letter and view. A missing value keeps
     * the current one, trimmed; a value that cannot be converted keeps it
     * as it is. current is the window's placement before the restore.
     */
    RestoreResult restore(document::Letter& letter, ViewChoices& view,
                          const WindowPlacement& current, const ScreenInfo& screen);

    /**
     * Saves everything; returns the German error text, empty on success.
     * Does nothing unless a restore succeeded in this run.
     */
    QString save(const document::Letter& letter, const ViewChoices& view,
                 const WindowPlacement& placement, const ScreenInfo& screen);

    /** The last chance while the window goes away: saves only if the earlier save did not. */
    QString saveOnDestroy(const document::Letter& letter, const ViewChoices& view,
                          const WindowPlacement& placement, const ScreenInfo& screen);

    bool isRestored() const { return m_restored; }
    bool isSaved() const { return m_saved; }

private:
    QString write(const document::Letter& letter, const ViewChoices& view,
                  const WindowPlacement& placement, const ScreenInfo& screen, bool visible);

    SettingsBackend& m_backend;
    bool m_restored = false;
    bool m_saved = false;
};

} // namespace quillory::settings
