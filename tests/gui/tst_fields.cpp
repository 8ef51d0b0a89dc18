#include "widgets/DateField.h"
#include "document/DateFormat.h"
#include "FormFixture.h"
#include "LetterSamples.h"
#include "widgets/PaintSurface.h"
#include "settings/SenderProfiles.h"
#include "widgets/SpinField.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QWheelEvent>

using namespace Qt::StringLiterals;
using quillory::app::DateField;
using quillory::app::MainForm;
using quillory::app::SpinField;
using quillory::document::Letter;
using quillory::document::LetterFont;

namespace {

using LetterSamples::everyFieldSet;

/** Every text empty, every number at its minimum, every flag off. */
Letter everythingAtTheBottom()
{
    Letter l;
    l.date = QDate(1900, 1, 1);
    l.marginMm = 0;
    l.phoneRight = false;
    l.footerCentred = false;
    l.linesToSender = 0;
    l.linesToRecipient = 0;
    l.linesToSubject = 0;
    l.senderOneLine = false;
    l.senderSizeReduction = 0;
    l.letterFont = LetterFont::arial(-15);
    l.footerFont = LetterFont::arial(-11);
    return l;
}

SpinField* spin(const MainForm& form, const QString& name)
{
    auto* field = form.findChild<SpinField*>(name);
    if (!field)
        qFatal("no spin field %s", qPrintable(name));
    return field;
}

/** One notch of the wheel over the widget; negative turns towards the user. */
void wheel(QWidget* target, int delta)
{
    const QPointF at(5, 5);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

void leave(QWidget* widget)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(widget, &out);
}

} // namespace

Q_DECLARE_METATYPE(Letter)

class TestFields : public QObject
{
    Q_OBJECT

private slots:
    void aNewWindowHoldsANewLetter()
    {
        // Before the first showing: the settings restore then trims the texts.
        FormFixture f({}, nullptr, QString(), false);
        QCOMPARE(f.form->letter(), Letter::makeNew());
        QVERIFY(f.form->RadioButton1->isChecked());
        QVERIFY(f.form->Layout1Check->isChecked());
        QVERIFY(!f.form->Leer2Check->isChecked());
        QCOMPARE(f.form->PageControl1->currentWidget(), f.form->TabSheet1);
    }

