#pragma once

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStatusBar;
class QTabWidget;
class QWidget;

namespace quillory::app {

class DateField;
class MemoField;
class PaintSurface;
class SpinField;

/**
 * The form's widgets under their design names, as MainForm builds them:
 * the three tabs, the status bar and the menus. Kept apart from the form's
 * behaviour so that each stays short to read.
 */
struct FormWidgets
{
    // Tab "Brief schreiben".
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QFrame* Panel1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QPushButton* BitBtnXP1 = nullptr;
    DateField* DateEdit1 = nullptr;
    QPushButton* BitBtnXP2 = nullptr;
    MemoField* Memo1 = nullptr;

    // Tab "Ihre Daten".
    QWidget* TabSheet2 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLineEdit* Edit13 = nullptr;
    QLineEdit* Edit19 = nullptr;
    QLineEdit* Edit14 = nullptr;
    QLineEdit* Edit15 = nullptr;
    QLineEdit* Edit16 = nullptr;
    QLineEdit* Edit17 = nullptr;
    QLineEdit* Edit18 = nullptr;
    SpinField* RandEd = nullptr;
    QCheckBox* TeleRechts = nullptr;
    QCheckBox* FussZentr = nullptr;
    SpinField* ZeilenAbsender = nullptr;
    SpinField* ZeilenBisEmpfaenger = nullptr;
    SpinField* ZeilenBisBetreff = nullptr;
    QCheckBox* Absenderunterstr = nullptr;
    QLineEdit* TrennZeichen = nullptr;
    SpinField* Absenderverkleinern = nullptr;
    QCheckBox* kleinereSchriftCheck = nullptr;
    QCheckBox* LeerZeileCheck = nullptr;
    QCheckBox* PLZOrtGroesserCheck = nullptr;
    QCheckBox* Leer2Check = nullptr;

    // Tab "Druck Vorschau".
    QWidget* TabSheet3 = nullptr;
    QFrame* Panel2 = nullptr;
    SpinField* SeiteEd = nullptr;
    SpinField* ZoomEd = nullptr;
    QRadioButton* Layout1Check = nullptr;
    QRadioButton* Layout2Check = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    PaintSurface* PaintBox1 = nullptr;
    /** One quiet line in the preview's panel, e.g. when there is no printer. */
    QLabel* PrinterNote = nullptr;

    QStatusBar* StatusBar1 = nullptr;

    // Menus.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Datei1 = nullptr;
    QAction* Neu1 = nullptr;
    QAction* N1 = nullptr;
    QAction* ffnen1 = nullptr;
    QAction* Speichern1 = nullptr;
    QAction* Speichernunter1 = nullptr;
    QAction* N2 = nullptr;
    QAction* Druckereinrichten1 = nullptr;
    QAction* Drucken1 = nullptr;
    QAction* AlsPDFspeichern1 = nullptr;
    QAction* N3 = nullptr;
    QAction* Beenden1 = nullptr;
    QMenu* Bearbeiten1 = nullptr;
    QAction* Rckgngig1 = nullptr;
    QAction* N4 = nullptr;
    QAction* Kopieren1 = nullptr;
    QAction* Kopieren2 = nullptr;
    QAction* Einfgen1 = nullptr;
    QAction* N5 = nullptr;
    QMenu* Hilfe1 = nullptr;
    QAction* berdasProgramm1 = nullptr;
};

} // namespace quillory::app
