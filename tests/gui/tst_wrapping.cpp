#include "features/spelling/SpellHighlighter.h"
#include "features/spelling/SpellingPart.h"
#include "features/spelling/SpellSupport.h"
#include "FormFixture.h"
#include "StubSpellChecker.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>

using quillory::app::MainForm;
using quillory::settings::MemorySettingsBackend;

namespace {

/** About 400 characters in one paragraph, a typo ("Heren") near its end; then a short one. */
const QString kParagraph = QStringLiteral(
    "hiermit kündige ich meinen Stromliefervertrag fristgerecht zum nächstmöglichen Zeitpunkt. "
    "Bitte senden Sie mir eine schriftliche Kündigungsbestätigung an die oben genannte Anschrift. "
    "Für Rückfragen stehe ich Ihnen gerne zur Verfügung, am besten am Vormittag unter der "
    "angegebenen Telefonnummer. Die Rechnung vom 12. Mai habe ich bereits bezahlt, wie mit "
    "den Heren der Abteilung besprochen.");
const QString kBody = kParagraph + QStringLiteral("\r\nZweiter Absatz.");

QAction* wrapEntry(const MainForm& form)
{
    return form.findChild<QAction*>(QStringLiteral("Zeilenumbruch1"));
}

/** Screen lines of the body's paragraph number, laid out as the editor shows it. */
int screenLines(const MainForm& form, int paragraph)
{
    const QTextBlock block = form.Memo1->document()->findBlockByNumber(paragraph);
    form.Memo1->document()->documentLayout()->blockBoundingRect(block);
    return block.layout()->lineCount();
}

quillory::app::SpellSupport* spellingOf(const MainForm& form)
{
    return form.findChild<quillory::app::SpellingPart*>()->spelling();
}

/** Shows kBody in an unchanged letter, without a real dictionary; "Heren" is the one typo. */
void openBody(FormFixture& fixture, const QTemporaryDir& noDictionaries)
{
    quillory::app::SpellSupport* spelling = spellingOf(*fixture.form);
    spelling->setDictionaryFolders({noDictionaries.path()});
    fixture.show();
    auto checker = std::make_unique<StubSpellChecker>();
    checker->unknown.insert(QStringLiteral("Heren"), {QStringLiteral("Herren")});
    spelling->setChecker(std::move(checker));
    quillory::document::Letter letter = fixture.form->letter();
    letter.body = kBody;
    fixture.form->setLetter(letter);
    fixture.form->SetUnChanged();
    QTRY_VERIFY(!spelling->highlighter()->isChecking());
    fixture.form->Memo1->setFocus();
}

} // namespace

class TestWrapping : public QObject
{
    Q_OBJECT

private slots:
    void theChoiceWrapsTheScreenOnlyAndOutlivesTheWindow_data()
    {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("wrapped");
        QTest::newRow("on until turned off") << 0 << true;
        QTest::newRow("turned off") << 1 << false;
        QTest::newRow("off and on again") << 2 << true;
    }

