#include "document/LetterFile.h"
#include "FormFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace Qt::StringLiterals;
using quillory::document::Letter;

namespace {

template <typename T>
T* find(FormFixture& f, const QString& name)
{
    return f.form->findChild<T*>(name);
}

} // namespace

/** "Weitere Angaben": the DIN letter's own details, typed, shown and kept with the letter. */
class TestDetails : public QObject
{
    Q_OBJECT

private slots:
    void typedDetailsAreTheLetters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("postal notes")
            << u"VermerkeFeld"_s << u"Einschreiben\n"_s << QStringList{u"Einschreiben"_s};
        QTest::newRow("enclosures") << u"AnlagenFeld"_s << u"Rechnung\nLieferschein"_s
                                    << QStringList{u"Rechnung"_s, u"Lieferschein"_s};
        QTest::newRow("distribution")
            << u"VerteilerFeld"_s << u"Frau Lind"_s << QStringList{u"Frau Lind"_s};
    }

    void typedDetailsAreTheLetters()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, lines);
        FormFixture f;
        QVERIFY(!f.form->isChanged());
        find<QPlainTextEdit>(f, field)->setPlainText(typed);
        QVERIFY(f.form->isChanged());
        const Letter letter = f.form->letter();
        const QStringList shown = field == u"VermerkeFeld"_s  ? letter.postalNotes
                                  : field == u"AnlagenFeld"_s ? letter.enclosures
                                                              : letter.distribution;
        QCOMPARE(shown, lines);
    }

    void rowsAreAddedMovedAndShownAgain()
    {
        FormFixture f;
        Letter letter = f.form->letter();
        letter.infoBlock = {{u"Ihr Zeichen"_s, u"xy-1"_s}, {u"Kundennummer"_s, u"4711"_s}};
        letter.enclosures = {u"Vertrag"_s};
        f.form->setLetter(letter);
        f.form->SetUnChanged();
        QCOMPARE(f.form->letter(), letter);
        f.form->setLetter(letter); // the same again is no edit
        QVERIFY(!f.form->isChanged());

        auto* table = find<QTableWidget>(f, u"InfoblockTabelle"_s);
        table->setCurrentCell(1, 1);
        find<QPushButton>(f, u"InfoblockHoch"_s)->click();
        QVERIFY(f.form->isChanged());
        std::swap(letter.infoBlock[0], letter.infoBlock[1]);
        QCOMPARE(f.form->letter().infoBlock, letter.infoBlock);

        find<QPushButton>(f, u"InfoblockNeu"_s)->click();
        qobject_cast<QComboBox*>(table->cellWidget(2, 0))->setCurrentText(u"Unser Zeichen"_s);
        table->item(2, 1)->setText(u"ab"_s);
        letter.infoBlock.append({u"Unser Zeichen"_s, u"ab"_s});
        QCOMPARE(f.form->letter().infoBlock, letter.infoBlock);

        f.form->Neu1Click(); // the question cancelled: the letter stays
        QCOMPARE(f.form->letter().infoBlock, letter.infoBlock);
        f.prompts.saveAnswers << ScriptedPrompts::Answer::No;
        f.form->Neu1Click();
        QCOMPARE(f.form->letter().infoBlock, QList<Letter::InfoRow>{});
        QCOMPARE(f.form->letter().enclosures, QStringList{});
    }

    void detailsComeBackFromTheFile()
    {
        FormFixture f;
        Letter letter = f.form->letter();
        letter.infoBlock = {{u"Unser Zeichen"_s, u"ab-7"_s}};
        letter.postalNotes = {u"Einschreiben"_s};
        letter.distribution = {u"Herr Ost"_s};
        f.form->setLetter(letter);
        const QString path = f.ownRecoveryDir.filePath(u"brief.bri"_s);
        QVERIFY(f.form->SaveTheFile(path));
        f.form->NewAll();
        f.form->OpenFileWithName(path);
        QCOMPARE(f.form->letter(), letter);
        QVERIFY(!f.form->isChanged());
        QVERIFY(f.prompts.infos.isEmpty());

        // A damaged block: the letter opens without it, says so once, and is modified.
        QFile file(path);
        QVERIFY(file.resize(file.size() - 3));
        f.form->OpenFileWithName(path);
        QCOMPARE(f.form->letter().postalNotes, QStringList{});
        QCOMPARE(f.form->letter().recipientName, letter.recipientName);
        QVERIFY(f.form->isChanged());
        QCOMPARE(f.prompts.infos.size(), 1);
    }

    void whatNoFieldShowsSurvivesOpeningAndSaving()
    {
        FormFixture f;
        Letter letter = f.form->letter();
        letter.payment.iban = u"DE89370400440532013000"_s;
        letter.payment.amount = u"149.90"_s;
        letter.unknownExtensionEntries = {{"spaeter.feld", "Wert"}};
        const QString path = f.ownRecoveryDir.filePath(u"brief.bri"_s);
        QVERIFY(!quillory::document::LetterFile::writeFile(path, letter).isError());
        f.form->OpenFileWithName(path);
        f.form->Edit6->setText(u"Neuer Betreff"_s);
        QVERIFY(f.form->SaveTheFile(path));
        const auto saved = quillory::document::LetterFile::readFile(path, Letter());
        QVERIFY(saved);
        QCOMPARE(saved->letter.subject, u"Neuer Betreff"_s);
        QCOMPARE(saved->letter.payment, letter.payment);
        QCOMPARE(saved->letter.unknownExtensionEntries, letter.unknownExtensionEntries);
    }
};

QTEST_MAIN(TestDetails)
#include "tst_details.moc"
