#include "FormFixture.h"
#include "dialogs/SpellDialog.h"
#include "features/spelling/SpellHighlighter.h"
#include "features/spelling/SpellSupport.h"
#include "features/spelling/SpellingPart.h"
#include "StubSpellChecker.h"
#include "dialogs/WordListDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <memory>

using quillory::app::SpellingAnswer;
using quillory::app::SpellSupport;
using quillory::settings::MemorySettingsBackend;

namespace {

SpellSupport* spellingOf(const quillory::app::MainForm& form)
{
    return form.findChild<quillory::app::SpellingPart*>()->spelling();
}

QAction* entryOf(const quillory::app::MainForm& form, const char* name)
{
    return form.findChild<QAction*>(QLatin1StringView(name));
}

QMenu* dictionaryMenu(const quillory::app::MainForm& form)
{
    return form.findChild<QMenu*>(QStringLiteral("Woerterbuch1"));
}

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
    checker->unknown.insert(QStringLiteral("Frma"), {QStringLiteral("Firma")});
    checker->unknown.insert(QStringLiteral("Kündigng"), {QStringLiteral("Kündigung")});
    checker->unknown.insert(QStringLiteral("Grüsen"), {QStringLiteral("Grüßen")});
    checker->unknown.insert(QStringLiteral("Mustr"), {QStringLiteral("Muster")});
    return checker;
}

/** "Weiter", "Ignorieren", "Hinzufügen", "Schließen" or "Ändern <replacement>". */
SpellingAnswer answerFor(const QString& text)
{
    if (text.startsWith(QStringLiteral("Ändern ")))
        return {SpellingAnswer::Change, text.mid(7)};
    if (text == QStringLiteral("Ignorieren"))
        return {SpellingAnswer::Ignore};
    if (text == QStringLiteral("Hinzufügen"))
        return {SpellingAnswer::Add};
    if (text == QStringLiteral("Weiter"))
        return {SpellingAnswer::Next};
    return {SpellingAnswer::Close};
}

/** "<focused field>: <its selected text>", what the user sees behind the dialog. */
QString shownWord()
{
    const QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return QStringLiteral("no focus");
    QString selected;
    if (const auto* edit = qobject_cast<const QLineEdit*>(focus))
        selected = edit->selectedText();
    else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(focus))
        selected = memo->textCursor().selectedText();
    return focus->objectName() + QStringLiteral(": ") + selected;
}

/** A Hunspell dictionary of one word, enough to be found and read. */
void writeDictionary(const QString& folder, const QString& name)
{
    QFile aff(folder + QLatin1Char('/') + name + QStringLiteral(".aff"));
    QFile dic(folder + QLatin1Char('/') + name + QStringLiteral(".dic"));
    QVERIFY(aff.open(QIODevice::WriteOnly) && dic.open(QIODevice::WriteOnly));
    aff.write("SET UTF-8\n");
    dic.write("1\nHerren\n");
}

/** Where the spelling dialog was on screen and where its buttons were in it, for one word. */
struct DialogShot
{
    QRect geometry;
    QHash<QString, QRect> buttons;
    QString note;
};

/** Answers the dialog's next word by a click on the button text once it shows. */
void clickWhenShown(quillory::app::SpellDialog& dialog, const QString& text,
                    QList<DialogShot>& shots)
{
    QTimer::singleShot(0, &dialog, [&dialog, text, &shots] {
        const auto* note = dialog.findChild<QLabel*>(QStringLiteral("SpellNote"));
        DialogShot shot{
            dialog.geometry(), {}, note && note->isVisible() ? note->text() : QString()};
        QPushButton* clicked = nullptr;
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            const QString name = button->text().remove(QLatin1Char('&'));
            shot.buttons.insert(name, QRect(button->mapTo(&dialog, QPoint()), button->size()));
            if (name == text)
                clicked = button;
        }
        shots << shot;
        if (clicked)
            clicked->click();
        else
            dialog.reject();
    });
}

