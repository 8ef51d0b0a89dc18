#include "features/archive/ArchivePart.h"

#include "features/archive/ArchiveDialog.h"
#include "support/SharedRecords.h"
#include "window/WindowEvents.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace quillory::app {

using records::LetterArchive;

namespace {

const QString kUnavailable = QStringLiteral("Die Briefablage ist nicht verfügbar.");

} // namespace

ArchivePart::ArchivePart(LetterWindow& window) : WindowPart(window, QStringLiteral("Archive"))
{
    window.addPart(this);
    auto* entry = new QAction(QStringLiteral("Briefablage..."), this);
    entry->setObjectName(QStringLiteral("Briefablage1"));
    window.addMenuEntry(LetterWindow::MenuPlace::FileAfterOpen, entry);
    connectGuarded(entry, &QAction::triggered, [this] { openDialog(); });

    WindowEvents& events = window.events();
    connectGuarded(&events, &WindowEvents::letterFileSaved,
                   [this](const QString& path) { record(LetterArchive::Event::Saved, path); });
    connectGuarded(&events, &WindowEvents::letterPrinted,
                   [this] { record(LetterArchive::Event::Printed, this->window().fileName()); });
    connectGuarded(&events, &WindowEvents::pdfWritten,
                   [this](const QString& path) { record(LetterArchive::Event::Pdf, path); });
}

void ArchivePart::record(LetterArchive::Event event, const QString& path)
{
    // The output is done whatever happens here: a row that cannot be kept is
    // only said, so that saving never fails for the archive's sake.
    records::Database* database = SharedRecords::of(window()).database();
    if (!database) {
        window().showStatus(kUnavailable, LetterWindow::kStatusNoteMs);
        return;
    }
    LetterArchive archive(*database);
    if (!archive.add({event,
                      path,
                      QDateTime::currentDateTimeUtc(),
                      {records::LetterText::of(window().letter())}})) {
        window().showStatus(QStringLiteral("Nicht in die Briefablage aufgenommen: ") +
                                archive.errorString(),
                            LetterWindow::kStatusNoteMs);
        return;
    }
    if (m_dialog && m_dialog->isVisible())
        search(m_dialog->words());
}

void ArchivePart::openDialog()
{
    if (!m_dialog) {
        m_dialog = new ArchiveDialog(window().widget());
        connectGuarded(m_dialog.data(), &ArchiveDialog::searchChanged,
                       [this](const QString& words) { search(words); });
        connectGuarded(
            m_dialog.data(), &ArchiveDialog::openRequested,
            [this](const QString& path, LetterArchive::Event event) { open(path, event); });
    }
    search(m_dialog->words());
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void ArchivePart::search(const QString& words)
{
    records::Database* database = SharedRecords::of(window()).database();
    if (!database) {
        m_dialog->showHits({}, kUnavailable);
        return;
    }
    LetterArchive archive(*database);
    const auto hits = archive.search(words, kNewest);
    m_dialog->showHits(hits, archive.errorString());
}

void ArchivePart::open(const QString& path, LetterArchive::Event event)
{
    // A PDF is no letter to edit: it goes to the system's viewer.
    if (event == LetterArchive::Event::Pdf) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            window().showStatus(QStringLiteral("„%1“ kann nicht angezeigt werden.")
                                    .arg(QDir::toNativeSeparators(path)),
                                LetterWindow::kStatusNoteMs);
        return;
    }
    window().openLetter(path);
}

} // namespace quillory::app
