#pragma once

#include "window/Guarded.h"
#include "window/LetterWindow.h"
#include "window/WindowEvents.h"

#include <QObject>

#include <functional>
#include <utility>

class QPainter;

namespace quillory::settings {
struct ViewChoices;
}

namespace quillory::app {

/**
 * A feature beyond the form: it owns its widgets, actions and settings
 * group, listens to the window's events and talks to it only through
 * LetterWindow. The window calls the hooks below for all parts in the
 * order they were added; the defaults do nothing.
 */
class WindowPart : public QObject
{
    Q_OBJECT

public:
    /** Output the user asked for. */
    enum class Output { Print, Pdf };

    WindowPart(LetterWindow& window, const QString& name);

    /** The per-user store was read (or failed to be); view holds the form's stored view choices. */
    virtual void restoreSettings(const settings::ViewChoices& view);
    /** The form's view choices as they will be stored; a part adds the one it keeps there. */
    virtual void saveView(settings::ViewChoices& view) const;
    /** The window is on screen and its command-line letter open. */
    virtual void windowShown();

    /** Puts what this part's own fields hold of the letter into letter. */
    virtual void readLetter(document::Letter& letter) const;
    /** Shows letter's values in this part's own fields, as the form does in its own. */
    virtual void showLetter(const document::Letter& letter);
    /** Files every output reads and must never replace. */
    virtual QStringList inputFiles() const;
    /** Adds what this part puts on the printed page (forPdf as printRequest()). */
    virtual void shapeRequest(output::PrintRequest& request, bool forPdf) const;
    /** The letter the preview shows instead of the typed one; false when this part has none. */
    virtual bool shownLetter(output::PrintRequest& request) const;
    /** Screen-only drawing over the preview's page; never printed. */
    virtual void paintOverPreview(QPainter& painter, const output::PreviewRequest& request);
    /**
     * Before "Drucken" or "Als PDF speichern..." puts out request: a part may
     * change it or put out something else itself. False: nothing more to do.
     */
    virtual bool beforeOutput(Output output, output::PrintRequest& request);

protected:
    LetterWindow& window() const { return m_window; }
    /** Connects signal to handler, which runs inside the window's guard. */
    template <typename Sender, typename Signal, typename Handler>
    void connectGuarded(Sender* sender, Signal signal, Handler handler)
    {
        app::connectGuarded(m_window, sender, signal, this, std::move(handler));
    }
    /**
     * Writes this part's settings group with write (giving an error text or
     * none) and throws the error; does nothing in a run whose reading of
     * the store failed, so that it is left as it was.
     */
    void saveSettings(const std::function<QString(settings::SettingsBackend&)>& write);

private:
    LetterWindow& m_window;
};

} // namespace quillory::app
