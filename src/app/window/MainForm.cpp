#include "window/MainForm.h"
#include "features/Features.h"
#include "window/Guarded.h"
#include "window/TextFields.h"
#include "window/WindowPart.h"

#include "dialogs/AboutBox.h"
#include "dialogs/DialogPrompts.h"
#include "output/PreviewRenderer.h"
#include "support/ErrorReport.h"
#include "support/PrinterAccess.h"
#include "widgets/DateField.h"
#include "widgets/FormBuilder.h"
#include "widgets/MemoField.h"
#include "widgets/PaintSurface.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>

namespace quillory::app {
namespace {

/** A new font object takes the screen's resolution and keeps the design's point size. */
document::LetterFont atScreenResolution(const document::LetterFont& design, double dpi)
{
    document::LetterFont font = design;
    font.setPixelsPerInch(qRound(dpi));
    font.setSize(design.size());
    return font;
}

} // namespace

QString MainForm::designCaption()
{
    return QStringLiteral("TRELVANI Quillory 1.0");
}

MainForm::MainForm(const QStringList& arguments, Prompts* prompts, QWidget* parent)
    : QMainWindow(parent), m_arguments(arguments)
{
    if (!prompts) {
        m_ownPrompts = std::make_unique<DialogPrompts>(this);
        prompts = m_ownPrompts.get();
    }
    m_prompts = prompts;
    m_events = new WindowEvents(this);
    m_dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);

    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(designCaption());
    // The design's 8-point sans serif; Linux has none of the Windows faces, so
    // fall back to Arial's metric twin.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSize(8);
    setFont(font);

    const DesignScale scale;
    FormBuilder builder(scale);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    setCentralWidget(PageControl1);
    buildLetterTab(builder);
    buildSenderTab(builder);
    buildPreviewTab(builder);
    buildMenus();
    for (const TextField& field : textFields())
        if (auto* edit = findChild<QLineEdit*>(QLatin1StringView(field.objectName)))
            m_lineFields.emplace_back(field.member, edit);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(scale.px(19));
    setStatusBar(StatusBar1);
    PageControl1->setCurrentWidget(TabSheet1);

    const double dpi = screen() ? screen()->logicalDotsPerInch() : 96.0;
    const document::Letter defaults = document::Letter::makeNew();
    m_letterFont = atScreenResolution(defaults.letterFont, dpi);
    m_footerFont = atScreenResolution(defaults.footerFont, dpi);
    setLetter(defaults);

    resize(scale.size(870, 640));
    if (screen())
        move(screen()->availableGeometry().center() - rect().center());

    connectHandlers();
    connectEditing();
    connectSession();
    addFeatures(*this);
    keepTheWheelFromUnfocusedFields();
    FormCreate();
    m_aboutBox = new AboutBox(this);
    Edit1->setFocus();
}

void MainForm::FormCreate()
{
    BaseTitle = windowTitle();
    DateEdit1->setLetterDate(QDate::currentDate());
}

void MainForm::bindChecked(QRadioButton* button, void (MainForm::*handler)())
{
    // A click on the button that is already checked is no change.
    connectGuarded(*this, button, &QRadioButton::toggled, this, [this, handler](bool checked) {
        if (checked)
            (this->*handler)();
    });
}

