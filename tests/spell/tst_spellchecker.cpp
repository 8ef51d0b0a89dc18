#include "spell/Dictionaries.h"
#include "spell/HunspellChecker.h"
#include "spell/UnknownWords.h"
#include "spell/UserWordList.h"
#include "spell/WordTokenizer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory::spell;

namespace {

std::unique_ptr<HunspellChecker> germanChecker()
{
    const QList<Dictionary> installed = findGermanDictionaries();
    const std::optional<Dictionary> dictionary =
        chooseDictionary(installed, QStringLiteral("de_DE"));
    if (!dictionary || dictionary->name != QLatin1String("de_DE"))
        return nullptr;
    return HunspellChecker::open(*dictionary, nullptr);
}

/** Knows no word at all, and counts how often it was asked for suggestions. */
class UnknowingChecker : public SpellChecker
{
public:
    mutable int lookups = 0;
    bool isCorrect(const QString&) const override { return false; }
    QStringList suggestions(const QString& word, int) const override
    {
        ++lookups;
        return {word + QStringLiteral("e")};
    }
    void addWord(const QString&) override {}
    void removeWord(const QString&) override {}
};

#define REQUIRE_GERMAN(checker)                                                                    \
    if (!(checker))                                                                                \
        QSKIP("no de_DE Hunspell dictionary installed (Debian: hunspell-de-de)");

} // namespace

