#pragma once

#include "document/Letter.h"
#include "document/LetterFont.h"
#include "settings/FormStorage.h"
#include "settings/ListStore.h"
#include "window/FormWidgets.h"
#include "window/Guarded.h"
#include "window/LetterWindow.h"
#include "window/Prompts.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLineEdit;
class QPainter;
class QRadioButton;

namespace quillory::output {
struct PrinterMetrics;
class PreviewRenderer;
struct PreviewRequest;
struct PrintOutcome;
struct PrintRequest;
class PrintTarget;
} // namespace quillory::output

namespace quillory::app {

class AboutBox;
class PrinterAccess;
class FormBuilder;
class SessionGuard;

/**
 * The one main window: every letter field and setting is one of its widgets,
 * under the names the rest of the program uses, and it holds the document
 * state (FileName, BaseTitle, Changed, WasShown) with the title built from it.
 *
 * letter() gathers a document::Letter from the widgets and setLetter() puts
 * one back; each widget notifies only when its value really changes, by the
 * user or by the program. Every handler bound to a widget or menu runs inside
 * one guard: a failure ends that command, is shown through Prompts::showError
 * and never crosses the event loop. All questions and file dialogs go through
 * the Prompts given at construction.
 *
 * The per-user settings (FormStorage1) are restored at the first showing and
 * saved after an allowed close; when the desktop session ends the program
 * without anyone to answer, they are saved and the parts keep what is
 * unsaved for the next start (WindowEvents::sessionEnding).
 */
class MainForm : public QMainWindow, public LetterWindow, public FormWidgets
{
    Q_OBJECT

public:
    /** The caption at creation, kept as BaseTitle. */
    static QString designCaption();

    /**
     * arguments are the command line without the program; the first names a
     * letter to open at the first showing. prompts defaults to real dialogs;
     * when given it must outlive the window.
     */
    explicit MainForm(const QStringList& arguments = {}, Prompts* prompts = nullptr,
                      QWidget* parent = nullptr);
    ~MainForm() override;

    document::Letter letter() const override;
    void setLetter(const document::Letter& letter);

    QString fileName() const override { return FileName; }
    QString baseTitle() const { return BaseTitle; }
    bool isChanged() const override { return Changed; }

    // What the parts see of the window.
    QWidget* widget() override { return this; }
    WindowEvents& events() override { return *m_events; }
    Prompts& prompts() override { return *m_prompts; }
    void showStatus(const QString& text, int timeoutMs = 0) override;
    QWidget* place(Place place) override;
    void addMenuEntry(MenuPlace place, QAction* action) override;
    void addPart(WindowPart* part) override;
    void editLetter(const document::Letter& edited) override;
    void markEdited() override;
    void addTab(QWidget* page, const QString& title) override;
    QWidget* textField(const QString& key) override;
    void openLetter(const QString& path) override;
    void takeUnsavedLetter(const document::Letter& letter, const QString& fileName) override;
    bool isPreviewShown() const override;
    settings::SettingsBackend& settingsStore() override;
    bool mayWriteSettings() const override;
    QString dataFolder() const override { return m_dataFolder; }

    /**
     * The per-user store, set before the first showing; without one the
     * window uses the platform's (QSettingsBackend). It must outlive the window.
     */
    void setSettingsBackend(settings::SettingsBackend* backend);
    /**
     * The per-user lists the parts keep, set before the
     * first showing; the default is the platform's store. Must outlive the window.
     */
    void setListStore(settings::ListStore* store);
    /**
     * The folder of the user's data the parts keep (e.g. copies of unsaved
     * letters), set before the first showing; the default is the
     * program's data folder.
     */
    void setDataFolder(const QString& folder);

    /**
     * The desktop session is ending. With canAsk the usual closing question
     * is put and false means the user keeps the program; without, the
     * settings are saved and the parts keep what is unsaved (sessionEnding).
     */
    bool sessionEnds(bool canAsk);
    /** SIGTERM: sessionEnds(false), then the program ends. */
    void sessionTerminated();

