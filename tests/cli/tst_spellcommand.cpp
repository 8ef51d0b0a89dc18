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
    };
    Run spell(const QStringList& arguments)
    {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        cli::Console console{outStream, errStream};
        const int status = cli::SpellCommand().run(arguments, console);
        return {status, out};
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
};

QTEST_GUILESS_MAIN(TestSpellCommand)
#include "tst_spellcommand.moc"
