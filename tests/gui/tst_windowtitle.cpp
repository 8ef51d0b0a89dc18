#include "widgets/DateField.h"
#include "FormFixture.h"
#include "widgets/SpinField.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWindow>

using quillory::app::DateField;
using quillory::app::MainForm;
using quillory::app::SpinField;

namespace {

/** Sets the widget by program to the value it already has. */
void setSameValue(QWidget* widget)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(edit->text());
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        memo->setPlainText(memo->toPlainText());
    else if (auto* spin = qobject_cast<SpinField*>(widget))
        spin->setValue(spin->value());
    else if (auto* date = qobject_cast<DateField*>(widget))
        date->setDate(date->date());
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setChecked(button->isChecked());
}

/** Changes the widget's value by program. */
void setOtherValue(QWidget* widget)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(edit->text() + QStringLiteral("x"));
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        memo->setPlainText(memo->toPlainText() + QStringLiteral("x"));
    else if (auto* spin = qobject_cast<SpinField*>(widget))
        spin->setValue(spin->value() + spin->range().step);
    else if (auto* date = qobject_cast<DateField*>(widget))
        date->setDate(date->date().addDays(1));
    else if (auto* radio = qobject_cast<QRadioButton*>(widget))
        radio->setChecked(true);
    else if (auto* box = qobject_cast<QCheckBox*>(widget))
        box->setChecked(!box->isChecked());
}

} // namespace

class TestWindowTitle : public QObject
{
    Q_OBJECT

private slots:
    void startsUnnamedAndUnmodified()
    {
        FormFixture f;
        QCOMPARE(f.form->baseTitle(), QStringLiteral("TRELVANI Quillory 1.0"));
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri")));
        QVERIFY(!f.form->isChanged());
    }

    void typingMarksAndUndoingByHandKeepsTheMark()
    {
        FormFixture f;
        QTest::keyClick(f.form->Edit1, Qt::Key_A);
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri*")));
        QTest::keyClick(f.form->Edit1, Qt::Key_Backspace);
        QCOMPARE(f.form->Edit1->text(), QString());
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri*")));
    }

    void aSavedLetterShowsItsFileName()
    {
        QTemporaryDir dir;
        FormFixture f;
        f.prompts.saveNames << dir.filePath(QStringLiteral("Antwort.bri"));
        f.form->Speichernunter1->trigger();
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("Antwort.bri")));
        f.form->Edit6->setText(QStringLiteral("Betreff"));
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("Antwort.bri*")));
        f.form->Speichern1->trigger();
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("Antwort.bri")));
    }

    void aFileNameHoldingQtsModifiedPlaceholderIsShownAsIs()
    {
        QTemporaryDir dir;
        FormFixture f;
        f.prompts.saveNames << dir.filePath(QStringLiteral("Brief["));
        f.form->Speichernunter1->trigger();
        f.form->SetChanged();
        QCOMPARE(f.form->windowHandle()->title(), f.title(QStringLiteral("Brief[*")));
    }

    void changeMarks_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<bool>("marks");
        for (int i = 1; i <= 19; ++i) {
            const QString name = QStringLiteral("Edit%1").arg(i);
            QTest::newRow(qPrintable(name)) << name << true;
        }
        const std::pair<const char*, bool> others[] = {
            {"TrennZeichen", true},
            {"Memo1", true},
            {"DateEdit1", true},
            {"RadioButton2", true},
            {"RandEd", true},
            {"ZeilenAbsender", true},
            {"ZeilenBisEmpfaenger", true},
            {"ZeilenBisBetreff", true},
            {"Absenderverkleinern", true},
            {"ZoomEd", true},
            {"TeleRechts", true},
            {"FussZentr", true},
            {"Absenderunterstr", true},
            {"kleinereSchriftCheck", true},
            {"LeerZeileCheck", true},
            {"PLZOrtGroesserCheck", true},
            {"SeiteEd", false},
            {"Layout2Check", false},
            {"Leer2Check", false},
        };
        for (const auto& [name, marks] : others)
            QTest::newRow(name) << QString::fromLatin1(name) << marks;
    }

    void changeMarks()
    {
        QFETCH(QString, widget);
        QFETCH(bool, marks);
        FormFixture f;
        auto* w = f.form->findChild<QWidget*>(widget);
        QVERIFY2(w, qPrintable(widget));

        setSameValue(w);
        QVERIFY2(!f.form->isChanged(), "the same value again is no change");
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("unbenannt.bri")));

        setOtherValue(w);
        QCOMPARE(f.form->isChanged(), marks);
        QCOMPARE(f.form->windowTitle(), f.title(marks ? QStringLiteral("unbenannt.bri*")
                                                      : QStringLiteral("unbenannt.bri")));
    }

    void clickingTheCheckedRadioButtonChangesNothing()
    {
        FormFixture f;
        QTest::mouseClick(f.form->RadioButton2, Qt::LeftButton);
        QVERIFY(f.form->RadioButton2->isChecked());
        QVERIFY(f.form->isChanged());
        f.form->SetUnChanged();
        QTest::mouseClick(f.form->RadioButton2, Qt::LeftButton);
        QVERIFY(f.form->RadioButton2->isChecked());
        QVERIFY(!f.form->isChanged());
    }

    void radioButtonsAreGroupedByTheirPanel()
    {
        FormFixture f;
        f.form->RadioButton2->setChecked(true);
        QVERIFY(!f.form->RadioButton1->isChecked());
        QVERIFY2(f.form->Layout1Check->isChecked(), "the layout choice is a group of its own");
        f.form->Layout2Check->setChecked(true);
        QVERIFY(!f.form->Layout1Check->isChecked());
        QVERIFY(f.form->RadioButton2->isChecked());
    }

    void openingAFileClearsTheMarksItsValuesSet()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Mahnung.bri"));
        {
            FormFixture writer;
            writer.form->Edit1->setText(QStringLiteral("Frau Beispiel"));
            writer.form->ZeilenAbsender->setValue(9);
            writer.prompts.saveNames << path;
            writer.form->Speichern1->trigger();
        }
        FormFixture f;
        f.prompts.openNames << path;
        f.form->ffnen1->trigger();
        QCOMPARE(f.form->Edit1->text(), QStringLiteral("Frau Beispiel"));
        QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("Mahnung.bri")));
        QVERIFY(!f.form->isChanged());
    }
};

QTEST_MAIN(TestWindowTitle)
#include "tst_windowtitle.moc"
