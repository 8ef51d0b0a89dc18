#pragma once

#include "output/LetterPrinter.h"
#include "output/PreviewRenderer.h"
#include "settings/ListStore.h"
#include "window/LetterWindow.h"
#include "window/WindowEvents.h"

#include <QWidget>

#include <stdexcept>

namespace quillory::app {

/** The least window for a part: it keeps what a part sets and throws for what none needs. */
class FakeLetterWindow : public LetterWindow
{
public:
    WindowEvents windowEvents;
    settings::MemoryListStore lists;
    document::Letter current = document::Letter::makeNew();
    QString file;
    QStringList notes, opened, failures;
    /** Last, so that it and the parts it owns go first. */
    QWidget window;

    QWidget* widget() override { return &window; }
    WindowEvents& events() override { return windowEvents; }
    Prompts& prompts() override { unused(); }
    bool runGuarded(const std::function<void()>& handler) noexcept override
    {
        try {
            handler();
            return true;
        } catch (const std::exception& e) {
            failures << QString::fromUtf8(e.what());
            return false;
        }
    }
    void showStatus(const QString& text, int) override { notes << text; }
    QWidget* place(Place) override { return &window; }
    void addMenuEntry(MenuPlace, QAction*) override {}
    void addPart(WindowPart*) override {}
    document::Letter letter() const override { return current; }
    QString fileName() const override { return file; }
    bool isChanged() const override { return false; }
    void editLetter(const document::Letter& edited) override { current = edited; }
    void markEdited() override {}
    void addTab(QWidget*, const QString&) override {}
    QWidget* textField(const QString&) override { return nullptr; }
    void openLetter(const QString& path) override { opened << path; }
    void takeUnsavedLetter(const document::Letter&, const QString&) override { unused(); }
    output::PrintRequest printRequest(bool) const override { unused(); }
    output::PreviewRequest previewRequest() const override { unused(); }
    output::PreviewRenderer& preview() override { unused(); }
    bool isPreviewShown() const override { return false; }
    void repaintPreview() override {}
    void recountPages() override {}
    PrinterAccess& printer() override { unused(); }
    output::PrintOutcome runPrintJob(output::PrintTarget&, const output::PrintRequest&,
                                     QWidget*) override
    {
        unused();
    }
    void showSentToPrinter(int) override { unused(); }
    QString askPdfName() override { unused(); }
    void refuseInputAsOutput(const QString&, const QStringList&) const override {}
    settings::SettingsBackend& settingsStore() override { unused(); }
    bool mayWriteSettings() const override { return false; }
    settings::ListStore& listStore() override { return lists; }
    QString dataFolder() const override { return {}; }

private:
    [[noreturn]] static void unused() { throw std::logic_error("not in this fake"); }
};

} // namespace quillory::app
