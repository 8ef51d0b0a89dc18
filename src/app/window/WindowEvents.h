#pragma once

#include <QObject>
#include <QString>

namespace quillory::app {

/**
 * What happens to the letter in the window, for the parts to follow. The
 * form emits these where its state changes; a part listens and never needs
 * the form to call it. Every signal is emitted synchronously, so a listener
 * sees the form as it is at that moment.
 */
class WindowEvents : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    /** The letter changed (typed, a font chosen, a field set by a part): it has unsaved changes. */
    void letterEdited();
    /** Nothing unsaved any more: saved, new, opened, or given up at the close. */
    void letterClean();
    /** Another letter took the typed one's place (new, opened, recovered). */
    void letterReplaced();
    /** The letter was read from path, now the window's file. */
    void letterFileOpened(const QString& path);
    /** The letter was written to path, now the window's file. */
    void letterFileSaved(const QString& path);
    /** "Drucken" sent the letter to the printer; never for a job that failed or was cancelled. */
    void letterPrinted();
    /** "Als PDF speichern..." wrote the letter to path; never for a failed or cancelled one. */
    void pdfWritten(const QString& path);
    /**
     * What the page shows moved without the letter changing: the printer or
     * its paper, the layout, a view choice, or what a part puts on it.
     */
    void pageSetUpChanged();
    /** The session ends with nobody to answer: keep what is unsaved for the next start. */
    void sessionEnding();
};

} // namespace quillory::app
