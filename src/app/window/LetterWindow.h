#pragma once

#include "document/Letter.h"
#include "window/Prompts.h"

#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QWidget;

namespace quillory::output {
class PreviewRenderer;
struct PreviewRequest;
struct PrintOutcome;
struct PrintRequest;
class PrintTarget;
} // namespace quillory::output

namespace quillory::settings {
class ListStore;
class SettingsBackend;
} // namespace quillory::settings

namespace quillory::app {

class PrinterAccess;
class WindowEvents;
class WindowPart;

/**
 * What a part of the window may see and do: the one way in for every
 * feature beyond the form. MainForm implements it; tests of a part use a
 * small fake. Commands that fail throw CommandError, inside the guard.
 */
class LetterWindow
{
public:
    /** The form's places a part puts its widgets in. */
    enum class Place {
        LetterTab,    ///< "Brief schreiben"
        SenderTab,    ///< "Ihre Daten"
        PreviewPanel, ///< the preview's panel above the page
        StatusBar,
    };
    /** Named places in the menus for a part's entries. */
    enum class MenuPlace {
        FileAfterOpen,   ///< "Datei", after "Öffnen"
        FileAfterOutput, ///< "Datei", after "Als PDF speichern..."
        EditingEnd,      ///< the end of "Bearbeiten des Haupttextes"
    };

    /** How long a note stays in the status bar; it hides what parts show there meanwhile. */
    static constexpr int kStatusNoteMs = 10000;

    virtual ~LetterWindow() = default;

    /** The window itself: the parent of a part's dialogs and the owner of its objects. */
    virtual QWidget* widget() = 0;
    virtual WindowEvents& events() = 0;
    virtual Prompts& prompts() = 0;
    /** Runs a handler; a failure is reported and gives false. Never throws. */
    virtual bool runGuarded(const std::function<void()>& handler) noexcept = 0;
    /** A note in the status bar; timeoutMs 0 keeps it until the next one. */
    virtual void showStatus(const QString& text, int timeoutMs = 0) = 0;

    // Where parts go.
    virtual QWidget* place(Place place) = 0;
    /** Puts action (an entry or a submenu's action) at place, in the order added. */
    virtual void addMenuEntry(MenuPlace place, QAction* action) = 0;
    /** A part joins the window, which then calls its hooks; the window owns it. */
    virtual void addPart(WindowPart* part) = 0;

    // The letter.
    virtual document::Letter letter() const = 0;
    /** The letter's file; empty while it has none. */
    virtual QString fileName() const = 0;
    virtual bool isChanged() const = 0;
    /** As if typed: every field that differs takes its value and the letter is modified. */
    virtual void editLetter(const document::Letter& edited) = 0;
    /** A part's own field of the letter changed: modified, as if typed into the form. */
    virtual void markEdited() = 0;
    /** Adds page as the last tab, titled title. */
    virtual void addTab(QWidget* page, const QString& title) = 0;
    /** The form's widget of a text field (TextFields' key); null for none. */
    virtual QWidget* textField(const QString& key) = 0;
    /** Opens path in place of the letter, after the question about unsaved changes. */
    virtual void openLetter(const QString& path) = 0;
    /**
     * A letter from elsewhere (a recovery copy) takes the typed one's place:
     * unsaved, under fileName, so that "Speichern" writes it there.
     */
    virtual void takeUnsavedLetter(const document::Letter& letter, const QString& fileName) = 0;

    // Pages and output.
    /** The typed letter with the view and layout it is put out in; forPdf as a PDF gets it. */
    virtual output::PrintRequest printRequest(bool forPdf) const = 0;
    /** What the preview shows now, on the current printer's page. */
    virtual output::PreviewRequest previewRequest() const = 0;
    /** The preview's renderer: its layoutFor(previewRequest()) is the page on the screen. */
    virtual output::PreviewRenderer& preview() = 0;
    /** Whether the preview's tab is the one shown. */
    virtual bool isPreviewShown() const = 0;
    virtual void repaintPreview() = 0;
    /** The shown letter may have other pages now: the preview counts them again. */
    virtual void recountPages() = 0;
    virtual PrinterAccess& printer() = 0;
    /** A job with a progress dialog over parent for longer letters; a failure throws. */
    virtual output::PrintOutcome runPrintJob(output::PrintTarget& target,
                                             const output::PrintRequest& request,
                                             QWidget* parent) = 0;
    /** "3 Seiten an Buero-Laser gesendet" in the status bar. */
    virtual void showSentToPrinter(int pages) = 0;
    /** Asks for the file "Als PDF speichern..." writes, from its last one; empty: cancelled. */
    virtual QString askPdfName() = 0;
    /** Throws when output is a file the letter is read from or written with, or one of more. */
    virtual void refuseInputAsOutput(const QString& output, const QStringList& more) const = 0;

    // Per-user data.
    /** The per-user store, read before the parts restore their settings. */
    virtual settings::SettingsBackend& settingsStore() = 0;
    /** False when reading the store failed this run: nothing may then be written into it. */
    virtual bool mayWriteSettings() const = 0;
    virtual settings::ListStore& listStore() = 0;
    /** The program's folder for the user's data: recovery copies, the signature image. */
    virtual QString dataFolder() const = 0;
};

} // namespace quillory::app
