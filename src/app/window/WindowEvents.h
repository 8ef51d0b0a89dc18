#pragma once

#include "document/Letter.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace quillory::app {

/**
 * What happens to the letter in the window, for the parts to follow. The
 * form emits these where its state changes; a part listens and never needs
 * the form to call it. Every signal is emitted synchronously, so a listener
 * sees the form as it is at that moment. A part that puts letters out on its
 * own (a serial letter's run) emits the output's signals for them itself.
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
    /**
     * Letters went to the printer as they were printed: the letter, or a
     * serial letter's. Never for a job that failed or was cancelled.
     */
    void lettersPrinted(const QList<document::Letter>& letters);
    /**
     * Letters were written as PDF, as they are in it: all into the one file
     * of paths, or (a serial letter's, one file each) each into its own.
     * Never for a file that failed or was cancelled.
     */
    void pdfWritten(const QStringList& paths, const QList<document::Letter>& letters);
    /**
     * What the page shows moved without the letter changing: the printer or
     * its paper, the layout, a view choice, or what a part puts on it.
     */
    void pageSetUpChanged();
    /** The session ends with nobody to answer: keep what is unsaved for the next start. */
    void sessionEnding();
};

} // namespace quillory::app