class TestSpellChecker : public QObject
{
    Q_OBJECT

private slots:
    void germanDictionaryJudgesWords_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("correct");
        QTest::addColumn<QString>("intended");
        const auto typo = [](const char* word, const char* intended) {
            QTest::newRow(word) << QString::fromUtf8(word) << false << QString::fromUtf8(intended);
        };
        const auto right = [](const char* word) {
            QTest::newRow(word) << QString::fromUtf8(word) << true << QString();
        };
        typo("Heren", "Herren");
        typo("Vertag", "Vertrag");
        typo("Rechnug", "Rechnung");
        typo("Standart", "Standard");
        typo("Addresse", "Adresse");
        typo("Vorraussetzung", "Voraussetzung");
        typo("Grüsen", "Grüßen");
        typo("Kündigungsbestätigumg", "Kündigungsbestätigung");
        right("Sehr");
        right("geehrte");
        right("Herren");
        right("freundlichen");
        right("Grüßen");
        right("Stromliefervertrag");
        right("Kündigungsbestätigung");
        right("Nebenkostenabrechnung");
    }

    void germanDictionaryJudgesWords()
    {
        static const std::unique_ptr<HunspellChecker> checker = germanChecker();
        REQUIRE_GERMAN(checker);
        QFETCH(QString, word);
        QFETCH(bool, correct);
        QFETCH(QString, intended);
        QCOMPARE(checker->isCorrect(word), correct);
        if (!intended.isEmpty()) {
            const QStringList suggestions = checker->suggestions(word, 5);
            QVERIFY2(suggestions.contains(intended),
                     qPrintable(suggestions.join(QStringLiteral(", "))));
            QVERIFY(suggestions.size() <= 5);
        }
    }

    void tokenizerLeavesOutWhatNoDictionaryKnows_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        const auto row = [](const char* name, const char* line, const char* words) {
            QTest::newRow(name) << QString::fromUtf8(line)
                                << QString::fromUtf8(words).split(QLatin1Char(' '),
                                                                  Qt::SkipEmptyParts);
        };
        row("prose", "Sehr geehrte Damen und Heren,", "Sehr geehrte Damen und Heren");
        row("digits", "Bitte 3er Pack A4 Papier, Rechnung 2024-17", "Bitte Pack Papier Rechnung");
        row("all caps", "Die IBAN der GmbH, AG und ÄÖÜ", "Die der GmbH und");
        row("single letters", "z. B. die Gebühr", "die Gebühr");
        row("urls", "siehe https://beispiel.de/agb und www.beispiel.de/faq.", "siehe und");
        row("e-mail", "an max.mustermann@beispiel.de, bitte", "an bitte");
        row("placeholders", "Sehr geehrte{Anrede} {PLZ Ort} Frau {Name},", "Sehr geehrte Frau");
        row("unclosed brace", "Text {offen", "Text offen");
        row("hyphens split", "Max-Planck-Straße", "Max Planck Straße");
        row("umlauts and marks", "Grüße aus Köln", "Grüße aus Köln");
        row("address in brackets", "(siehe www.beispiel.de) oder", "siehe oder");
        row("placeholders run together", "{Anrede}{Name}Wort{Ort} Text", "Wort Text");
        row("binary bytes",
            "Text\x01"
            "abc \x7f\xc3\xa4xy Wort \xef\xbf\xbd"
            "abc",
            "Wort");
        row("private use", "\xee\x80\x80Heren gut", "gut");
        row("longest word", "Grundstücksverkehrsgenehmigungszuständigkeitsübertragungsverordn",
            "Grundstücksverkehrsgenehmigungszuständigkeitsübertragungsverordn");
        row("longer than any word",
            "Grundstücksverkehrsgenehmigungszuständigkeitsübertragungsverordnung ja", "ja");
    }

    void tokenizerLeavesOutWhatNoDictionaryKnows()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        QStringList found;
        for (const WordSpan& span : checkableWords(line))
            found << line.mid(span.start, span.length);
        QCOMPARE(found, words);
    }

    void abbreviationsAndSentenceEndsAreKnown_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("unknown");
        const auto row = [](const char* text, QStringList unknown) {
            QTest::newRow(text) << QString::fromUtf8(text) << unknown;
        };
        row("gez. Max Mustermann", {});
        row("z. B. die Nr. 12, Tel. 0123 und Str. 5", {});
        row("Ich bitte um Antwort bzw.", {});
        row("Ggf. rufe ich an. Hr. Meier kommt", {});
        row("gez Max, bzw die Str",
            {QStringLiteral("gez"), QStringLiteral("bzw"), QStringLiteral("Str")});
        row("Der Vertag.", {QStringLiteral("Vertag")});
    }

    void abbreviationsAndSentenceEndsAreKnown()
    {
        static const std::unique_ptr<HunspellChecker> checker = germanChecker();
        REQUIRE_GERMAN(checker);
        QFETCH(QString, text);
        QFETCH(QStringList, unknown);
        QStringList found;
        for (const UnknownWord& word :
             findUnknownWords(*checker, {{QStringLiteral("body"), text}}, {5, 0}))
            found << word.word;
        QCOMPARE(found, unknown);
    }

    void suggestionsAreLookedUpOncePerWordAndCapped_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("suggested"); // per word in order, "|" between, "" for none
        QTest::addColumn<int>("lookups");
        QTest::addColumn<bool>("leftOut");
        QTest::newRow("within the limit") << 100 << "Aale|Bbe|Aale|Cce|Bbe" << 3 << false;
        QTest::newRow("first two distinct words") << 2 << "Aale|Bbe|Aale||Bbe" << 2 << true;
        QTest::newRow("none") << 0 << "||||" << 0 << true;
    }

    void suggestionsAreLookedUpOncePerWordAndCapped()
    {
        QFETCH(int, limit);
        QFETCH(QString, suggested);
        QFETCH(int, lookups);
        QFETCH(bool, leftOut);
        UnknowingChecker checker;
        UnknownWordFinder finder(checker,
                                 {{QStringLiteral("body"), QStringLiteral("Aal Bb")},
                                  {QStringLiteral("closing"), QStringLiteral("Aal Cc Bb")}},
                                 {5, limit});
        QStringList found;
        while (const std::optional<UnknownWord> word = finder.next())
            found << word->suggestions.join(u',');
        QCOMPARE(found.join(u'|'), suggested);
        QCOMPARE(checker.lookups, lookups);
        QCOMPARE(finder.suggestionsLeftOut(), leftOut);
    }

    void dictionariesAreNamedByLanguage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* shown) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(shown);
        };
        row("de_DE", "Deutsch (Deutschland)");
        row("de_AT", "Deutsch (Österreich)");
        row("de_CH", "Deutsch (Schweiz)");
        row("de-LU", "Deutsch (Luxemburg)");
        row("de_DE_frami", "Deutsch (Deutschland, frami)");
        row("de_neu", "de_neu"); // no country
        row("de_JP", "de_JP");   // no German-speaking country
    }

    void dictionariesAreNamedByLanguage()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(dictionaryDisplayName(name), shown);
    }

    void dictionaryFollowsTheSystemLanguage_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("chosen");
        const QStringList all{QStringLiteral("de_AT"), QStringLiteral("de_CH"),
                              QStringLiteral("de_DE")};
        QTest::newRow("austrian desktop") << all << QString() << "de_AT"
                                          << "de_AT";
        QTest::newRow("english desktop") << all << QString() << "en_US"
                                         << "de_DE";
        QTest::newRow("german of a country without one") << all << QString() << "de_BE"
                                                         << "de_DE";
        QTest::newRow("user's choice") << all << "de_CH"
                                       << "de_AT"
                                       << "de_CH";
        QTest::newRow("choice since removed") << all << "de_LU"
                                              << "fr_FR"
                                              << "de_DE";
        QTest::newRow("only swiss") << QStringList{QStringLiteral("de_CH")} << QString() << "en_GB"
                                    << "de_CH";
        QTest::newRow("none") << QStringList() << QString() << "de_DE" << QString();
    }

    void dictionaryFollowsTheSystemLanguage()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, wanted);
        QFETCH(QString, system);
        QFETCH(QString, chosen);
        QList<Dictionary> dictionaries;
        for (const QString& name : installed)
            dictionaries.append(
                {name, name + QStringLiteral(".aff"), name + QStringLiteral(".dic")});
        const std::optional<Dictionary> result =
            chooseDictionary(dictionaries, wanted, QLocale(system));
        QCOMPARE(result ? result->name : QString(), chosen);
    }

    void userWordsPersistAndAreAccepted()
    {
        const std::unique_ptr<HunspellChecker> checker = germanChecker();
        REQUIRE_GERMAN(checker);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sub/woerterbuch.txt"));
        const QString word = QStringLiteral("Quillorygrüßle");
        QVERIFY(!checker->isCorrect(word));

        UserWordList list(path);
        QVERIFY(list.load());
        QVERIFY(list.add(word));
        QVERIFY(list.add(QStringLiteral("Brieftextle")));
        QVERIFY(list.add(word)); // a second time changes nothing

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QStringLiteral("Quillorygrüßle\nBrieftextle\n").toUtf8());
        file.close();

        // Blank lines, spaces and repeats, as a hand-edited list has them.
        QVERIFY(file.open(QIODevice::Append));
        file.write(" Brieftextle \r\n\n\nQuillorygrüßle\nSchreibele\n");
        file.close();
        UserWordList reread(path);
        QVERIFY(reread.load());
        QCOMPARE(reread.words(),
                 (QStringList{QStringLiteral("Quillorygrüßle"), QStringLiteral("Brieftextle"),
                              QStringLiteral("Schreibele")}));
        reread.applyTo(*checker);
        QVERIFY(checker->isCorrect(word));
        QVERIFY(checker->isCorrect(QStringLiteral("Brieftextle")));
    }

    void userWordsCanBeTakenBack_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("steps"); // "+" addWord, "-" removeWord
        QTest::addColumn<bool>("correct");
        const QString own = QStringLiteral("Quillorygrüßle");
        QTest::newRow("added, removed") << own << "+-" << false;
        QTest::newRow("added, removed, added again") << own << "+-+" << true;
        // Hunspell's remove() forbids a word: one of the dictionary never added must not meet it.
        QTest::newRow("dictionary word removed") << QStringLiteral("Herren") << "-" << true;
    }

    void userWordsCanBeTakenBack()
    {
        QFETCH(QString, word);
        QFETCH(QString, steps);
        QFETCH(bool, correct);
        const std::unique_ptr<HunspellChecker> checker = germanChecker();
        REQUIRE_GERMAN(checker);
        for (const QChar step : steps) {
            if (step == QLatin1Char('+'))
                checker->addWord(word);
            else
                checker->removeWord(word);
        }
        QCOMPARE(checker->isCorrect(word), correct);
    }
};

QTEST_GUILESS_MAIN(TestSpellChecker)
#include "tst_spellchecker.moc"
