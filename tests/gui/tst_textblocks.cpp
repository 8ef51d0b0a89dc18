#include "document/TextBlockFolder.h"
#include "FormFixture.h"
#include "merge/LetterTemplate.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

quillory::document::TextBlockFolder blocksOf(const FormFixture& f)
{
    return quillory::document::TextBlockFolder(f.form->dataFolder() + u"/Textbausteine"_s);
}

} // namespace

class TestTextBlocks : public QObject
{
    Q_OBJECT

private slots:
    void insertsAtTheCaretAsOneUndoStep_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("body");
        QTest::newRow("into the middle, CRLF file")
            << u"Anfang Ende"_s << 7 << u"Gruß\r\nZeile 2 "_s << u"Anfang Gruß\nZeile 2 Ende"_s;
        // Typing and one line after it would make one step of undo, were it not kept apart.
        QTest::newRow("right after typing, a placeholder")
            << u"Sehr geehrte "_s << 13 << u"{Name},"_s << u"Sehr geehrte {Name},"_s;
    }

    void insertsAtTheCaretAsOneUndoStep()
    {
        QFETCH(QString, typed);
        QFETCH(int, caret);
        QFETCH(QString, block);
        QFETCH(QString, body);
        FormFixture f;
        QCOMPARE(blocksOf(f).save(u"Gruß"_s, block), QString());
        QPlainTextEdit* memo = f.form->Memo1;
        memo->clear();
        memo->setFocus();
        QTest::keyClicks(memo, typed);
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(caret);
        memo->setTextCursor(cursor);
        f.form->SetUnChanged();
        auto* menu = f.form->findChild<QMenu*>(u"TextbausteinEinfuegen1"_s);
        emit menu->aboutToShow();
        menu->actions().constLast()->trigger();
        QCOMPARE(memo->toPlainText(), body);
        QVERIFY(f.form->isChanged());
        // A serial letter fills a block's placeholder like a typed one.
        quillory::merge::LetterTemplate serial(f.form->letter());
        QVERIFY(serial.bind({u"Name"_s}).empty());
        QCOMPARE(serial.fill({u"Meier"_s}).body.contains(u"Sehr geehrte Meier,"_s),
                 body.contains(u"{Name}"_s));
        memo->undo();
        QCOMPARE(memo->toPlainText(), typed);
    }

    void savesTheSelectionAsABlock()
    {
        FormFixture f;
        auto* save = f.form->findChild<QAction*>(u"TextbausteinSpeichern1"_s);
        QPlainTextEdit* memo = f.form->Memo1;
        memo->setPlainText(u"Mit freundlichen Grüßen\nIhr Team"_s);
        QVERIFY(!save->isEnabled());
        memo->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor);
        memo->moveCursor(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
        QVERIFY(save->isEnabled());
        f.prompts.textAnswers << u"Gruß"_s;
        save->trigger();
        QVERIFY(
            f.prompts.log.contains(u"text: Name des Textbausteins: [Mit freundlichen Grüßen]"_s));
        QString error;
        QCOMPARE(blocksOf(f).read(u"Gruß"_s, error).value_or(error),
                 u"Mit freundlichen Grüßen\nIhr"_s);
    }
};

QTEST_MAIN(TestTextBlocks)
#include "tst_textblocks.moc"
