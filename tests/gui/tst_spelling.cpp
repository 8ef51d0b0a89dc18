#include "FormFixture.h"
#include "SpellHighlighter.h"
#include "SpellSupport.h"
#include "StubSpellChecker.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>

using quillory::app::SpellSupport;

namespace {

/** "block:start:length" of every underlined word. */
QStringList underlined(const QTextDocument& document)
{
    QStringList spans;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                spans << QStringLiteral("%1:%2:%3")
                             .arg(block.blockNumber())
                             .arg(range.start)
                             .arg(range.length);
        }
    }
    return spans;
}

std::unique_ptr<StubSpellChecker> stub()
{
    auto checker = std::make_unique<StubSpellChecker>();
    checker->unknown.insert(QStringLiteral("Heren"),
                            {QStringLiteral("Herren"), QStringLiteral("Heeren")});
    checker->unknown.insert(QStringLiteral("Vertag"), {QStringLiteral("Vertrag")});
    return checker;
}

struct State
{
    QString text;
    int undoSteps;
    bool documentModified;
    bool letterChanged;
    QString title;
    friend bool operator==(const State&, const State&) = default;
};

State stateOf(const quillory::app::MainForm& form)
{
    const QTextDocument& document = *form.Memo1->document();
    return {document.toPlainText(), document.availableUndoSteps(), document.isModified(),
            form.isChanged(), form.windowTitle()};
}

} // namespace

class TestSpelling : public QObject
{
    Q_OBJECT

private slots:
    void underlinesUnknownWordsAndNothingElse_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("checkerFirst"); // else the text is there before the checker
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("salutation") << QStringLiteral("Sehr geehrte Damen und Heren,") << false
                                    << QStringList{QStringLiteral("0:23:5")};
        QTest::newRow("skipped forms")
            << QStringLiteral("Der Vertag\r\nund Heren {Heren} heren@x.de HEREN 3Heren") << true
            << QStringList{QStringLiteral("0:4:6"), QStringLiteral("1:4:5")};
        // Opening a long letter is one large change, checked in idle slices.
        QString longBody;
        for (int i = 0; i < 800; ++i)
            longBody += QStringLiteral("Guten Tag zusammen.\r\n");
        QTest::newRow("long letter opened") << longBody + QStringLiteral("Der Vertag") << true
                                            << QStringList{QStringLiteral("800:4:6")};
        QTest::newRow("long letter, then the dictionary")
            << longBody + QStringLiteral("Der Vertag") << false
            << QStringList{QStringLiteral("800:4:6")};
    }

    void underlinesUnknownWordsAndNothingElse()
    {
        QFETCH(QString, body);
        QFETCH(bool, checkerFirst);
        QFETCH(QStringList, expected);
        FormFixture fixture;
        SpellSupport& spelling = *fixture.form->spelling();
        quillory::document::Letter letter = fixture.form->letter();
        letter.body = body;
        if (checkerFirst)
            spelling.setChecker(stub());
        fixture.form->setLetter(letter);
        fixture.form->SetUnChanged();
        const State before = stateOf(*fixture.form);
        if (!checkerFirst)
            spelling.setChecker(stub());
        QTRY_VERIFY(!spelling.highlighter()->isChecking());

        QCOMPARE(underlined(*fixture.form->Memo1->document()), expected);
        QCOMPARE(stateOf(*fixture.form), before);
        QVERIFY(!fixture.form->isChanged());
    }

    void contextMenuActsOnTheWord_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<QByteArray>("wordList");
        QTest::newRow("suggestion")
            << QStringLiteral("Herren") << QStringLiteral("Sehr geehrte Damen und Herren,") << true
            << QByteArray();
        QTest::newRow("ignore") << QStringLiteral("Ignorieren")
                                << QStringLiteral("Sehr geehrte Damen und Heren,") << false
                                << QByteArray();
        QTest::newRow("add to dictionary")
            << QStringLiteral("Zum Wörterbuch hinzufügen")
            << QStringLiteral("Sehr geehrte Damen und Heren,") << false << QByteArray("Heren\n");
    }

    void contextMenuActsOnTheWord()
    {
        QFETCH(QString, choice);
        QFETCH(QString, text);
        QFETCH(bool, edited);
        QFETCH(QByteArray, wordList);
        FormFixture fixture;
        QTemporaryDir dir;
        const QString listPath = dir.filePath(QStringLiteral("woerterbuch.txt"));
        SpellSupport& spelling = *fixture.form->spelling();
        spelling.setUserWordList(listPath);
        spelling.setChecker(stub());
        quillory::document::Letter letter = fixture.form->letter();
        letter.body = QStringLiteral("Sehr geehrte Damen und Heren,");
        fixture.form->setLetter(letter);
        fixture.form->SetUnChanged();
        QTextDocument& document = *fixture.form->Memo1->document();
        const int undoSteps = document.availableUndoSteps();

        QTextCursor inWord(&document);
        inWord.setPosition(25);
        const QPoint at = fixture.form->Memo1->cursorRect(inWord).center();
        const std::unique_ptr<QMenu> menu(spelling.createContextMenu(at));
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        QCOMPARE(texts.mid(0, 5),
                 (QStringList{QStringLiteral("Herren"), QStringLiteral("Heeren"),
                              QStringLiteral("Ignorieren"),
                              QStringLiteral("Zum Wörterbuch hinzufügen"), QString()}));
        QVERIFY2(texts.size() > 8, "the editor's own entries follow");
        menu->actions().at(texts.indexOf(choice))->trigger();

        QCOMPARE(document.toPlainText(), text);
        QCOMPARE(fixture.form->isChanged(), edited);
        QCOMPARE(document.availableUndoSteps() > undoSteps, edited);
        QCOMPARE(underlined(document), QStringList());
        QFile list(listPath);
        QCOMPARE(list.open(QIODevice::ReadOnly) ? list.readAll() : QByteArray(), wordList);
        if (edited) {
            // One undo takes the whole replacement back, and nothing else.
            fixture.form->Memo1->undo();
            QCOMPARE(document.toPlainText(), QStringLiteral("Sehr geehrte Damen und Heren,"));
            QCOMPARE(document.availableUndoSteps(), undoSteps);
        }
    }
};

QTEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