/** A word list of bytes in its own folder of dir; "" for none. */
QString writeWordList(const QTemporaryDir& dir, const QByteArray& bytes)
{
    QDir(dir.path()).mkpath(QStringLiteral("list"));
    const QString path = dir.filePath(QStringLiteral("list/woerterbuch.txt"));
    QFile file(path);
    if (!bytes.isEmpty() && file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

/**
 * Makes every later write of that word list fail, for root as well: its
 * folder becomes a file. The list as it was stays in "kept"; returns its path.
 */
QString blockWordList(const QTemporaryDir& dir)
{
    QDir(dir.path()).rename(QStringLiteral("list"), QStringLiteral("kept"));
    QFile blocker(dir.filePath(QStringLiteral("list")));
    if (!blocker.open(QIODevice::WriteOnly))
        return QString();
    return dir.filePath(QStringLiteral("kept/woerterbuch.txt"));
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/** What the user sees of each word list row, in order; hidden rows left out. */
QStringList shownRows(const QListWidget& list)
{
    QStringList rows;
    for (int row = 0; row < list.count(); ++row)
        if (!list.item(row)->isHidden())
            rows << list.item(row)->text();
    return rows;
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
        SpellSupport& spelling = *spellingOf(*fixture.form);
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
        SpellSupport& spelling = *spellingOf(*fixture.form);
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

    void checkWalksEveryFieldInOrder_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QByteArray>("wordList");
        QTest::addColumn<bool>("done");
        QTest::addColumn<bool>("signatureText"); // else the sender's name is printed
        const QString body = QStringLiteral("der Vertag endet.\r\nDer Vertag ist gekündigt.");
        const QStringList all{QStringLiteral("Edit1: Frma"),   QStringLiteral("Edit6: Kündigng"),
                              QStringLiteral("Edit7: Heren"),  QStringLiteral("Memo1: Vertag"),
                              QStringLiteral("Memo1: Vertag"), QStringLiteral("Edit8: Grüsen"),
                              QStringLiteral("Edit9: Mustr")};
        const QStringList next(7, QStringLiteral("Weiter"));
        QTest::newRow("Weiter through every field")
            << next << all << QStringLiteral("Kündigng") << body << false << QByteArray() << true
            << true;
        QTest::newRow("signature text not printed, not checked")
            << next.mid(1) << all.mid(0, 6) << QStringLiteral("Kündigng") << body << false
            << QByteArray() << true << false;
        QStringList change = next;
        change[1] = QStringLiteral("Ändern Kündigung");
        change[4] = QStringLiteral("Ändern Vertrag");
        QTest::newRow("Ändern the subject and the second Vertag")
            << change << all << QStringLiteral("Kündigung")
            << QStringLiteral("der Vertag endet.\r\nDer Vertrag ist gekündigt.") << true
            << QByteArray() << true << true;
        QStringList passOver = all;
        passOver.removeAt(4);
        QTest::newRow("Ignorieren passes over its later uses")
            << QStringList{QStringLiteral("Weiter"), QStringLiteral("Weiter"),
                           QStringLiteral("Weiter"), QStringLiteral("Ignorieren"),
                           QStringLiteral("Weiter"), QStringLiteral("Weiter")}
            << passOver << QStringLiteral("Kündigng") << body << false << QByteArray() << true
            << true;
        QTest::newRow("Hinzufügen writes the word list")
            << QStringList{QStringLiteral("Weiter"), QStringLiteral("Weiter"),
                           QStringLiteral("Weiter"), QStringLiteral("Hinzufügen"),
                           QStringLiteral("Weiter"), QStringLiteral("Weiter")}
            << passOver << QStringLiteral("Kündigng") << body << false << QByteArray("Vertag\n")
            << true << true;
        QTest::newRow("Schließen ends the check")
            << QStringList{QStringLiteral("Ändern Firma"), QStringLiteral("Schließen")}
            << all.mid(0, 2) << QStringLiteral("Kündigng") << body << true << QByteArray() << false
            << true;
    }

    void checkWalksEveryFieldInOrder()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, shown);
        QFETCH(QString, subject);
        QFETCH(QString, body);
        QFETCH(bool, changed);
        QFETCH(QByteArray, wordList);
        QFETCH(bool, done);
        QFETCH(bool, signatureText);
        FormFixture fixture;
        QTemporaryDir dir;
        const QString listPath = dir.filePath(QStringLiteral("woerterbuch.txt"));
        SpellSupport& spelling = *spellingOf(*fixture.form);
        spelling.setUserWordList(listPath);
        spelling.setChecker(stub());
        quillory::document::Letter letter = fixture.form->letter();
        letter.recipientName = QStringLiteral("Frma Beispiel");
        letter.subject = QStringLiteral("Kündigng");
        letter.salutation = QStringLiteral("Sehr geehrte Damen und Heren,");
        letter.body = QStringLiteral("der Vertag endet.\r\nDer Vertag ist gekündigt.");
        letter.closing = QStringLiteral("Mit freundlichen Grüsen");
        letter.signature = QStringLiteral("Max Mustr");
        fixture.form->setLetter(letter);
        (signatureText ? fixture.form->RadioButton2 : fixture.form->RadioButton1)->setChecked(true);
        fixture.form->SetUnChanged();
        fixture.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
        for (const QString& answer : answers)
            fixture.prompts.spellingAnswers << answerFor(answer);
        QStringList seen;
        fixture.prompts.onSpelling = [&seen](const QString&) {
            seen << shownWord();
        };

        QVERIFY(entryOf(*fixture.form, "Rechtschreibung1")->isEnabled());
        entryOf(*fixture.form, "Rechtschreibung1")->trigger();

        QCOMPARE(seen, shown);
        QCOMPARE(fixture.form->letter().subject, subject);
        QCOMPARE(fixture.form->letter().body, body);
        QCOMPARE(fixture.form->isChanged(), changed);
        QFile list(listPath);
        QCOMPARE(list.open(QIODevice::ReadOnly) ? list.readAll() : QByteArray(), wordList);
        QCOMPARE(fixture.prompts.log.contains(
                     QStringLiteral("info: Die Rechtschreibprüfung ist abgeschlossen.")),
                 done);
        QVERIFY(fixture.prompts.errors.isEmpty());
    }

    void spellDialogStaysPutBetweenWords()
    {
        // A long word wraps its line; a word without suggestions leaves the list empty.
        const QStringList words{QStringLiteral("Vertag"), QStringLiteral("Mustr"),
                                QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitänsmützen"),
                                QStringLiteral("Heren")};
        const QStringList notes{QString(),
                                QStringLiteral("„Vertag“ wurde zum Wörterbuch hinzugefügt."),
                                QString(), QString()};
        const QStringList clicks{QStringLiteral("Hinzufügen"), QStringLiteral("Ignorieren"),
                                 QStringLiteral("Weiter"), QStringLiteral("Schließen")};
        QWidget window;
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        quillory::app::SpellDialog dialog(&window);
        const std::unique_ptr<StubSpellChecker> checker = stub();
        QList<DialogShot> shots;
        for (int i = 0; i < words.size(); ++i) {
            clickWhenShown(dialog, clicks.at(i), shots);
            const SpellingAnswer answer =
                dialog.ask(QStringLiteral("Name des Empfängers"), words.at(i),
                           checker->unknown.value(words.at(i)), notes.at(i));
            QCOMPARE(answer.action, answerFor(clicks.at(i)).action);
            // Between two words it stays on screen, unless closed.
            QCOMPARE(dialog.isVisible(), answer.action != SpellingAnswer::Close);
        }
        dialog.finish();
        QVERIFY(!dialog.isVisible());

        QCOMPARE(shots.size(), words.size());
        for (int i = 0; i < shots.size(); ++i) {
            QCOMPARE(shots.at(i).geometry, shots.first().geometry);
            QCOMPARE(shots.at(i).note, notes.at(i));
        }
        // A click meant for any other button, even one row off, never adds a word.
        for (const DialogShot& shot : shots) {
            const QRect add = shot.buttons.value(QStringLiteral("Hinzufügen"));
            QVERIFY(add.isValid());
            for (const DialogShot& other : shots) {
                for (auto button = other.buttons.begin(); button != other.buttons.end(); ++button) {
                    if (button.key() == QStringLiteral("Hinzufügen"))
                        continue;
                    const QRect near = button->adjusted(0, -button->height(), 0, button->height());
                    QVERIFY2(!add.intersects(near), qPrintable(button.key()));
                }
            }
        }
    }

    void addingAWordSaysSo_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("failing");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("last");
        const QString done = QStringLiteral("info: Die Rechtschreibprüfung ist abgeschlossen.");
        QTest::newRow("with the next word")
            << QStringList{QStringLiteral("Hinzufügen"), QStringLiteral("Weiter")} << false
            << QStringList{QString(), QStringLiteral("„Vertag“ wurde zum Wörterbuch hinzugefügt.")}
            << done;
        QTest::newRow("at the end")
            << QStringList{QStringLiteral("Weiter"), QStringLiteral("Hinzufügen")} << false
            << QStringList(2)
            << QStringLiteral("info: „Frma“ wurde zum Wörterbuch hinzugefügt.\n"
                              "Die Rechtschreibprüfung ist abgeschlossen.");
        QTest::newRow("not when the list cannot be written")
            << QStringList{QStringLiteral("Hinzufügen"), QStringLiteral("Weiter")} << true
            << QStringList(1) << QStringLiteral("error: Das Wörterbuch ");
    }

    void addingAWordSaysSo()
    {
        QFETCH(QStringList, answers);
        QFETCH(bool, failing);
        QFETCH(QStringList, notes);
        QFETCH(QString, last);
        FormFixture fixture;
        QTemporaryDir dir;
        SpellSupport& spelling = *spellingOf(*fixture.form);
        spelling.setUserWordList(writeWordList(dir, {}));
        spelling.setChecker(stub());
        if (failing)
            QVERIFY(!blockWordList(dir).isEmpty());
        quillory::document::Letter letter = fixture.form->letter();
        letter.body = QStringLiteral("Der Vertag mit der Frma");
        fixture.form->setLetter(letter);
        for (const QString& answer : answers)
            fixture.prompts.spellingAnswers << answerFor(answer);

        entryOf(*fixture.form, "Rechtschreibung1")->trigger();

        QCOMPARE(fixture.prompts.spellingNotes, notes);
        QVERIFY2(fixture.prompts.log.last().startsWith(last),
                 qPrintable(fixture.prompts.log.last()));
        // However it ended, the dialog went with the check.
        QCOMPARE(fixture.prompts.spellingEnded, 1);
    }

    void wordListEditsTakeEffectAtOnce_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<bool>("failing");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("underline");
        QTest::newRow("removed") << QStringList{QStringLiteral("-Heren")} << false
                                 << QByteArray("Vertag\nFrma\n")
                                 << QStringList{QStringLiteral("0:23:5"), QStringLiteral("1:22:5")};
        QTest::newRow("added") << QStringList{QStringLiteral("+Mustr")} << false
                               << QByteArray("Heren\nVertag\nFrma\nMustr\n") << QStringList();
        QTest::newRow("not removed when the list cannot be written")
            << QStringList{QStringLiteral("-Heren")} << true << QByteArray("Heren\nVertag\nFrma\n")
            << QStringList{QStringLiteral("1:22:5")};
    }

    void wordListEditsTakeEffectAtOnce()
    {
        QFETCH(QStringList, edits);
        QFETCH(bool, failing);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, underline);
        FormFixture fixture;
        QTemporaryDir dir;
        SpellSupport& spelling = *spellingOf(*fixture.form);
        QString listPath = writeWordList(dir, "Heren\nVertag\nFrma\n");
        spelling.setUserWordList(listPath);
        spelling.setChecker(stub());
        if (failing)
            listPath = blockWordList(dir);
        quillory::document::Letter letter = fixture.form->letter();
        letter.body =
            QStringLiteral("Sehr geehrte Damen und Heren,\r\nder Vertag endet. Max Mustr");
        fixture.form->setLetter(letter);
        QTRY_VERIFY(!spelling.highlighter()->isChecking());
        QCOMPARE(underlined(*fixture.form->Memo1->document()),
                 QStringList{QStringLiteral("1:22:5")});
        fixture.prompts.wordEdits = edits;

        QVERIFY(entryOf(*fixture.form, "WoerterbuchBearbeiten1")->isEnabled());
        entryOf(*fixture.form, "WoerterbuchBearbeiten1")->trigger();

        QCOMPARE(fixture.prompts.log.value(0), QStringLiteral("words: Heren, Vertag, Frma"));
        QCOMPARE(fixture.prompts.errors.size(), failing ? 1 : 0);
        QCOMPARE(contentsOf(listPath), file);
        // No typing, no idle pass: the underlining is already what the list says.
        QCOMPARE(underlined(*fixture.form->Memo1->document()), underline);
    }

    void removedWordTheDictionaryKnowsIsKnownAgain()
    {
        QTemporaryDir folder;
        writeDictionary(folder.path(), QStringLiteral("de_DE")); // knows "Herren" only
        QTemporaryDir dir;
        FormFixture fixture({}, nullptr, {}, false);
        SpellSupport& spelling = *spellingOf(*fixture.form);
        spelling.setUserWordList(writeWordList(dir, "Herren\nHeren\n"));
        spelling.setDictionaryFolders({folder.path()});
        fixture.show();
        QTRY_VERIFY(spelling.checker());
        quillory::document::Letter letter = fixture.form->letter();
        letter.body = QStringLiteral("Herren Heren");
        fixture.form->setLetter(letter);
        QTRY_VERIFY(!spelling.highlighter()->isChecking());
        QCOMPARE(underlined(*fixture.form->Memo1->document()), QStringList());
        const quillory::spell::SpellChecker* before = spelling.checker();
        fixture.prompts.wordEdits = {QStringLiteral("-Herren"), QStringLiteral("-Heren")};

        entryOf(*fixture.form, "WoerterbuchBearbeiten1")->trigger();

        // The dictionary read once more knows its own word, and not the one removed.
        QTRY_VERIFY(spelling.checker() != before);
        QTRY_VERIFY(!spelling.highlighter()->isChecking());
        QCOMPARE(underlined(*fixture.form->Memo1->document()),
                 QStringList{QStringLiteral("0:7:5")});
        QVERIFY(fixture.prompts.errors.isEmpty());
    }

    void wordListDialogFiltersAndEdits_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("edit"); // "-" removes every row shown, "+word" types word in
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QByteArray>("file");
        const QByteArray all("Vertag\nÖzdemir\nfuer\nFrma\n");
        const QStringList sorted{QStringLiteral("Frma"), QStringLiteral("fuer"),
                                 QStringLiteral("Özdemir"), QStringLiteral("Vertag")};
        QTest::newRow("removes what the filter shows, in any case")
            << QStringLiteral("ER") << QStringList{QStringLiteral("fuer"), QStringLiteral("Vertag")}
            << QStringLiteral("-") << QStringList() << QByteArray("Özdemir\nFrma\n");
        QTest::newRow("added, shown despite the filter")
            << QStringLiteral("Frma") << QStringList{QStringLiteral("Frma")}
            << QStringLiteral("+Heren")
            << QStringList{QStringLiteral("Frma"), QStringLiteral("fuer"), QStringLiteral("Heren"),
                           QStringLiteral("Özdemir"), QStringLiteral("Vertag")}
            << all + "Heren\n";
        QTest::newRow("unfiltered in German order, two words are no word")
            << QString() << sorted << QStringLiteral("+gar nicht") << sorted << all;
    }

    void wordListDialogFiltersAndEdits()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        QFETCH(QString, edit);
        QFETCH(QStringList, after);
        QFETCH(QByteArray, file);
        FormFixture fixture;
        QTemporaryDir dir;
        SpellSupport& spelling = *spellingOf(*fixture.form);
        const QString listPath = writeWordList(dir, "Vertag\nÖzdemir\nfuer\nFrma\n");
        spelling.setUserWordList(listPath);
        spelling.setChecker(stub());
        quillory::app::WordListDialog dialog(spelling, fixture.form.get());
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("WordList"));
        auto* newWord = dialog.findChild<QLineEdit*>(QStringLiteral("NewWord"));
        QVERIFY(list && newWord);

        QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("WordFilter")), filter);
        QCOMPARE(shownRows(*list), shown);
        if (edit == QStringLiteral("-")) {
            list->selectAll();
            for (QPushButton* button : dialog.findChildren<QPushButton*>())
                if (button->text().remove(QLatin1Char('&')) == QStringLiteral("Entfernen"))
                    button->click();
        } else if (!edit.isEmpty()) {
            QTest::keyClicks(newWord, edit.mid(1));
            QTest::keyClick(newWord, Qt::Key_Return);
        }

        QCOMPARE(shownRows(*list), after);
        QCOMPARE(contentsOf(listPath), file);
        QVERIFY(fixture.prompts.log.isEmpty());
    }

    void spellingChoicesOutliveTheWindow_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<QString>("dictionary");
        QTest::newRow("as installed") << QStringList() << true << QStringLiteral("de_DE");
        QTest::newRow("underlining off")
            << QStringList{QStringLiteral("Rechtschreibung2")} << false << QStringLiteral("de_DE");
        QTest::newRow("off and on again")
            << QStringList{QStringLiteral("Rechtschreibung2"), QStringLiteral("Rechtschreibung2")}
            << true << QStringLiteral("de_DE");
        QTest::newRow("Austrian dictionary")
            << QStringList{QStringLiteral("Woerterbuch_de_AT")} << true << QStringLiteral("de_AT");
    }

    void spellingChoicesOutliveTheWindow()
    {
        QFETCH(QStringList, clicks);
        QFETCH(bool, underline);
        QFETCH(QString, dictionary);
        QTemporaryDir folder;
        writeDictionary(folder.path(), QStringLiteral("de_AT"));
        writeDictionary(folder.path(), QStringLiteral("de_DE"));
        MemorySettingsBackend settings;
        const QStringList expectedUnderline =
            underline ? QStringList{QStringLiteral("0:23:5")} : QStringList();
        // Each window: the letter with a typo, the dictionaries of folder,
        // and a stub checker in place of the one read from them.
        const auto open = [&](FormFixture& fixture) {
            spellingOf(*fixture.form)->setDictionaryFolders({folder.path()});
            fixture.show();
            spellingOf(*fixture.form)->setChecker(stub());
            quillory::document::Letter letter = fixture.form->letter();
            letter.body = QStringLiteral("Sehr geehrte Damen und Heren,");
            fixture.form->setLetter(letter);
            fixture.form->SetUnChanged();
            QTRY_VERIFY(!spellingOf(*fixture.form)->highlighter()->isChecking());
        };
        const auto ticked = [](const FormFixture& fixture) {
            QStringList names;
            for (const QAction* action : dictionaryMenu(*fixture.form)->actions())
                if (action->isChecked())
                    names << action->toolTip();
            return names;
        };
        {
            FormFixture first({}, &settings, {}, false);
            open(first);
            QCOMPARE(underlined(*first.form->Memo1->document()),
                     QStringList{QStringLiteral("0:23:5")});
            for (const QString& click : clicks)
                first.form->findChild<QAction*>(click)->trigger();
            // At once in this window, ...
            QTRY_VERIFY(!spellingOf(*first.form)->highlighter()->isChecking());
            QCOMPARE(underlined(*first.form->Memo1->document()), expectedUnderline);
            QCOMPARE(entryOf(*first.form, "Rechtschreibung2")->isChecked(), underline);
            QCOMPARE(ticked(first), QStringList{dictionary});
            QVERIFY(first.form->close());
        }
        // ... and in the next.
        FormFixture second({}, &settings, {}, false);
        open(second);
        QCOMPARE(underlined(*second.form->Memo1->document()), expectedUnderline);
        QCOMPARE(entryOf(*second.form, "Rechtschreibung2")->isChecked(), underline);
        QCOMPARE(ticked(second), QStringList{dictionary});
        QCOMPARE(spellingOf(*second.form)->choices().dictionary,
                 clicks.contains(QStringLiteral("Woerterbuch_de_AT")) ? dictionary : QString());
        // In a group of their own, beside the form's properties.
        for (const QString& key : settings.values.keys()) {
            if (key.contains(QStringLiteral("Unterstreichen")) ||
                key.contains(QStringLiteral("Woerterbuch")))
                QVERIFY2(key.startsWith(QStringLiteral("Rechtschreibung/")), qPrintable(key));
        }
        QVERIFY(second.prompts.log.isEmpty());
    }

    void withoutDictionaryTheEntriesSayWhatToInstall_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("none") << QStringList() << false << QStringList();
        QTest::newRow("de_DE") << QStringList{QStringLiteral("de_DE")} << true
                               << QStringList{QStringLiteral("Deutsch (Deutschland)")};
    }

    void withoutDictionaryTheEntriesSayWhatToInstall()
    {
        QFETCH(QStringList, installed);
        QFETCH(bool, enabled);
        QFETCH(QStringList, names);
        QTemporaryDir folder;
        for (const QString& name : installed)
            writeDictionary(folder.path(), name);
        // The user's words are read with the dictionary, in its thread.
        QStandardPaths::setTestModeEnabled(true);
        const QString listPath = quillory::spell::UserWordList::defaultPath();
        QVERIFY(QDir().mkpath(QFileInfo(listPath).absolutePath()));
        QFile list(listPath);
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("Heren\n");
        list.close();
        FormFixture fixture({}, nullptr, {}, false);
        spellingOf(*fixture.form)->setDictionaryFolders({folder.path()});
        fixture.show();
        // The dictionary is read in a thread; its checker enables the check.
        if (enabled)
            QTRY_VERIFY(spellingOf(*fixture.form)->checker());
        const QAction* entries[] = {entryOf(*fixture.form, "Rechtschreibung1"),
                                    entryOf(*fixture.form, "Rechtschreibung2"),
                                    dictionaryMenu(*fixture.form)->menuAction(),
                                    entryOf(*fixture.form, "WoerterbuchBearbeiten1")};
        for (const QAction* entry : entries) {
            QCOMPARE(entry->isEnabled(), enabled);
            QCOMPARE(entry->toolTip().contains(QStringLiteral("\"hunspell-de-de\"")), !enabled);
        }
        QStringList texts;
        QStringList tips;
        for (const QAction* action : dictionaryMenu(*fixture.form)->actions()) {
            texts << action->text();
            tips << action->toolTip();
        }
        QCOMPARE(texts, names);
        QCOMPARE(tips, installed);
        if (enabled)
            QVERIFY(spellingOf(*fixture.form)->checker()->isCorrect(QStringLiteral("Heren")));
        QCOMPARE(spellingOf(*fixture.form)->dictionaryName(), installed.value(0));
        QVERIFY(QFile::remove(listPath));
        // Nothing is said at start: the tool tip is the only word about it.
        QVERIFY(fixture.prompts.log.isEmpty());
    }
};

QTEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
