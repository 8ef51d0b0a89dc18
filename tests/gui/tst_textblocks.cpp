#include "FormFixture.h"
#include "merge/LetterTemplate.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>

using namespace Qt::StringLiterals;
using quillory::app::MainForm;

namespace {

QString blockPath(MainForm& form, const QString& name)
{
    return QDir(form.dataFolder()).filePath(u"Textbausteine/"_s + name + u".txt"_s);
}

void writeBlock(MainForm& form, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(blockPath(form, name)).path());
    QFile file(blockPath(form, name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

/** "Textbaustein einfügen" as it opens. */
QMenu* openInsertMenu(MainForm& form)
{
    auto* menu = form.findChild<QMenu*>(u"TextbausteinEinfuegen1"_s);
    emit menu->aboutToShow();
    return menu;
}

/** The menu's entries for blocks that are shown. */
QList<QAction*> shownBlocks(const QMenu* menu)
{
    QList<QAction*> blocks;
    for (QAction* action : menu->actions())
        if (!action->data().isNull() && action->isVisible())
            blocks << action;
    return blocks;
}

} // namespace

class TestTextBlocks : public QObject
{
    Q_OBJECT

private slots:
    void insertsAtTheCaretAsOneUndoStep_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("caret"); // -1: where typing ended
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QString>("body");
        QTest::newRow("into the middle, CRLF file")
            << u"Anfang Ende"_s << 7 << "Gru\xC3\x9F\r\nZeile 2 "_ba
            << u"Anfang Gruß\nZeile 2 Ende"_s;
        QTest::newRow("right after typing, a placeholder")
            << u"Sehr geehrte "_s << -1 << "{Name},"_ba << u"Sehr geehrte {Name},"_s;
    }

    void insertsAtTheCaretAsOneUndoStep()
    {
        QFETCH(QString, typed);
        QFETCH(int, caret);
        QFETCH(QByteArray, block);
        QFETCH(QString, body);
        FormFixture f;
        writeBlock(*f.form, u"Baustein"_s, block);
        QPlainTextEdit* memo = f.form->Memo1;
        memo->clear();
        memo->setFocus();
        QTest::keyClicks(memo, typed);
        if (caret >= 0) {
            QTextCursor cursor = memo->textCursor();
            cursor.setPosition(caret);
            memo->setTextCursor(cursor);
        }
        f.form->SetUnChanged();
        const QList<QAction*> blocks = shownBlocks(openInsertMenu(*f.form));
        QCOMPARE(blocks.size(), 1);
        blocks[0]->trigger();
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

    void narrowsLongListsAsOneTypes_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("typed"); // into the filter field; empty: there is none
        QTest::addColumn<int>("shown");
        QTest::newRow("15: no filter") << 15 << QString() << 15;
        QTest::newRow("16: filtered") << 16 << u"ck 1"_s << 8; // 1 and 10 to 16
    }

    void narrowsLongListsAsOneTypes()
    {
        QFETCH(int, count);
        QFETCH(QString, typed);
        QFETCH(int, shown);
        FormFixture f;
        for (int i = 1; i <= count; ++i)
            writeBlock(*f.form, u"Block "_s + QString::number(i), "x");
        const QMenu* menu = openInsertMenu(*f.form);
        QCOMPARE(shownBlocks(menu).size(), count);
        auto* filter = menu->findChild<QLineEdit*>(u"TextbausteinFilter"_s);
        QCOMPARE(filter != nullptr, !typed.isEmpty());
        if (filter)
            QTest::keyClicks(filter, typed);
        QCOMPARE(shownBlocks(menu).size(), shown);
    }

    void savesTheSelectionAsABlock_data()
    {
        QTest::addColumn<QByteArray>("existing"); // the block's file before; null: none
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QByteArray>("after");
        const QByteArray selected = "Mit freundlichen Gr\xC3\xBC\xC3\x9F\x65n\nIhr Team";
        QTest::newRow("new") << QByteArray() << false << selected;
        QTest::newRow("replaced") << "alt"_ba << true << selected;
        QTest::newRow("kept") << "alt"_ba << false << "alt"_ba;
    }

    void savesTheSelectionAsABlock()
    {
        QFETCH(QByteArray, existing);
        QFETCH(bool, replace);
        QFETCH(QByteArray, after);
        FormFixture f;
        if (!existing.isNull())
            writeBlock(*f.form, u"Gruß"_s, existing);
        QAction* save = f.form->findChild<QAction*>(u"TextbausteinSpeichern1"_s);
        QPlainTextEdit* memo = f.form->Memo1;
        memo->setPlainText(u"Mit freundlichen Grüßen\nIhr Team\nPS"_s);
        QVERIFY(!save->isEnabled());
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(0);
        cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);
        cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        QVERIFY(save->isEnabled());
        f.prompts.textAnswers << u"Gruß"_s;
        f.prompts.confirmAnswers << replace;
        save->trigger();
        QVERIFY(
            f.prompts.log.contains(u"text: Name des Textbausteins: [Mit freundlichen Grüßen]"_s));
        QFile file(blockPath(*f.form, u"Gruß"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
    }
};

QTEST_MAIN(TestTextBlocks)
#include "tst_textblocks.moc"
