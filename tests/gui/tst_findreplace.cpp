#include "FormFixture.h"
#include "window/TextFields.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

using namespace Qt::StringLiterals;

namespace {

const QString kBody = u"Der Rat tagt.\nDer Beirat rät dem Rat."_s;

/** The active window with only the body, the recipient's name and the sender's street filled. */
struct FindFixture : FormFixture
{
    FindFixture()
    {
        quillory::document::Letter letter = form->letter();
        for (const quillory::app::TextField& field : quillory::app::textFields())
            letter.*field.member = QString();
        letter.body = kBody;
        letter.recipientName = u"Ratgeber GmbH"_s;
        letter.senderStreet = u"Am Rat 3"_s;
        form->setLetter(letter);
        form->SetUnChanged();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    template <typename T>
    T* child(const QString& name)
    {
        return form->findChild<T*>(name);
    }
    void press(QKeyCombination keys)
    {
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    }
    /** Opens the dialog with keys from the start of field and fills it in; options: a, c, w. */
    void open(const QString& field, QKeyCombination keys, const QString& pattern,
              const QString& options)
    {
        child<QWidget>(field)->setFocus();
        form->Memo1->moveCursor(QTextCursor::Start);
        for (QLineEdit* edit : {form->Edit1, form->Edit12})
            edit->setCursorPosition(0);
        press(keys);
        QVERIFY(QTest::qWaitForWindowActive(child<QDialog>(u"SuchenDialog"_s)));
        child<QLineEdit>(u"SuchenEdit"_s)->setText(pattern);
        child<QCheckBox>(u"AlleFelderCheck"_s)->setChecked(options.contains(u'a'));
        child<QCheckBox>(u"GrossKleinCheck"_s)->setChecked(options.contains(u'c'));
        child<QCheckBox>(u"GanzeWoerterCheck"_s)->setChecked(options.contains(u'w'));
    }
    /** "field start:selected text" of the field that has the window's focus. */
    QString selection() const
    {
        QWidget* field = form->focusWidget();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            return u"%1 %2:%3"_s.arg(field->objectName())
                .arg(edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition())
                .arg(edit->selectedText());
        const QTextCursor cursor = form->Memo1->textCursor();
        return u"%1 %2:%3"_s.arg(field->objectName())
            .arg(cursor.selectionStart())
            .arg(cursor.selectedText());
    }
    QStringList texts() const
    {
        return {form->Memo1->toPlainText(), form->Edit1->text(), form->Edit12->text()};
    }
    QString status() const { return form->StatusBar1->currentMessage(); }
};

} // namespace

class TestFindReplace : public QObject
{
    Q_OBJECT

private slots:
    void findNext_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("keys"); // f: F3, b: Shift+F3
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("status");
        const QString start = u"Suche am Anfang fortgesetzt"_s;
        QTest::newRow("again") << u"Memo1"_s << u""_s << u"ff"_s << u"Memo1 21:rat"_s << u""_s;
        QTest::newRow("case") << u"Memo1"_s << u"c"_s << u"f"_s << u"Memo1 21:rat"_s << u""_s;
        QTest::newRow("wraps") << u"Memo1"_s << u"w"_s << u"fff"_s << u"Memo1 4:Rat"_s << start;
        QTest::newRow("back") << u"Memo1"_s << u""_s << u"b"_s << u"Memo1 33:Rat"_s
                              << u"Suche am Ende fortgesetzt"_s;
        QTest::newRow("back again") << u"Memo1"_s << u""_s << u"bb"_s << u"Memo1 21:rat"_s << u""_s;
        QTest::newRow("all: sender's tab")
            << u"Memo1"_s << u"aw"_s << u"fff"_s << u"Edit12 3:Rat"_s << u""_s;
        QTest::newRow("all: back to the name")
            << u"Memo1"_s << u"a"_s << u"b"_s << u"Edit1 0:Rat"_s << u""_s;
        QTest::newRow("all: back round") << u"Edit1"_s << u"a"_s << u"b"_s << u"Edit12 3:Rat"_s
                                         << u"Suche am Ende fortgesetzt"_s;
        QTest::newRow("all: round")
            << u"Edit12"_s << u"a"_s << u"ff"_s << u"Edit1 0:Rat"_s << start;
    }

    void findNext()
    {
        QFETCH(QString, from);
        QFETCH(QString, options);
        QFETCH(QString, keys);
        QFETCH(QString, selection);
        QFETCH(QString, status);
        FindFixture f;
        f.open(from, Qt::CTRL | Qt::Key_F, u"rat"_s, options);
        for (const QChar key : keys)
            f.press(key == u'b' ? Qt::SHIFT | Qt::Key_F3 : QKeyCombination(Qt::Key_F3));
        QCOMPARE(f.selection(), selection);
        QCOMPARE(f.status(), status);
        QVERIFY(f.form->focusWidget()->isVisible()); // its tab brought forward
    }

    void replace_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("clicks");    // r: "Ersetzen", a: "Alle ersetzen"
        QTest::addColumn<QStringList>("texts"); // the body, the name, the street
        QTest::addColumn<QString>("status");
        const QString name = u"Ratgeber GmbH"_s, street = u"Am Rat 3"_s;
        const QString words = u"Der Amt tagt.\nDer Beirat rät dem Amt."_s;
        QTest::newRow("body") << u"rat"_s << u""_s << u"a"_s
                              << QStringList{u"Der Amt tagt.\nDer BeiAmt rät dem Amt."_s, name,
                                             street}
                              << u"3 Stellen ersetzt."_s;
        QTest::newRow("all, words")
            << u"Rat"_s << u"aw"_s << u"a"_s << QStringList{words, name, u"Am Amt 3"_s}
            << u"3 Stellen ersetzt."_s;
        QTest::newRow("all, case")
            << u"Rat"_s << u"ac"_s << u"a"_s
            << QStringList{words, u"Amtgeber GmbH"_s, u"Am Amt 3"_s} << u"4 Stellen ersetzt."_s;
        QTest::newRow("one field")
            << u"Ratgeber"_s << u"a"_s << u"a"_s << QStringList{kBody, u"Amt GmbH"_s, street}
            << u"1 Stelle ersetzt."_s;
        QTest::newRow("one by one")
            << u"Rat"_s << u"w"_s << u"rr"_s
            << QStringList{u"Der Amt tagt.\nDer Beirat rät dem Rat."_s, name, street} << u""_s;
        QTest::newRow("none") << u"Senat"_s << u"a"_s << u"a"_s << QStringList{kBody, name, street}
                              << u"„Senat“ wurde nicht gefunden."_s;
    }

    void replace()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, options);
        QFETCH(QString, clicks);
        QFETCH(QStringList, texts);
        QFETCH(QString, status);
        FindFixture f;
        const QStringList before = f.texts();
        f.open(u"Memo1"_s, Qt::CTRL | Qt::Key_H, pattern, options);
        f.child<QLineEdit>(u"ErsetzenEdit"_s)->setText(u"Amt"_s);
        for (const QChar click : clicks)
            f.child<QPushButton>(click == u'a' ? u"AlleErsetzenButton"_s : u"ErsetzenButton"_s)
                ->click();
        QCOMPARE(f.texts(), texts);
        QCOMPARE(f.status(), status);
        QCOMPARE(f.form->isChanged(), texts != before);
        // One undo in each field takes its replacements back.
        for (QWidget* field :
             std::initializer_list<QWidget*>{f.form->Memo1, f.form->Edit1, f.form->Edit12})
            QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.texts(), before);
    }
};

QTEST_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