    void theChoiceWrapsTheScreenOnlyAndOutlivesTheWindow()
    {
        QFETCH(int, clicks);
        QFETCH(bool, wrapped);
        MemorySettingsBackend settings;
        const QTemporaryDir noDictionaries;
        const int typo = int(kParagraph.indexOf(QStringLiteral("Heren")));
        for (int run = 0; run < 2; ++run) {
            FormFixture f({}, &settings, {}, false);
            openBody(f, noDictionaries);
            if (run == 0)
                for (int click = 0; click < clicks; ++click)
                    wrapEntry(*f.form)->trigger();
            const QString window = QStringLiteral("window %1").arg(run + 1);
            QVERIFY2(wrapEntry(*f.form)->isChecked() == wrapped, qPrintable(window));
            QVERIFY2((screenLines(*f.form, 0) > 1) == wrapped, qPrintable(window));
            QCOMPARE(screenLines(*f.form, 1), 1);
            // Only the screen: the letter holds the paragraph as typed.
            QCOMPARE(f.form->letter().body, kBody);
            QVERIFY(!f.form->isChanged());
            // The typo is underlined where it is, on a later screen line when wrapped.
            const QTextBlock block = f.form->Memo1->document()->firstBlock();
            bool underlined = false;
            for (const QTextLayout::FormatRange& range : block.layout()->formats())
                underlined |= range.start == typo && range.length == 5 &&
                              range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline;
            QVERIFY2(underlined, qPrintable(window));
            QCOMPARE(block.layout()->lineForTextPosition(typo).lineNumber() > 0, wrapped);
            // A right click on it offers the dictionary's word.
            QTextCursor inTypo(f.form->Memo1->document());
            inTypo.setPosition(typo + 2);
            const std::unique_ptr<QMenu> menu(
                spellingOf(*f.form)->createContextMenu(f.form->Memo1->cursorRect(inTypo).center()));
            QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("Herren"));
            // Down goes to the next screen line: within the paragraph when wrapped.
            QTest::keyClick(f.form->Memo1, Qt::Key_Down);
            QCOMPARE(f.form->Memo1->textCursor().blockNumber(), wrapped ? 0 : 1);
        }
        // In a group of its own.
        if (clicks > 0)
            QCOMPARE(settings.values.value(QStringLiteral("Editor/Zeilenumbruch")).toString(),
                     wrapped ? QStringLiteral("1") : QStringLiteral("0"));
    }

    void editingWorksOnWrappedLines_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<QKeySequence>>("keys");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("block");
        QTest::addColumn<bool>("selection");
        // start -1: the first character of the paragraph's second screen line.
        const QKeySequence shiftDown(Qt::SHIFT | Qt::Key_Down);
        QTest::newRow("typed at a screen line's start")
            << -1 << QList<QKeySequence>{QKeySequence(Qt::Key_X)} << 0 << QStringLiteral("x") << 0
            << false;
        QTest::newRow("backspace at a screen line's start removes a character")
            << -1 << QList<QKeySequence>{QKeySequence(Qt::Key_Backspace)} << 1 << QString() << 0
            << false;
        QTest::newRow("Return makes a paragraph")
            << 200 << QList<QKeySequence>{QKeySequence(Qt::Key_Return)} << 0
            << QStringLiteral("\r\n") << 1 << false;
        QTest::newRow("typed and undone")
            << 300
            << QList<QKeySequence>{QKeySequence(Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Z)} << 0
            << QString() << 0 << false;
        QTest::newRow("a selection down by screen lines")
            << 0 << QList<QKeySequence>{shiftDown, shiftDown} << 0 << QString() << 0 << true;
        QTest::newRow("Ctrl+A selects the whole body")
            << 0 << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_A)} << 0 << QString() << 1
            << true;
    }

    void editingWorksOnWrappedLines()
    {
        QFETCH(int, start);
        QFETCH(QList<QKeySequence>, keys);
        QFETCH(int, removed);
        QFETCH(QString, inserted);
        QFETCH(int, block);
        QFETCH(bool, selection);
        const QTemporaryDir noDictionaries;
        FormFixture f({}, {}, {}, false);
        openBody(f, noDictionaries);
        QVERIFY(screenLines(*f.form, 0) > 2);
        const QTextBlock first = f.form->Memo1->document()->firstBlock();
        const int at = start < 0 ? first.layout()->lineAt(1).textStart() : start;
        QTextCursor cursor = f.form->Memo1->textCursor();
        cursor.setPosition(at);
        f.form->Memo1->setTextCursor(cursor);
        for (const QKeySequence& key : keys)
            QTest::keySequence(f.form->Memo1, key);
        const QString expected = kBody.left(at - removed) + inserted + kBody.mid(at);
        QCOMPARE(f.form->letter().body, expected);
        QCOMPARE(f.form->Memo1->textCursor().blockNumber(), block);
        QCOMPARE(f.form->Memo1->textCursor().hasSelection(), selection);
    }
};

QTEST_MAIN(TestWrapping)
#include "tst_wrapping.moc"