void MainForm::connectHandlers()
{
    const std::pair<QLineEdit*, void (MainForm::*)()> edits[] = {
        {Edit1, &MainForm::Edit1Change},   {Edit2, &MainForm::Edit2Change},
        {Edit3, &MainForm::Edit3Change},   {Edit4, &MainForm::Edit4Change},
        {Edit5, &MainForm::Edit5Change},   {Edit6, &MainForm::Edit6Change},
        {Edit7, &MainForm::Edit7Change},   {Edit8, &MainForm::Edit8Change},
        {Edit9, &MainForm::Edit9Change},   {Edit10, &MainForm::Edit10Change},
        {Edit11, &MainForm::Edit11Change}, {Edit12, &MainForm::Edit12Change},
        {Edit13, &MainForm::Edit13Change}, {Edit14, &MainForm::Edit14Change},
        {Edit15, &MainForm::Edit15Change}, {Edit16, &MainForm::Edit16Change},
        {Edit17, &MainForm::Edit17Change}, {Edit18, &MainForm::Edit18Change},
        {Edit19, &MainForm::Edit19Change}, {TrennZeichen, &MainForm::Edit16Change},
    };
    for (const auto& [edit, handler] : edits)
        bind(edit, &QLineEdit::textChanged, handler);
    bind(Memo1, &MemoField::changed, &MainForm::Memo1Change);
    bind(DateEdit1, &DateField::dateChanged, &MainForm::DateEdit1Change);
    bindChecked(RadioButton1, &MainForm::RadioButton1Click);
    bindChecked(RadioButton2, &MainForm::RadioButton2Click);

    for (SpinField* field : {RandEd, ZeilenAbsender, ZeilenBisEmpfaenger, ZeilenBisBetreff,
                             Absenderverkleinern, ZoomEd})
        bind(field, &SpinField::changed, &MainForm::ZoomEdChange);
    bind(SeiteEd, &SpinField::changed, &MainForm::SeiteEdChange);
    bindChecked(Layout1Check, &MainForm::Layout1CheckClick);
    bindChecked(Layout2Check, &MainForm::Layout2CheckClick);
    for (QCheckBox* box : {TeleRechts, FussZentr, Absenderunterstr, kleinereSchriftCheck,
                           LeerZeileCheck, PLZOrtGroesserCheck})
        bind(box, &QCheckBox::toggled, &MainForm::LetterCheckClick);
    bind(Leer2Check, &QCheckBox::toggled, &MainForm::Leer2CheckClick);

    bind(Neu1, &QAction::triggered, &MainForm::Neu1Click);
    bind(ffnen1, &QAction::triggered, &MainForm::ffnen1Click);
    bind(Speichern1, &QAction::triggered, &MainForm::Speichern1Click);
    bind(Speichernunter1, &QAction::triggered, &MainForm::Speichernunter1Click);
    bind(Beenden1, &QAction::triggered, &MainForm::Beenden1Click);
    bind(berdasProgramm1, &QAction::triggered, &MainForm::berdasProgramm1Click);
    bind(Drucken1, &QAction::triggered, &MainForm::Drucken1Click);
    bind(Druckereinrichten1, &QAction::triggered, &MainForm::Druckereinrichten1Click);
    bind(AlsPDFspeichern1, &QAction::triggered, &MainForm::AlsPDFspeichern1Click);
}

bool MainForm::runGuarded(const std::function<void()>& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (...) {
        const QString text = ErrorReport::textOf(std::current_exception());
        try {
            m_prompts->showError(ErrorReport::finished(text));
        } catch (...) {
            // Nothing is left to report with; the program goes on regardless.
        }
        return false;
    }
}

QString MainForm::title() const
{
    const QString name =
        FileName.isEmpty() ? QStringLiteral("unbenannt.bri") : QFileInfo(FileName).fileName();
    return BaseTitle + QStringLiteral(" - [") + name +
           (Changed ? QStringLiteral("*]") : QStringLiteral("]"));
}

void MainForm::SetChanged()
{
    Changed = true;
    m_events->letterEdited();
    // Qt reads "[*]" in a title as its own modified mark; doubled it stays text.
    setWindowTitle(title().replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

void MainForm::SetUnChanged()
{
    Changed = false;
    m_events->letterClean();
    setWindowTitle(title().replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

void MainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (WasShown)
        return;
    restoreUserSettings();
    // After the window is on screen, so that a message about the command-line
    // letter has a window to stand in front of.
    QMetaObject::invokeMethod(
        this,
        [this] {
            runGuarded([this] { FormShow(); });
            for (WindowPart* part : m_parts)
                runGuarded([part] { part->windowShown(); });
        },
        Qt::QueuedConnection);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (sessionAlreadyAnswered()) {
        event->accept();
        return;
    }
    bool canClose = false;
    if (!runGuarded([&] { FormCloseQuery(canClose); }))
        canClose = false;
    if (!canClose) {
        event->ignore();
        return;
    }
    saveUserSettings();
    m_events->letterClean();
    event->accept();
}

void MainForm::repaintPreview()
{
    PaintBox1->update();
}

void MainForm::Beenden1Click()
{
    close();
}

void MainForm::berdasProgramm1Click()
{
    m_aboutBox->exec();
}

} // namespace quillory::app
