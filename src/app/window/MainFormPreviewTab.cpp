#include "widgets/FormBuilder.h"
#include "widgets/PaintSurface.h"
#include "window/Guarded.h"
#include "window/MainForm.h"

#include <QAction>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace quillory::app {

void MainForm::buildPreviewTab(FormBuilder& b)
{
    TabSheet3 = new QWidget(PageControl1);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Druck Vorschau"));

    Panel2 = new QFrame(TabSheet3);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::NoFrame);
    // Two lines: the page's choices, then notes about it.
    Panel2->setFixedHeight(b.scale().px(58));

    b.label(Panel2, QStringLiteral("Seite:"), 8, 8);
    SeiteEd = b.spinField(Panel2, QStringLiteral("SeiteEd"), SpinField::Kind::Integer,
                          document::NumberRange{1, 100000, 1}, 48, 8, 89);
    b.label(Panel2, QStringLiteral("Zoom:"), 144, 8);
    ZoomEd = b.spinField(Panel2, QStringLiteral("ZoomEd"), SpinField::Kind::Integer,
                         document::NumberRange{10, 300, 10}, 184, 8, 89);
    Layout1Check = b.radioButton(Panel2, QStringLiteral("Layout1Check"), QStringLiteral("Layout 1"),
                                 280, 8, 113);
    Layout2Check = b.radioButton(Panel2, QStringLiteral("Layout2Check"), QStringLiteral("Layout 2"),
                                 400, 8, 113);
    PrinterNote = b.label(Panel2, QString(), 8, 37);
    PrinterNote->setObjectName(QStringLiteral("PrinterNote"));
    b.fitLabels(Panel2);
    SeiteEd->setValue(1);
    ZoomEd->setValue(100);
    Layout1Check->setChecked(true);

    ScrollBox1 = new QScrollArea(TabSheet3);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    // The grey behind the page, as behind documents in a workspace.
    QPalette workspace = ScrollBox1->palette();
    workspace.setColor(QPalette::Window, QColor(171, 171, 171));
    ScrollBox1->setPalette(workspace);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    PaintBox1 = new PaintSurface;
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->resize(105, 105);
    ScrollBox1->setWidget(PaintBox1);
    connectGuarded(*this, PaintBox1, &PaintSurface::paint, this,
                   [this](QPainter& painter) { PaintBox1Paint(painter); });
    // The wheel moves the page by the form's own step, not the scroll area's.
    ScrollBox1->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(TabSheet3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel2);
    layout->addWidget(ScrollBox1, 1);

    setTabOrder(SeiteEd, ZoomEd);
    setTabOrder(ZoomEd, Layout1Check);
    setTabOrder(Layout1Check, Layout2Check);
}

void MainForm::buildMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    const auto menu = [&](const QString& name, const QString& text) {
        QMenu* m = MainMenu1->addMenu(text);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name + QStringLiteral("Action"));
        return m;
    };
    const auto item = [](QMenu* m, const QString& name, const QString& text) {
        QAction* a = m->addAction(text);
        a->setObjectName(name);
        return a;
    };
    const auto separator = [](QMenu* m, const QString& name) {
        QAction* a = m->addSeparator();
        a->setObjectName(name);
        return a;
    };

    // Accelerator letters on the menu titles and the usual shortcuts on the
    // file commands, for work without the mouse. The editing menu gets only F7:
    // each field's own Ctrl+C, Ctrl+V and Ctrl+Z must keep acting on that field.
    Datei1 = menu(QStringLiteral("Datei1"), QStringLiteral("&Datei"));
    Neu1 = item(Datei1, QStringLiteral("Neu1"), QStringLiteral("Neu..."));
    N1 = separator(Datei1, QStringLiteral("N1"));
    ffnen1 = item(Datei1, QStringLiteral("ffnen1"), QStringLiteral("Öffnen"));
    Speichern1 = item(Datei1, QStringLiteral("Speichern1"), QStringLiteral("Speichern"));
    Speichernunter1 =
        item(Datei1, QStringLiteral("Speichernunter1"), QStringLiteral("Speichern unter..."));
    N2 = separator(Datei1, QStringLiteral("N2"));
    Druckereinrichten1 =
        item(Datei1, QStringLiteral("Druckereinrichten1"), QStringLiteral("Drucker einrichten..."));
    Drucken1 = item(Datei1, QStringLiteral("Drucken1"), QStringLiteral("Drucken"));
    AlsPDFspeichern1 =
        item(Datei1, QStringLiteral("AlsPDFspeichern1"), QStringLiteral("Als PDF speichern..."));
    N3 = separator(Datei1, QStringLiteral("N3"));
    Beenden1 = item(Datei1, QStringLiteral("Beenden1"), QStringLiteral("Beenden"));

    Bearbeiten1 =
        menu(QStringLiteral("Bearbeiten1"), QStringLiteral("&Bearbeiten des Haupttextes"));
    Rckgngig1 = item(Bearbeiten1, QStringLiteral("Rckgngig1"), QStringLiteral("Rückgängig"));
    N4 = separator(Bearbeiten1, QStringLiteral("N4"));
    Kopieren1 = item(Bearbeiten1, QStringLiteral("Kopieren1"), QStringLiteral("Ausschneiden"));
    Kopieren2 = item(Bearbeiten1, QStringLiteral("Kopieren2"), QStringLiteral("Kopieren"));
    Einfgen1 = item(Bearbeiten1, QStringLiteral("Einfgen1"), QStringLiteral("Einfügen"));
    N5 = separator(Bearbeiten1, QStringLiteral("N5"));

    Hilfe1 = menu(QStringLiteral("Hilfe1"), QStringLiteral("&Hilfe"));
    berdasProgramm1 =
        item(Hilfe1, QStringLiteral("berdasProgramm1"), QStringLiteral("Über das Programm..."));

    // Spelled out rather than QKeySequence::SaveAs or ::Quit, which are empty on Windows.
    const std::pair<QAction*, QKeyCombination> shortcuts[] = {
        {Neu1, Qt::CTRL | Qt::Key_N},       {ffnen1, Qt::CTRL | Qt::Key_O},
        {Speichern1, Qt::CTRL | Qt::Key_S}, {Speichernunter1, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
        {Drucken1, Qt::CTRL | Qt::Key_P},   {Beenden1, Qt::CTRL | Qt::Key_Q},
    };
    for (const auto& [action, keys] : shortcuts)
        action->setShortcut(QKeySequence(keys));
}

} // namespace quillory::app
