#include "dialogs/FontChoiceDialog.h"
#include "widgets/FontFacePicker.h"
#include "FormFixture.h"
#include "support/PrinterAccess.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextBlock>

#include <memory>
#include <stdexcept>
#include <vector>

using quillory::app::FontChoice;
using quillory::app::FontChoiceDialog;
using quillory::app::MainForm;
using quillory::document::LetterFont;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

/** Selects the first word of the body text, "hiermit". */
void selectFirstWord(MainForm& w)
{
    QTextCursor cursor = w.Memo1->textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    w.Memo1->setTextCursor(cursor);
}

const QString kNotSaved =
    QStringLiteral("ask: Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?");

/** No printer at all: a print job cannot even start. */
class NoPrinterAccess : public quillory::app::PrinterAccess
{
public:
    QString metrics(quillory::output::PrinterMetrics&) override { return u"Kein Drucker"_s; }
    std::unique_ptr<quillory::output::PrintTarget> target() override
    {
        throw std::runtime_error("Kein Drucker");
    }
    QPageSize paper() override { return QPageSize(QPageSize::A4); }
    void setUp(QWidget*) override {}
    QString name() override { return QString(); }
};

/** Opens the menu as the user does, so its states are worked out, and closes it again. */
void openEditMenu(MainForm& w)
{
    w.Bearbeiten1->popup(w.mapToGlobal(QPoint(10, 10)));
    w.Bearbeiten1->hide();
}

/** Types a size into the chooser's size field, as the user does; false without one. */
bool typeSize(QWidget* chooser, int points)
{
    for (QLineEdit* field : chooser->findChildren<QLineEdit*>()) {
        if (qobject_cast<const QIntValidator*>(field->validator())) {
            field->selectAll();
            QTest::keyClicks(field, QString::number(points));
            return true;
        }
    }
    return false;
}