    /** Runs a handler; a failure is reported and gives false. Never throws. */
    bool runGuarded(const std::function<void()>& handler) noexcept override;

    // Document state and lifecycle. Failures throw CommandError.
    void SetChanged();
    void SetUnChanged();
    void NewAll();
    bool SaveFile();
    bool SaveTheFile(const QString& path);
    bool OpenFile();
    void OpenFileWithName(const QString& path);
    void FormShow();
    void FormCloseQuery(bool& CanClose);

    // Menu handlers.
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void Beenden1Click();
    void berdasProgramm1Click();

    // Editing of the body text, whichever field has the focus, and the fonts.
    void Bearbeiten1Click();
    void Rckgngig1Click();
    void Kopieren1Click();
    void Kopieren2Click();
    void Einfgen1Click();
    void Memo1KeyDown(int& Key, Qt::KeyboardModifiers Shift);
    void BitBtnXP1Click();
    void BitBtnXP2Click();

    // Change handlers.
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void Edit4Change();
    void Edit5Change();
    void Edit6Change();
    void Edit7Change();
    void Edit8Change();
    void Edit9Change();
    void Edit10Change();
    void Edit11Change();
    void Edit12Change();
    void Edit13Change();
    void Edit14Change();
    void Edit15Change();
    void Edit16Change();
    void Edit17Change();
    void Edit18Change();
    void Edit19Change();
    void Memo1Change();
    void DateEdit1Change();
    void RadioButton1Click();
    void RadioButton2Click();
    void ZoomEdChange();
    void SeiteEdChange();
    void Layout1CheckClick();
    void Layout2CheckClick();
    /** The letter's own check boxes: saved in the file, so ticking one is an edit. */
    void LetterCheckClick();
    /** Leer2Check is a view choice kept per user, not part of the letter. */
    void Leer2CheckClick();

    // Preview, printing and PDF export.
    /** Sizes the preview page and draws it in the same paint. */
    void PaintBox1Paint(QPainter& painter);
    void Drucken1Click();
    void Druckereinrichten1Click();
    void AlsPDFspeichern1Click();
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    /** The pages of the letter as the preview last composed it (0 before the first). */
    int pageCount() const { return PageCount; }
    /** Replaces the system's printers, e.g. by a fake in tests; must outlive the window. */
    void setPrinterAccess(PrinterAccess* printer);
    /**
     * What the preview shows now: the letter (or the one a part shows in its
     * place) composed for the current printer's page.
     */
    output::PreviewRequest previewRequest() const override;
    /** The preview's renderer; its layoutFor(previewRequest()) is the page on the screen. */
    output::PreviewRenderer& preview() override;

