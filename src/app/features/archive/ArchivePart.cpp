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
    connectGuarded(&events, &WindowEvents::letterFileSaved, [this](const QString& path) {
        record(LetterArchive::Event::Saved, {path}, {this->window().letter()});
    });
    // A printed letter is kept under the file it was printed from, if any.
    connectGuarded(&events, &WindowEvents::lettersPrinted,
                   [this](const QList<document::Letter>& letters) {
                       record(LetterArchive::Event::Printed, {this->window().fileName()}, letters);
                   });
    connectGuarded(&events, &WindowEvents::pdfWritten,
                   [this](const QStringList& paths, const QList<document::Letter>& letters) {
                       record(LetterArchive::Event::Pdf, paths, letters);
                   });
}

void ArchivePart::record(LetterArchive::Event event, const QStringList& paths,
                         const QList<document::Letter>& letters)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    std::vector<LetterArchive::Record> records;
    if (paths.size() == 1) {
        records.push_back({event, paths.front(), now, {}});
        for (const document::Letter& letter : letters)
            records.back().letters.push_back(records::LetterText::of(letter));
    } else {
        for (qsizetype i = 0; i < paths.size() && i < letters.size(); ++i)
            records.push_back({event, paths[i], now, {records::LetterText::of(letters[i])}});
    }
    // The output is done whatever happens here: a row that cannot be kept is
    // only said, so that saving never fails for the archive's sake.
    records::Database* database = SharedRecords::of(window()).database();
    if (!database) {
        window().showStatus(kUnavailable, LetterWindow::kStatusNoteMs);
        return;
    }
    LetterArchive archive(*database);
    if (!archive.add(records)) {
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