QFont font(const QString& family, int points, bool bold = false, bool italic = false)
{
    QFont f(family);
    f.setPointSize(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void menuEnabling_data()
    {
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("type");
        QTest::addColumn<bool>("undo");
        QTest::addColumn<bool>("cutCopy");
        QTest::newRow("nothing selected, nothing done") << false << false << false << false;
        QTest::newRow("a word selected") << true << false << false << true;
        QTest::newRow("after typing") << false << true << true << false;
    }

    void menuEnabling()
    {
        QFETCH(bool, select);
        QFETCH(bool, type);
        QFETCH(bool, undo);
        QFETCH(bool, cutCopy);
        FormFixture f;
        MainForm& w = *f.form;
        QGuiApplication::clipboard()->clear();
        if (type)
            QTest::keyClicks(w.Memo1, QStringLiteral("xy"));
        if (select)
            selectFirstWord(w);
        openEditMenu(w);
        QCOMPARE(w.Rckgngig1->isEnabled(), undo);
        QCOMPARE(w.Kopieren1->isEnabled(), cutCopy);
        QCOMPARE(w.Kopieren2->isEnabled(), cutCopy);
        // Even with nothing on the clipboard.
        QVERIFY(w.Einfgen1->isEnabled());
    }

    void theStatesFollowOnlyWhenTheMenuOpens()
    {
        FormFixture f;
        MainForm& w = *f.form;
        openEditMenu(w);
        QVERIFY(!w.Kopieren2->isEnabled());
        selectFirstWord(w);
        QVERIFY(!w.Kopieren2->isEnabled());
        openEditMenu(w);
        QVERIFY(w.Kopieren2->isEnabled());
    }

    void copyTakesTheBodyTextsSelectionWhateverHasTheFocus()
    {
        FormFixture f;
        MainForm& w = *f.form;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Edit6->setText(QStringLiteral("Kündigung"));
        w.Edit6->setFocus();
        w.Edit6->selectAll();
        QVERIFY(w.Edit6->hasFocus());
        selectFirstWord(w);
        w.Kopieren2->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("hiermit"));
        QVERIFY(w.Edit6->hasFocus());
    }

    void pasteWorksOnThePreviewTab()
    {
        FormFixture f;
        MainForm& w = *f.form;
        w.PageControl1->setCurrentWidget(w.TabSheet3);
        QVERIFY(!w.Memo1->isVisible());
        QTextCursor cursor = w.Memo1->textCursor();
        cursor.setPosition(0);
        w.Memo1->setTextCursor(cursor);
        QGuiApplication::clipboard()->setText(QStringLiteral("Vorab: "));
        w.Einfgen1->trigger();
        QVERIFY(w.Memo1->document()->firstBlock().text().startsWith(QStringLiteral("Vorab: hier")));
        QVERIFY(w.isChanged());
    }

    void keyboardShortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("action"); // empty: the field handles the key
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("clipboard");
        // Each starts in the modified letter with "Eri" of "Erika Muster" selected in Edit1 and
        // "Notiz" on the clipboard; every dialog is cancelled.
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        const QString kept = QStringLiteral("Eri");
        const QString notiz = QStringLiteral("Notiz");
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << ctrl << u"Neu1"_s
                                << u"ask: Die Datei ist noch nicht gespeichert. Wollen Sie jetzt "
                                   "speichern?"_s
                                << kept << notiz;
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << u"ffnen1"_s << kNotSaved << kept
                                << notiz;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << u"Speichern1"_s << u"save: "_s << kept
                                << notiz;
        QTest::newRow("Ctrl+Shift+S") << int(Qt::Key_S) << (ctrl | Qt::ShiftModifier)
                                      << u"Speichernunter1"_s << u"save: "_s << kept << notiz;
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << u"Drucken1"_s
                                << u"error: Kein Drucker."_s << kept << notiz;
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << ctrl << u"Beenden1"_s << kNotSaved << kept
                                << notiz;
        QTest::newRow("Ctrl+A in a field")
            << int(Qt::Key_A) << ctrl << QString() << QString() << u"Erika Muster"_s << notiz;
        QTest::newRow("Ctrl+C in a field")
            << int(Qt::Key_C) << ctrl << QString() << QString() << kept << kept;
    }

    void keyboardShortcuts()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, action);
        QFETCH(QString, prompt);
        QFETCH(QString, selection);
        QFETCH(QString, clipboard);
        FormFixture f;
        MainForm& w = *f.form;
        NoPrinterAccess printer;
        w.setPrinterAccess(&printer);
        // Shortcuts act only in the active window.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Edit1->setText(u"Erika Muster"_s);
        w.Edit1->setFocus();
        w.Edit1->setSelection(0, 3);
        QGuiApplication::clipboard()->setText(u"Notiz"_s);
        std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> spies;
        for (QAction* a : {w.Neu1, w.ffnen1, w.Speichern1, w.Speichernunter1, w.Drucken1,
                           w.Beenden1, w.Rckgngig1, w.Kopieren1, w.Kopieren2, w.Einfgen1})
            spies.emplace_back(a->objectName(),
                               std::make_unique<QSignalSpy>(a, &QAction::triggered));

        // Where the platform delivers a key: to the widget with the focus.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);

        for (const auto& [name, spy] : spies)
            QCOMPARE(spy->count(), name == action ? 1 : 0);
        QCOMPARE(f.prompts.log, prompt.isEmpty() ? QStringList() : QStringList{prompt});
        QVERIFY(w.isVisible());
        QCOMPARE(w.Edit1->text(), u"Erika Muster"_s);
        QCOMPARE(w.Edit1->selectedText(), selection);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    void menuTitlesOpenWithAltAndTheirLetter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("text");
        QTest::newRow("Alt+D") << int(Qt::Key_D) << u"Datei1"_s << u"Datei"_s;
        QTest::newRow("Alt+B") << int(Qt::Key_B) << u"Bearbeiten1"_s
                               << u"Bearbeiten des Haupttextes"_s;
        QTest::newRow("Alt+H") << int(Qt::Key_H) << u"Hilfe1"_s << u"Hilfe"_s;
    }

    void menuTitlesOpenWithAltAndTheirLetter()
    {
        QFETCH(int, key);
        QFETCH(QString, menu);
        QFETCH(QString, text);
        FormFixture f;
        MainForm& w = *f.form;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Edit1->setFocus();
        auto* opened = w.findChild<QMenu*>(menu);
        QVERIFY(opened);
        QCOMPARE(QString(opened->title()).remove(u'&'), text);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);

        QTRY_VERIFY(opened->isVisible());
        opened->hide();
    }

    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("modified");
        // Each starts with "hiermit" selected and "Notiz" on the clipboard.
        QTest::newRow("cut") << "Kopieren1"
                             << " möchte ich...."
                             << "hiermit" << true;
        QTest::newRow("copy") << "Kopieren2"
                              << "hiermit möchte ich...."
                              << "hiermit" << false;
        QTest::newRow("paste") << "Einfgen1"
                               << "Notiz möchte ich...."
                               << "Notiz" << true;
        QTest::newRow("undo") << "Rckgngig1"
                              << "hiermit möchte ich...."
                              << "Notiz" << true;
    }

    void commands()
    {
        QFETCH(QString, command);
        QFETCH(QString, firstLine);
        QFETCH(QString, clipboard);
        QFETCH(bool, modified);
        FormFixture f;
        MainForm& w = *f.form;
        if (command == QStringLiteral("Rckgngig1")) {
            // Something to undo: a typed word at the end.
            QTextCursor cursor = w.Memo1->textCursor();
            cursor.movePosition(QTextCursor::End);
            w.Memo1->setTextCursor(cursor);
            QTest::keyClicks(w.Memo1, QStringLiteral(" Ende"));
        }
        selectFirstWord(w);
        QGuiApplication::clipboard()->setText(QStringLiteral("Notiz"));
        w.SetUnChanged();

        w.findChild<QAction*>(command)->trigger();
        QCOMPARE(w.Memo1->document()->firstBlock().text(), firstLine);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QCOMPARE(w.isChanged(), modified);
        QCOMPARE(w.windowTitle(), f.title(modified ? QStringLiteral("unbenannt.bri*")
                                                   : QStringLiteral("unbenannt.bri")));
        if (command == QStringLiteral("Rckgngig1"))
            QVERIFY(!w.Memo1->toPlainText().contains(QStringLiteral("Ende")));
    }

    void commandsWithNothingToDoChangeNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("undo") << "Rckgngig1";
        QTest::newRow("cut") << "Kopieren1";
        QTest::newRow("copy") << "Kopieren2";
        QTest::newRow("paste") << "Einfgen1";
    }

    void commandsWithNothingToDoChangeNothing()
    {
        QFETCH(QString, command);
        FormFixture f;
        MainForm& w = *f.form;
        QGuiApplication::clipboard()->clear();
        const QString before = w.Memo1->toPlainText();
        w.findChild<QAction*>(command)->trigger();
        QCOMPARE(w.Memo1->toPlainText(), before);
        QVERIFY(!w.isChanged());
        QVERIFY(f.prompts.errors.isEmpty());
    }

    void keys_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("allSelected");
        QTest::addColumn<bool>("typed");
        QTest::newRow("Ctrl+A") << Qt::KeyboardModifiers(Qt::ControlModifier) << true << false;
        QTest::newRow("Ctrl+Shift+A")
            << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << true << false;
        QTest::newRow("A") << Qt::KeyboardModifiers(Qt::NoModifier) << false << true;
        QTest::newRow("Shift+A") << Qt::KeyboardModifiers(Qt::ShiftModifier) << false << true;
    }

    void keys()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, allSelected);
        QFETCH(bool, typed);
        FormFixture f;
        MainForm& w = *f.form;
        const QString before = w.Memo1->toPlainText();
        QTextCursor cursor = w.Memo1->textCursor();
        cursor.setPosition(3);
        w.Memo1->setTextCursor(cursor);
        QTest::keyClick(w.Memo1, Qt::Key_A, modifiers);
        const QTextCursor after = w.Memo1->textCursor();
        const bool whole = after.selectionStart() == 0 &&
                           after.selectionEnd() == w.Memo1->document()->characterCount() - 1;
        QCOMPARE(whole, allSelected);
        QCOMPARE(w.Memo1->toPlainText() != before, typed);
    }

    void fontButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QFont>("chosenFont");
        QTest::addColumn<QColor>("chosenColor");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("style");
        QTest::addColumn<quint32>("color");

        const QColor system;
        const quint32 windowText = LetterFont::kWindowTextColor;
        QTest::newRow("letter font cancelled")
            << "BitBtnXP1" << false << QFont() << system << "Arial" << 11 << 0 << windowText;
        QTest::newRow("footer font cancelled")
            << "BitBtnXP2" << false << QFont() << system << "Arial" << 8 << 0 << windowText;
        QTest::newRow("bold 14 point")
            << "BitBtnXP1" << true << font(QStringLiteral("Arial"), 14, true) << system << "Arial"
            << 14 << 1 << windowText;
        QTest::newRow("red italic footer")
            << "BitBtnXP2" << true << font(QStringLiteral("Times New Roman"), 9, false, true)
            << QColor(255, 0, 0) << "Times New Roman" << 9 << 2 << quint32(0x0000ff);
        QTest::newRow("blue-green, every effect") << "BitBtnXP1" << true <<
            [] {
                QFont f = font(QStringLiteral("Courier New"), 10, true, true);
                f.setUnderline(true);
                f.setStrikeOut(true);
                return f;
            }() << QColor(0x12, 0x34, 0x56) << "Courier New"
                                                  << 10 << 15 << quint32(0x563412);
    }

    void fontButtons()
    {
        QFETCH(QString, button);
        QFETCH(bool, confirmed);
        QFETCH(QFont, chosenFont);
        QFETCH(QColor, chosenColor);
        QFETCH(QString, face);
        QFETCH(int, size);
        QFETCH(int, style);
        QFETCH(quint32, color);
        FormFixture f;
        MainForm& w = *f.form;
        const QFont memoFont = w.Memo1->font();
        const bool letterFont = button == QStringLiteral("BitBtnXP1");
        const LetterFont otherBefore = letterFont ? w.footerFont() : w.letterFont();
        if (confirmed)
            f.prompts.fontAnswers << FontChoice{chosenFont, chosenColor};

        w.findChild<QPushButton*>(button)->click();

        // The dialog started from the font as it was: Arial at its design size.
        QCOMPARE(f.prompts.fontsShown.size(), 1);
        QCOMPARE(f.prompts.fontsShown[0].font.family(), QStringLiteral("Arial"));
        QCOMPARE(f.prompts.fontsShown[0].font.pointSize(), letterFont ? 11 : 8);
        QVERIFY(!f.prompts.fontsShown[0].color.isValid());
        // Marked before the dialog, so a cancel keeps the mark.
        QVERIFY(w.isChanged());
        const LetterFont& changed = letterFont ? w.letterFont() : w.footerFont();
        QCOMPARE(changed.face(), face);
        QCOMPARE(changed.size(), size);
        QCOMPARE(int(changed.style()), style);
        QCOMPARE(changed.color(), color);
        QCOMPARE(letterFont ? w.footerFont() : w.letterFont(), otherBefore);
        QCOMPARE(w.Memo1->font(), memoFont);
    }

    void aChosenFontGoesIntoTheLetter()
    {
        FormFixture f;
        MainForm& w = *f.form;
        f.prompts.fontAnswers << FontChoice{font(QStringLiteral("Arial"), 14, true), QColor()};
        w.BitBtnXP1->click();
        const auto l = w.letter();
        QCOMPARE(l.letterFont.size(), 14);
        QVERIFY(l.letterFont.hasStyle(quillory::document::Bold));
    }

    void fontChoiceConversion_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("ppi");
        QTest::addColumn<quint32>("color");
        QTest::addColumn<int>("points");
        QTest::addColumn<QColor>("qtColor");
        QTest::newRow("15 px at 96 dpi") << -15 << 96 << 0x80000008u << 11 << QColor();
        QTest::newRow("20 px at 120 dpi") << -20 << 120 << 0x80000008u << 12 << QColor();
        QTest::newRow("cell height") << 16 << 96 << 0x00ff8000u << 12 << QColor(0, 0x80, 0xff);
        QTest::newRow("another system colour") << -15 << 96 << 0x8000000fu << 11 << QColor();
    }

    void fontChoiceConversion()
    {
        QFETCH(int, height);
        QFETCH(int, ppi);
        QFETCH(quint32, color);
        QFETCH(int, points);
        QFETCH(QColor, qtColor);
        LetterFont letterFont = LetterFont::arial(height);
        letterFont.setPixelsPerInch(ppi);
        letterFont.setColor(color);
        letterFont.setCharset(2);
        letterFont.setPitch(quillory::document::FontPitch::Fixed);
        const FontChoice choice = FontChoice::from(letterFont);
        QCOMPARE(choice.font.pointSize(), points);
        QCOMPARE(choice.color, qtColor);

        // Taken back unchanged, only what the dialog shows can move: the
        // height is whole points at the font's own resolution.
        LetterFont back = letterFont;
        choice.applyTo(back);
        QCOMPARE(back.pixelsPerInch(), ppi);
        QCOMPARE(back.size(), points);
        QCOMPARE(back.color(), color);
        QCOMPARE(int(back.charset()), 2);
        QCOMPARE(back.pitch(), quillory::document::FontPitch::Fixed);
    }

    void theDialogKeepsItsEmbeddedChooserAndAnswersAsAWhole_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("field"); // "face", "list" or "size"
        QTest::addColumn<bool>("focused");  // the key to where focus went, as when typed
        QTest::newRow("Return") << int(Qt::Key_Return) << int(QDialog::Accepted) << "face" << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected) << "face" << false;
        QTest::newRow("Return in the face field")
            << int(Qt::Key_Return) << int(QDialog::Accepted) << "face" << true;
        QTest::newRow("Enter in the face list")
            << int(Qt::Key_Enter) << int(QDialog::Accepted) << "list" << true;
        QTest::newRow("Return in the size field")
            << int(Qt::Key_Return) << int(QDialog::Accepted) << "size" << true;
        QTest::newRow("Escape in the face field")
            << int(Qt::Key_Escape) << int(QDialog::Rejected) << "face" << true;
    }

    void theDialogKeepsItsEmbeddedChooserAndAnswersAsAWhole()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        QFETCH(QString, field);
        QFETCH(bool, focused);
        FontChoiceDialog dialog(QStringLiteral("Schriftart"),
                                FontChoice{font(QStringLiteral("Arial"), 12), QColor()});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QWidget* target = dialog.fontChooser()->findChild<QLineEdit*>();
        if (field == QLatin1String("list"))
            target = dialog.fontChooser()->findChild<QAbstractItemView*>();
        for (QLineEdit* edit : dialog.fontChooser()->findChildren<QLineEdit*>()) {
            if (field == QLatin1String("size") &&
                qobject_cast<const QIntValidator*>(edit->validator()))
                target = edit;
        }
        QVERIFY(target);
        if (focused) {
            target->setFocus();
            target = QApplication::focusWidget();
        }
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(dialog.result(), result);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.fontChooser()->isHidden());
        QCOMPARE(dialog.choice().font.family(), QStringLiteral("Arial"));
    }

    void theDialogShowsTheLettersFaceOnceWithASample_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("Arial, drawn by its metric twin") << "Arial";
        QTest::newRow("an installed face") << "DejaVu Sans";
        QTest::newRow("a face from several foundries") << "Nimbus Sans";
    }

    void theDialogShowsTheLettersFaceOnceWithASample()
    {
        QFETCH(QString, face);
        if (face != QLatin1String("Arial") && !QFontDatabase::hasFamily(face))
            QSKIP("the face is not installed here");
        FontChoiceDialog dialog(QStringLiteral("Schriftart"),
                                FontChoice{font(face, 12, true), QColor()});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.fontChooser()->findChild<QLineEdit*>()->text(), face);
        const auto* list = dialog.fontChooser()->findChild<QAbstractItemView*>();
        QCOMPARE(list->currentIndex().data().toString(), face);
        QStringList listed;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            listed << list->model()->index(row, 0).data().toString();
        QCOMPARE(listed.count(face), 1);
        QCOMPARE(QSet<QString>(listed.begin(), listed.end()).size(), listed.size());
        QVERIFY2(!listed.join(u'|').contains(u'['), qPrintable(listed.join(u'|')));

        // The sample line follows face, size and style.
        QLabel* sample = dialog.sample();
        QVERIFY(sample && sample->isVisible() && sample->height() > 0);
        QCOMPARE(sample->font().family(), face);
        QCOMPARE(sample->font().pointSize(), 12);
        QVERIFY(sample->font().bold());
        QVERIFY(typeSize(dialog.fontChooser(), 20));
        dialog.styleBoxes()[1]->click();
        QCOMPARE(sample->font().pointSize(), 20);
        QVERIFY(sample->font().italic());
        // Typing the start of a face goes to it.
        QLineEdit* faceField = dialog.fontChooser()->findChild<QLineEdit*>();
        faceField->setFocus();
        faceField->selectAll();
        QTest::keyClicks(faceField, QStringLiteral("liberation se"));
        QCOMPARE(sample->font().family(), QStringLiteral("Liberation Serif"));
        QVERIFY(sample->font().bold());
        QTest::keyClick(faceField, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.choice().font.family(), QStringLiteral("Liberation Serif"));
    }

    void theDialogReturnsFontAndColour()
    {
        FontChoiceDialog dialog(QStringLiteral("Schriftart"),
                                FontChoice{font(QStringLiteral("Arial"), 12, true), QColor()});
        QCOMPARE(dialog.choice().font.pointSize(), 12);
        QVERIFY(dialog.choice().font.bold());
        QVERIFY(!dialog.choice().color.isValid());
        dialog.setColor(QColor(10, 20, 30));
        QCOMPARE(dialog.choice().color, QColor(10, 20, 30));
        dialog.findChild<QPushButton*>(QStringLiteral("systemColorButton"))->click();
        QVERIFY(!dialog.choice().color.isValid());
        QCOMPARE(dialog.choice().font.family(), QStringLiteral("Arial"));
    }

    void aNewSizeKeepsAFaceTheChooserCannotShow()
    {
        FontChoiceDialog dialog(QStringLiteral("Schriftart"),
                                FontChoice{font(QStringLiteral("Arial"), 12), QColor()});
        QFont shown = dialog.fontChooser()->currentFont();
        shown.setPointSize(16);
        dialog.fontChooser()->setCurrentFont(shown);
        QCOMPARE(dialog.choice().font.family(), QStringLiteral("Arial"));
        QCOMPARE(dialog.choice().font.pointSize(), 16);
    }

    void aFontPickedInTheChooserGivesFaceAndSizeButNotItsStyle()
    {
        FontChoiceDialog dialog(
            QStringLiteral("Schriftart"),
            FontChoice{font(QStringLiteral("Arial"), 12, false, true), QColor()});
        dialog.fontChooser()->setCurrentFont(font(QStringLiteral("Liberation Serif"), 14, true));
        QCOMPARE(dialog.choice().font.family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(dialog.choice().font.pointSize(), 14);
        QVERIFY(!dialog.choice().font.bold());
        QVERIFY(dialog.choice().font.italic());
    }

    void theStyleChangesOnlyByItsBoxes_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("ticked");
        QTest::addColumn<int>("expected");
        const char* const names[] = {"fett", "kursiv", "unterstrichen", "durchgestrichen"};
        // Arial is shown through a stand-in; DejaVu Sans calls its italic "Oblique".
        for (const char* face : {"Arial", "DejaVu Sans"}) {
            for (int style = 0; style < 16; ++style) {
                QStringList parts;
                for (int bit = 0; bit < 4; ++bit) {
                    if (style & (1 << bit))
                        parts << QString::fromLatin1(names[bit]);
                }
                const QString name =
                    QStringLiteral("%1 %2, nur Größe")
                        .arg(QLatin1String(face), parts.isEmpty() ? QStringLiteral("normal")
                                                                  : parts.join(QLatin1Char('+')));
                QTest::newRow(qPrintable(name)) << QString::fromLatin1(face) << style << 0 << style;
            }
        }
        QTest::newRow("Arial, Fett angekreuzt")
            << QStringLiteral("Arial") << 0 << int(quillory::document::Bold)
            << int(quillory::document::Bold);
        QTest::newRow("Arial fett+kursiv, Kursiv abgehakt")
            << QStringLiteral("Arial") << int(quillory::document::Bold | quillory::document::Italic)
            << int(quillory::document::Italic) << int(quillory::document::Bold);
    }

    void theStyleChangesOnlyByItsBoxes()
    {
        QFETCH(QString, face);
        QFETCH(int, style);
        QFETCH(int, ticked);
        QFETCH(int, expected);
        LetterFont letterFont = LetterFont::arial(-15);
        letterFont.setFace(face);
        letterFont.setSize(12);
        letterFont.setStyle(quint8(style));

        FontChoiceDialog dialog(QStringLiteral("Schriftart"), FontChoice::from(letterFont));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QList<QCheckBox*> boxes = dialog.styleBoxes();
        for (int bit = 0; bit < 4; ++bit) {
            QVERIFY(boxes[bit]->isVisible());
            QCOMPARE(boxes[bit]->isChecked(), (style & (1 << bit)) != 0);
            // On the box itself: the middle of a wide check box is beside its text.
            if (ticked & (1 << bit))
                QTest::mouseClick(boxes[bit], Qt::LeftButton, {},
                                  QPoint(5, boxes[bit]->height() / 2));
        }
        QVERIFY(typeSize(dialog.fontChooser(), 14));
        QTest::keyClick(dialog.fontChooser()->findChild<QLineEdit*>(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        LetterFont chosen = letterFont;
        dialog.choice().applyTo(chosen);
        QCOMPARE(chosen.face(), face);
        QCOMPARE(chosen.size(), 14);
        QCOMPARE(int(chosen.style()), expected);
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