    /** The letter font (FontDialog1) and the footer font (FontDialog2). */
    const document::LetterFont& letterFont() const { return m_letterFont; }
    const document::LetterFont& footerFont() const { return m_footerFont; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLetterTab(FormBuilder& builder);
    void buildSenderTab(FormBuilder& builder);
    void buildPreviewTab(FormBuilder& builder);
    void buildMenus();
    /** What every output reads and must never replace: the letter's file, the parts' inputs. */
    QStringList readFiles() const;
    /** Throws when output is one of readFiles() or of moreInputs: no output destroys an input. */
    void refuseInputAsOutput(const QString& output, const QStringList& moreInputs) const override;
    void connectHandlers();
    void connectEditing();
    void connectSession();
    void FormCreate();

    /** Binds a handler to a signal, inside the guard. */
    template <typename Sender, typename Signal>
    void bind(Sender* sender, Signal signal, void (MainForm::*handler)())
    {
        connectGuarded(*this, sender, signal, this, [this, handler] { (this->*handler)(); });
    }
    /** Binds a radio button's handler to it becoming checked. */
    void bindChecked(QRadioButton* button, void (MainForm::*handler)());

    QString title() const;
    /** The question before unsaved changes are given up; true when the command may go on. */
    bool maybeSave(const QString& question);
    QString chooseSaveName();
    QString memoText() const;
    void repaintPreview() override;
    void recountPages() override;
    PrinterAccess& printer() override;
    /** Made at the first use; a query's, so it is there for const ones too. */
    PrinterAccess& printerAccess() const;
    /** The current printer's page; A4 as a PDF gets it when there is no printer (problem says why).
     */
    output::PrinterMetrics pageMetrics(QString* problem) const;
    /** "Kein Drucker – Vorschau auf A4" while there is no printer. */
    void showPrinterNote(const QString& problem);
    /** previewRequest(), and why the printer could not be asked (empty: it could). */
    output::PreviewRequest previewRequest(QString* printerProblem) const;
    /**
     * The letter with the view choices and layout it is printed in, as the
     * parts shape it; forPdf: as "Als PDF speichern..." writes it.
     */
    output::PrintRequest printRequest(bool forPdf = false) const override;
    /** printRequest(forPdf), with the letter a part shows instead of the typed one. */
    output::PrintRequest shownLetterRequest(bool forPdf = false) const;
    /** Runs a job with a progress dialog for longer letters; a failure throws. */
    output::PrintOutcome runPrintJob(output::PrintTarget& target,
                                     const output::PrintRequest& request, QWidget* parent) override;
    /** "3 Seiten an Buero-Laser gesendet" in the status bar. */
    void showSentToPrinter(int pages) override;
    QString askPdfName() override;
    /** Turns wheel units into notches of 120 for the form's wheel handlers. */
    void wheelTurned(int angleDelta);
    /** Spin fields, the date and combo boxes take the wheel only while focused. */
    void keepTheWheelFromUnfocusedFields();

    // The per-user settings store attaches here: restore before FormShow,
    // save after a close that FormCloseQuery allowed.
    void restoreUserSettings();
    /**
     * report false: the session is ending and nobody may be there to answer
     * a box; a failure goes to stderr instead.
     */
    void saveUserSettings(bool report = true);
    void saveUserSettingsOnDestroy() noexcept;
    void logSettingsError(const QString& error) noexcept;
    settings::FormStorage& formStorage();
    settings::ViewChoices viewChoices() const;
    void setViewChoices(const settings::ViewChoices& view);

    void chooseFont(document::LetterFont& font, const QString& title);
    settings::ListStore& listStore() override;
    void keepForNextStart();
    /** The session's question was answered and nothing changed since. */
    bool sessionAlreadyAnswered() const;

    QString FileName;
    QString BaseTitle;
    bool Changed = false;
    bool WasShown = false;

    WindowEvents* m_events = nullptr;
    /** The letter's one-line text fields with the member each holds (TextFields). */
    std::vector<std::pair<QString document::Letter::*, QLineEdit*>> m_lineFields;
    /** The features beyond the form, in the order their hooks are called. */
    std::vector<WindowPart*> m_parts;

    QStringList m_arguments;
    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts* m_prompts = nullptr;
    AboutBox* m_aboutBox = nullptr;
    document::LetterFont m_letterFont;
    document::LetterFont m_footerFont;
    document::Letter m_given; ///< the last letter shown: what no widget or part holds stays
    QString m_openDialogName;
    QString m_saveDialogName;
    QString m_pdfDialogName;

    int PageCount = 0;
    mutable std::unique_ptr<PrinterAccess> m_ownPrinter;
    mutable PrinterAccess* m_printer = nullptr;
    std::unique_ptr<output::PreviewRenderer> m_preview;
    int m_wheelDelta = 0;

    settings::SettingsBackend* m_settingsBackend = nullptr;
    std::unique_ptr<settings::SettingsBackend> m_ownSettingsBackend;
    std::unique_ptr<settings::FormStorage> FormStorage1;
    settings::ListStore* m_listStore = nullptr;
    std::unique_ptr<settings::ListStore> m_ownListStore;
    QString m_dataFolder;
    SessionGuard* m_sessionGuard = nullptr;
    std::optional<document::Letter> m_sessionAnsweredLetter;
};

} // namespace quillory::app