    void numericDefaults_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("step");
        // The tests run under "C", which shows numbers the German way.
        QTest::newRow("RandEd") << u"RandEd"_s << u"20,00"_s << 0.0 << 1000.0 << 5.0;
        QTest::newRow("ZeilenAbsender") << u"ZeilenAbsender"_s << u"6"_s << 0.0 << 1000.0 << 1.0;
        QTest::newRow("ZeilenBisEmpfaenger")
            << u"ZeilenBisEmpfaenger"_s << u"1"_s << 0.0 << 1000.0 << 1.0;
        QTest::newRow("ZeilenBisBetreff")
            << u"ZeilenBisBetreff"_s << u"6"_s << 0.0 << 1000.0 << 1.0;
        QTest::newRow("Absenderverkleinern")
            << u"Absenderverkleinern"_s << u"3"_s << 0.0 << 10.0 << 1.0;
        QTest::newRow("SeiteEd") << u"SeiteEd"_s << u"1"_s << 1.0 << 100000.0 << 1.0;
        QTest::newRow("ZoomEd") << u"ZoomEd"_s << u"100"_s << 10.0 << 300.0 << 10.0;
    }

    void numericDefaults()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(double, step);
        FormFixture f;
        SpinField* s = spin(*f.form, field);
        QCOMPARE(s->text(), text);
        QCOMPARE(s->range().minimum, minimum);
        QCOMPARE(s->range().maximum, maximum);
        QCOMPARE(s->range().step, step);
    }

    void settingClampsAndRounds_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("lines above range") << u"ZeilenAbsender"_s << 1500.0 << u"1000"_s;
        QTest::newRow("lines below range") << u"ZeilenAbsender"_s << -3.0 << u"0"_s;
        QTest::newRow("2.5 to even") << u"ZeilenAbsender"_s << 2.5 << u"2"_s;
        QTest::newRow("3.5 to even") << u"ZeilenBisEmpfaenger"_s << 3.5 << u"4"_s;
        QTest::newRow("subject lines") << u"ZeilenBisBetreff"_s << 1000.4 << u"1000"_s;
        QTest::newRow("reduction above range") << u"Absenderverkleinern"_s << 12.0 << u"10"_s;
        QTest::newRow("margin two decimals") << u"RandEd"_s << 12.345 << u"12,35"_s;
        QTest::newRow("margin above range") << u"RandEd"_s << 1200.0 << u"1000,00"_s;
        QTest::newRow("margin below range") << u"RandEd"_s << -1.0 << u"0,00"_s;
        QTest::newRow("page below range") << u"SeiteEd"_s << 0.0 << u"1"_s;
        // The page number above the letter's last page is bounded separately (tst_preview).
        QTest::newRow("page above range") << u"SeiteEd"_s << 200000.0 << u"100000"_s;
        QTest::newRow("zoom below range") << u"ZoomEd"_s << 5.0 << u"10"_s;
        QTest::newRow("zoom above range") << u"ZoomEd"_s << 301.0 << u"300"_s;
    }

    void settingClampsAndRounds()
    {
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(QString, text);
        FormFixture f;
        SpinField* s = spin(*f.form, field);
        QCOMPARE(s->textFor(value), text);
        if (field != u"SeiteEd"_s) {
            s->setValue(value);
            QCOMPARE(s->text(), text);
        }
    }

    void textIsReadAsTyped_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::newRow("letters in a setting") << u"ZeilenAbsender"_s << u"abc"_s << 0.0;
        QTest::newRow("letters in the margin") << u"RandEd"_s << u"abc"_s << 0.0;
        QTest::newRow("letters in the page") << u"SeiteEd"_s << u"abc"_s << 1.0;
        QTest::newRow("letters in the zoom") << u"ZoomEd"_s << u"abc"_s << 10.0;
        QTest::newRow("decimal in an integer field") << u"ZeilenAbsender"_s << u"2,5"_s << 0.0;
        QTest::newRow("empty") << u"Absenderverkleinern"_s << u""_s << 0.0;
        QTest::newRow("out of range while typing") << u"ZeilenAbsender"_s << u"1500"_s << 1500.0;
        QTest::newRow("German decimal") << u"RandEd"_s << u"12,5"_s << 12.5;
        QTest::newRow("decimal point") << u"RandEd"_s << u"12.5"_s << 12.5;
        QTest::newRow("blanks around") << u"ZoomEd"_s << u" 50 "_s << 50.0;
    }

    void textIsReadAsTyped()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(double, value);
        FormFixture f;
        SpinField* s = spin(*f.form, field);
        s->findChild<QLineEdit*>()->clear();
        QTest::keyClicks(s, typed);
        QCOMPARE(s->text(), typed);
        QCOMPARE(s->value(), value);
    }

    void leavingAFieldBringsItIntoRange_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("too many lines") << u"ZeilenAbsender"_s << u"1500"_s << u"1000"_s;
        QTest::newRow("negative margin") << u"RandEd"_s << u"-5"_s << u"0,00"_s;
        QTest::newRow("zoom too small") << u"ZoomEd"_s << u"5"_s << u"10"_s;
        QTest::newRow("in range stays as typed") << u"ZeilenBisBetreff"_s << u"7"_s << u"7"_s;
        QTest::newRow("no number shows the minimum") << u"SeiteEd"_s << u"abc"_s << u"1"_s;
        QTest::newRow("empty shows the minimum") << u"RandEd"_s << QString() << u"0,00"_s;
    }

    void leavingAFieldBringsItIntoRange()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        FormFixture f;
        SpinField* s = spin(*f.form, field);
        s->findChild<QLineEdit*>()->setText(typed);
        leave(s);
        QCOMPARE(s->text(), left);
    }

    void stepping_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("text");
        QTest::newRow("margin up") << u"RandEd"_s << 20.0 << 1 << u"25,00"_s;
        QTest::newRow("zoom up") << u"ZoomEd"_s << 100.0 << 2 << u"120"_s;
        QTest::newRow("zoom at the top") << u"ZoomEd"_s << 300.0 << 1 << u"300"_s;
        QTest::newRow("lines at the bottom") << u"ZeilenBisEmpfaenger"_s << 0.0 << -1 << u"0"_s;
    }

    void stepping()
    {
        QFETCH(QString, field);
        QFETCH(double, start);
        QFETCH(int, steps);
        QFETCH(QString, text);
        FormFixture f;
        SpinField* s = spin(*f.form, field);
        s->setValue(start);
        s->stepBy(steps);
        QCOMPARE(s->text(), text);
    }

    void theUpKeyStepsTheZoom()
    {
        FormFixture f;
        QTest::keyClick(f.form->ZoomEd, Qt::Key_Up);
        QCOMPARE(f.form->ZoomEd->text(), QStringLiteral("110"));
        QVERIFY(f.form->isChanged());
    }

    void theWheelChangesOnlyAFocusedField_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("scroll");
        QTest::newRow("Brief schreiben") << 0 << QStringList{u"DateEdit1"_s} << 0;
        QTest::newRow("Ihre Daten")
            << 1
            << QStringList{u"AbsenderCombo"_s,    u"Absenderverkleinern"_s, u"DatumFormat"_s,
                           u"RandEd"_s,           u"UnterschriftHoehe"_s,   u"ZeilenAbsender"_s,
                           u"ZeilenBisBetreff"_s, u"ZeilenBisEmpfaenger"_s}
            << 0;
        QTest::newRow("Druck Vorschau")
            << 2 << QStringList{u"DatensatzEd"_s, u"SeiteEd"_s, u"UmschlagCombo"_s, u"ZoomEd"_s}
            << 20;
    }

    void theWheelChangesOnlyAFocusedField()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, fields);
        QFETCH(int, scroll);
        FormFixture f({}, nullptr, QString(), false);
        // Profiles to choose from, so a wheel that reached their list would pick one.
        quillory::settings::SenderProfiles profiles(f.ownLists);
        QVERIFY(profiles.save(u"Privat"_s, {}) && profiles.save(u"Firma"_s, {}));
        f.show();
        f.form->resize(500, 400);
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.form->PageControl1->setCurrentIndex(2);
        f.form->PaintBox1->grab(); // sizes the page, larger than the view
        QScrollBar* bar = f.form->ScrollBox1->verticalScrollBar();
        QVERIFY(bar->maximum() > 100);
        f.form->PageControl1->setCurrentIndex(tab);
        f.form->Edit1->setFocus();
        f.form->SetUnChanged();
        const QString title = f.form->windowTitle();

        // Every field of the tab that a wheel could turn is in the table.
        QWidget* page = f.form->PageControl1->widget(tab);
        QStringList found;
        for (QAbstractSpinBox* field : page->findChildren<QAbstractSpinBox*>())
            found << field->objectName();
        for (QComboBox* field : page->findChildren<QComboBox*>())
            found << field->objectName();
        found.sort();
        QCOMPARE(found, fields);

        const auto shown = [](QWidget* field) {
            auto* combo = qobject_cast<QComboBox*>(field);
            return combo ? combo->currentText() : static_cast<QAbstractSpinBox*>(field)->text();
        };
        for (const QString& name : fields) {
            auto* field = page->findChild<QWidget*>(name);
            // Turning the wheel over a field must not hand it the focus either.
            QVERIFY2(field->focusPolicy() != Qt::WheelFocus, qPrintable(name));
            QVERIFY(!field->hasFocus());
            const QString text = shown(field);
            wheel(field, -120);
            QCOMPARE(shown(field), text);
            QCOMPARE(bar->value(), scroll);
            wheel(field, 120);
            QCOMPARE(shown(field), text);
            QCOMPARE(bar->value(), 0);
        }
        QCOMPARE(f.form->windowTitle(), title);

        // Focused, the last of them takes the wheel as it always did.
        auto* focused = page->findChild<QAbstractSpinBox*>(fields.last());
        focused->setFocus();
        QVERIFY(focused->hasFocus());
        const QString before = focused->text();
        wheel(focused, 120);
        QVERIFY(focused->text() != before);
        QCOMPARE(bar->value(), 0);
    }

    void theDateFieldShowsTheLocalePattern()
    {
        FormFixture f;
        const QString pattern = quillory::document::DateFormat::pattern(
            quillory::document::DateFormat::displayLocale());
        QCOMPARE(pattern, QStringLiteral("dd.MM.yyyy")); // "C" shows German dates
        QCOMPARE(f.form->DateEdit1->displayFormat(), pattern);
        f.form->DateEdit1->setDate(QDate(2024, 2, 9));
        QCOMPARE(f.form->DateEdit1->text(), QStringLiteral("09.02.2024"));
        // The calendar drops down at the field's date and gives the day chosen in it.
        f.form->DateEdit1->showCalendar();
        auto* calendar = f.form->DateEdit1->findChild<QCalendarWidget*>();
        QVERIFY(calendar && calendar->isVisible());
        QCOMPARE(calendar->selectedDate(), QDate(2024, 2, 9));
        calendar->setSelectedDate(QDate(2024, 2, 10));
        QVERIFY(calendar->focusProxy());
        QTest::keyClick(calendar->focusProxy(), Qt::Key_Return);
        QCOMPARE(f.form->DateEdit1->date(), QDate(2024, 2, 10));
        QTRY_VERIFY(!f.form->DateEdit1->findChild<QCalendarWidget*>());
    }

    void theDateIsTodayAtStartAndForNoDate()
    {
        FormFixture f;
        QCOMPARE(f.form->DateEdit1->date(), QDate::currentDate());
        f.form->DateEdit1->setDate(QDate(2001, 1, 1));
        Letter l = f.form->letter();
        l.date = QDate();
        f.form->setLetter(l);
        QCOMPARE(f.form->DateEdit1->date(), QDate::currentDate());
    }

    void gatherAndApplyRoundTrip_data()
    {
        QTest::addColumn<Letter>("letter");
        QTest::newRow("every field set") << everyFieldSet();
        QTest::newRow("everything at the bottom") << everythingAtTheBottom();
        Letter longLine = Letter::makeNew(QDate(2026, 1, 2));
        longLine.recipientName = QString(40000, QLatin1Char('x'));
        QTest::newRow("a line longer than 32767 characters") << longLine;
    }

    void gatherAndApplyRoundTrip()
    {
        QFETCH(Letter, letter);
        FormFixture f;
        f.form->setLetter(letter);
        const Letter back = f.form->letter();
        QCOMPARE(back.recipientName, letter.recipientName);
        QCOMPARE(back.recipientExtra, letter.recipientExtra);
        QCOMPARE(back.body, letter.body);
        QCOMPARE(back.date, letter.date);
        QCOMPARE(back.marginMm, letter.marginMm);
        QVERIFY(back.letterFont == letter.letterFont);
        QVERIFY(back.footerFont == letter.footerFont);
        QVERIFY(back == letter);
    }

    void applyingTheSameLetterAgainChangesNothing()
    {
        FormFixture f;
        f.form->setLetter(everyFieldSet());
        f.form->SetUnChanged();
        f.form->setLetter(everyFieldSet());
        QVERIFY(!f.form->isChanged());
    }

    void tabOrder_data()
    {
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Brief schreiben") << QStringList{
            u"Edit1"_s, u"Edit2"_s,     u"Edit3"_s,     u"Edit4"_s,        u"Edit5"_s,
            u"Edit6"_s, u"Edit7"_s,     u"Edit8"_s,     u"RadioButton1"_s, u"RadioButton2"_s,
            u"Edit9"_s, u"BitBtnXP1"_s, u"DateEdit1"_s, u"BitBtnXP2"_s,    u"Memo1"_s};
        QTest::newRow("Ihre Daten") << QStringList{u"Edit10"_s,
                                                   u"Edit11"_s,
                                                   u"Edit12"_s,
                                                   u"Edit13"_s,
                                                   u"Edit19"_s,
                                                   u"Edit14"_s,
                                                   u"Edit15"_s,
                                                   u"Edit16"_s,
                                                   u"Edit17"_s,
                                                   u"Edit18"_s,
                                                   u"RandEd"_s,
                                                   u"TeleRechts"_s,
                                                   u"FussZentr"_s,
                                                   u"ZeilenAbsender"_s,
                                                   u"ZeilenBisEmpfaenger"_s,
                                                   u"ZeilenBisBetreff"_s,
                                                   u"Absenderunterstr"_s,
                                                   u"TrennZeichen"_s,
                                                   u"Absenderverkleinern"_s,
                                                   u"kleinereSchriftCheck"_s,
                                                   u"LeerZeileCheck"_s,
                                                   u"PLZOrtGroesserCheck"_s,
                                                   u"Leer2Check"_s};
        QTest::newRow("Druck Vorschau")
            << QStringList{u"SeiteEd"_s, u"ZoomEd"_s, u"Layout1Check"_s, u"Layout2Check"_s};
        // The record row, shown while a table is attached, comes before the page.
        QTest::newRow("Druck Vorschau, the record row")
            << QStringList{u"Layout2Check"_s, u"UmschlagCombo"_s, u"AnpassenButton"_s,
                           u"DatensatzEd"_s,  u"TabelleLoesen"_s, u"ScrollBox1"_s};
    }

    void tabOrder()
    {
        QFETCH(QStringList, order);
        FormFixture f;
        // Walk the focus chain once and note where each named widget (or the
        // editor inside it) comes.
        QStringList seen;
        QWidget* w = f.form.get();
        do {
            w = w->nextInFocusChain();
            for (QWidget* owner = w; owner; owner = owner->parentWidget()) {
                if (order.contains(owner->objectName())) {
                    if (!seen.contains(owner->objectName()))
                        seen << owner->objectName();
                    break;
                }
            }
        } while (w != f.form.get());
        QCOMPARE(seen, order);
    }

    void inputFieldsAreLightGreen_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<bool>("green");
        QTest::newRow("text field") << u"Edit18"_s << true;
        QTest::newRow("spin field") << u"ZoomEd"_s << true;
        QTest::newRow("date field") << u"DateEdit1"_s << true;
        QTest::newRow("check box") << u"TeleRechts"_s << false;
    }

    void inputFieldsAreLightGreen()
    {
        QFETCH(QString, widget);
        QFETCH(bool, green);
        FormFixture f;
        auto* w = f.form->findChild<QWidget*>(widget);
        QVERIFY(w);
        QCOMPARE(w->palette().color(QPalette::Base) == QColor(192, 220, 192), green);
    }

    void theBodyEditorDoesNotWrap()
    {
        FormFixture f;
        // Wrapping is the user's choice in the editing menu; turned off, the editor is as designed.
        f.form->findChild<QAction*>(QStringLiteral("Zeilenumbruch1"))->trigger();
        QCOMPARE(f.form->Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(f.form->Memo1->font().family(), QStringLiteral("Arial"));
        QCOMPARE(f.form->Memo1->font().pixelSize(), 15);
    }
};

QTEST_MAIN(TestFields)
#include "tst_fields.moc"
