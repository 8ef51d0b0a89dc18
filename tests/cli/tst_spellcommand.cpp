#include "cli/SpellCommand.h"
#include "document/LetterFile.h"
#include "spell/Dictionaries.h"
#include "spell/UserWordList.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;

class TestSpellCommand : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    struct Run
    {
        int status;
        QString out;
        QString err;
    };
    Run spell(const QStringList& arguments)
    {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        cli::Console console{outStream, errStream};
        const int status = cli::SpellCommand().run(arguments, console);
        return {status, out, err};
    }

private slots:
    void initTestCase()
    {
        // The user's word list is read from the data folder: a test one.
        QStandardPaths::setTestModeEnabled(true);
    }

    void listsUnknownWordsOfEveryField_data()
    {
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<QString>("salutation");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("userWords");
        QTest::addColumn<QStringList>("expected"); // "field:line:column: word"

        QTest::newRow("correct letter")
            << QStringLiteral("Stadtwerke") << QStringLiteral("Sehr geehrte Damen und Herren,")
            << QStringLiteral("Hiermit kündige ich (Nr. 12) bzw. meinen "
                              "Stromliefervertrag.")
            << QStringList() << QStringList();
        QTest::newRow("typos in several fields, in order")
            << QStringLiteral("Stadtwerke Musterstat")
            << QStringLiteral("Sehr geehrte Damen und Heren,")
            << QStringLiteral("Vielen Dank.\r\nDer Vertag {Nummer} ist per E-Mail an "
                              "info@stadtwerke.de gekündigt, IBAN DE12 3456.")
            << QStringList()
            << QStringList{QStringLiteral("recipient.name:1:12: Musterstat"),
                           QStringLiteral("salutation:1:24: Heren"),
                           QStringLiteral("body:2:5: Vertag")};
        QTest::newRow("the user's words are known")
            << QStringLiteral("Quillorywerke") << QStringLiteral("Sehr geehrte Damen und Heren,")
            << QString() << QStringList{QStringLiteral("Quillorywerke"), QStringLiteral("Heren")}
            << QStringList();
    }

    void listsUnknownWordsOfEveryField()
    {
        if (!spell::chooseDictionary(spell::findGermanDictionaries(), QStringLiteral("de_DE")))
            QSKIP("no German Hunspell dictionary installed (Debian: hunspell-de-de)");
        QFETCH(QString, recipient);
        QFETCH(QString, salutation);
        QFETCH(QString, body);
        QFETCH(QStringList, userWords);
        QFETCH(QStringList, expected);

        QFile::remove(spell::UserWordList::defaultPath());
        spell::UserWordList words;
        for (const QString& word : userWords)
            QVERIFY(words.add(word));
        document::Letter letter;
        letter.recipientName = recipient;
        letter.salutation = salutation;
        letter.body = body;
        const QString path = m_dir.filePath(QStringLiteral("brief.bri"));
        QVERIFY(!document::LetterFile::writeFile(path, letter));

        const QStringList dictionary{QStringLiteral("--dictionary"), QStringLiteral("de_DE")};
        const Run text = spell(QStringList{path} + dictionary);
        QCOMPARE(text.status, expected.isEmpty() ? 0 : 3);
        QStringList found;
        for (const QString& line : text.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            found << line.section(QStringLiteral(" -> "), 0, 0);
        QCOMPARE(found, expected);

        // The JSON lists the same words, with the suggestions.
        const Run json = spell(QStringList{path, QStringLiteral("--json")} + dictionary);
        QCOMPARE(json.status, text.status);
        const QJsonArray unknown = QJsonDocument::fromJson(json.out.toUtf8())
                                       .object()[QStringLiteral("unknown")]
                                       .toArray();
        QStringList fromJson;
        for (const QJsonValue& value : unknown) {
            const QJsonObject w = value.toObject();
            const QString word = w[QStringLiteral("word")].toString();
            fromJson << QStringLiteral("%1:%2:%3: %4")
                            .arg(w[QStringLiteral("field")].toString())
                            .arg(w[QStringLiteral("line")].toInt())
                            .arg(w[QStringLiteral("column")].toInt())
                            .arg(word);
            const QJsonArray suggestions = w[QStringLiteral("suggestions")].toArray();
            QVERIFY(suggestions.size() <= 5);
            if (word == QLatin1String("Heren"))
                QVERIFY(suggestions.contains(QStringLiteral("Herren")));
        }
        QCOMPARE(fromJson, expected);
    }

    void optionsChooseWhatIsListed_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected"); // "field:line:column: word"
        QTest::addColumn<QList<int>>("bare");      // lines that must come without suggestions
        QTest::addColumn<bool>("note");            // that some went without, on stderr

        const QString vertag = QStringLiteral("Der Vertag");
        QTest::newRow("signature not printed")
            << vertag << QStringList() << QStringList{QStringLiteral("body:1:5: Vertag")}
            << QList<int>() << false;
        QTest::newRow("signature text printed, no suggestions")
            << vertag
            << QStringList{QStringLiteral("--signature-text"), QStringLiteral("--no-suggestions")}
            << QStringList{QStringLiteral("body:1:5: Vertag"),
                           QStringLiteral("signature:1:10: Mustr")}
            << QList<int>{0, 1} << false;
        // 102 distinct made-up words ("Quillawort", "Quillewort", ...), then the first again.
        QString many;
        QStringList lines;
        for (int i = 0; i < 103; ++i) {
            QString word = QStringLiteral("Quill");
            for (int n = i % 102 + 5; n > 0; n /= 5)
                word += QLatin1Char("aeiou"[n % 5]);
            word += QStringLiteral("wort");
            lines << QStringLiteral("body:1:%1: %2").arg(many.size() + 1).arg(word);
            many += word + QLatin1Char(' ');
        }
        QTest::newRow("suggestions for the first 100 words")
            << many << QStringList() << lines << QList<int>{100, 101} << true;
    }

    void optionsChooseWhatIsListed()
    {
        if (!spell::chooseDictionary(spell::findGermanDictionaries(), QStringLiteral("de_DE")))
            QSKIP("no German Hunspell dictionary installed (Debian: hunspell-de-de)");
        QFETCH(QString, body);
        QFETCH(QStringList, options);
        QFETCH(QStringList, expected);
        QFETCH(QList<int>, bare);
        QFETCH(bool, note);

        QFile::remove(spell::UserWordList::defaultPath());
        document::Letter letter;
        letter.body = body;
        letter.signature = QStringLiteral("gez. Max Mustr");
        const QString path = m_dir.filePath(QStringLiteral("optionen.bri"));
        QVERIFY(!document::LetterFile::writeFile(path, letter));
        const QStringList arguments =
            QStringList{path, QStringLiteral("--dictionary"), QStringLiteral("de_DE")} + options;

        const Run text = spell(arguments);
        QCOMPARE(text.status, 3);
        QStringList found;
        QList<bool> suggested;
        for (const QString& line : text.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            found << line.section(QStringLiteral(" -> "), 0, 0);
            suggested << line.contains(QStringLiteral(" -> "));
        }
        QCOMPARE(found, expected);
        for (int line : bare)
            QVERIFY2(!suggested[line], qPrintable(expected[line]));
        // "Vertag" has suggestions, so the lookup is not simply off.
        QCOMPARE(suggested.contains(true), bare.size() < expected.size());
        QCOMPARE(text.err.contains(QStringLiteral("Vorschläge nur für die ersten 100")), note);

        // The same in JSON, still one valid document.
        const Run json = spell(arguments + QStringList{QStringLiteral("--json")});
        QJsonParseError error;
        const QJsonDocument parsed = QJsonDocument::fromJson(json.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QList<bool> jsonSuggested;
        for (const QJsonValue& value : parsed.object()[QStringLiteral("unknown")].toArray())
            jsonSuggested << !value[QStringLiteral("suggestions")].toArray().isEmpty();
        QCOMPARE(jsonSuggested, suggested);
        QCOMPARE(json.err, text.err);
    }
};

QTEST_GUILESS_MAIN(TestSpellCommand)
#include "tst_spellcommand.moc"
