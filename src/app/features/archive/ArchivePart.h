#pragma once

#include "records/LetterArchive.h"
#include "window/WindowPart.h"

#include <QList>
#include <QPointer>
#include <QStringList>

namespace quillory::app {

class ArchiveDialog;

/**
 * The letter archive of the window: every letter saved, printed or written
 * as PDF here goes into it, and "Briefablage..." finds it again by any word
 * of its recipient, subject or text.
 *
 * Keeping the row is a side matter of the output: the letter is saved or
 * printed whether or not the archive takes it, and a failure is a note in
 * the status bar, never a question. Nothing opens the database before the
 * first output or "Briefablage...".
 */
class ArchivePart : public WindowPart
{
    Q_OBJECT

public:
    /** What "Briefablage..." lists with an empty search field: the newest. */
    static constexpr int kNewest = 200;

    explicit ArchivePart(LetterWindow& window);

private:
    /** Letters put out to paths: all into the one path, or each into its own. */
    void record(records::LetterArchive::Event event, const QStringList& paths,
                const QList<document::Letter>& letters);
    void openDialog();
    /** The dialog's list for words, newest first. */
    void search(const QString& words);
    void open(const QString& path, records::LetterArchive::Event event);

    QPointer<ArchiveDialog> m_dialog;
};

} // namespace quillory::app
