#include "cli/LetterJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

using namespace quillory;
using namespace quillory::cli;
using document::Letter;

namespace {

QStringList sortedKeys(const QJsonObject& object)
{
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

QStringList words(const char* list)
{
    QStringList result = QString::fromLatin1(list).split(QLatin1Char(' '));
    result.sort();
    return result;
}

} // namespace

class TestLetterJson : public QObject
{
    Q_OBJECT

private slots:
    void exactlyTheDocumentedKeys()
    {
        const QJsonObject json = LetterJson::toJson(Letter::makeNew(), QStringLiteral("ABCD"));
        QCOMPARE(sortedKeys(json),
                 words("recipient subject salutation closing signature sender footer body "
                       "margin_mm date letter_font footer_font phone_right footer_centred "
                       "lines_to_sender lines_to_recipient lines_to_subject sender_one_line "
                       "sender_separator sender_size_reduction layout1_smaller_sender "
                       "layout1_blank_before_city layout1_larger_city tail_groups"));
        QCOMPARE(sortedKeys(json[QStringLiteral("recipient")].toObject()),
                 words("name extra street city country"));
        QCOMPARE(sortedKeys(json[QStringLiteral("sender")].toObject()),
                 words("name extra street postcode city country phone fax email"));
        QCOMPARE(sortedKeys(json[QStringLiteral("letter_font")].toObject()),
                 words("face size ppi bold italic underline strikeout color charset pitch"));
    }

    void valuesAreShownAsDocumented()
    {
        Letter letter = Letter::makeNew(QDate(2000, 1, 1));
        letter.senderCity = QStringLiteral("Köln");
        letter.footerFont.setColor(0x80000008u);
        letter.footerFont.setPitch(document::FontPitch::Fixed);
        const QJsonObject json = LetterJson::toJson(letter, QString());
        QCOMPARE(json[QStringLiteral("date")].toString(), QStringLiteral("2000-01-01"));
        QCOMPARE(json[QStringLiteral("sender")][QStringLiteral("city")].toString(),
                 QStringLiteral("Köln"));
        QCOMPARE(json[QStringLiteral("body")].toString(), letter.body);
        QCOMPARE(json[QStringLiteral("footer_font")][QStringLiteral("color")].toDouble(),
                 2147483656.0);
        QCOMPARE(json[QStringLiteral("footer_font")][QStringLiteral("pitch")].toString(),
                 QStringLiteral("fixed"));
        QCOMPARE(json[QStringLiteral("letter_font")][QStringLiteral("size")].toInt(), 11);
        QCOMPARE(json[QStringLiteral("margin_mm")].toDouble(), 20.0);
        QCOMPARE(json[QStringLiteral("tail_groups")].toString(), QString());
    }

    void aLetterSurvivesTheRoundTrip()
    {
        Letter letter = Letter::makeNew(QDate(2024, 2, 29));
        letter.recipientName = QStringLiteral("Jörg");
        letter.body = QStringLiteral("a\r\nb\r\n");
        letter.marginMm = 12.35;
        letter.linesToSubject = 0;
        letter.phoneRight = false;
        letter.letterFont.setPixelsPerInch(120);
        letter.letterFont.setSize(12);
        letter.letterFont.setStyle(quint8(document::Bold | document::StrikeOut));
        letter.footerFont.setFace(QStringLiteral("Courier New"));
        letter.footerFont.setCharset(238);
        const QJsonObject json = LetterJson::toJson(letter, QStringLiteral("ABCD"));
        const LetterJson::Parsed parsed = LetterJson::fromJson(json, Letter());
        QVERIFY2(parsed.letter, qPrintable(parsed.error));
        QCOMPARE(*parsed.letter, letter);
    }

    void missingKeysKeepTheBase()
    {
        Letter base = Letter::makeNew(QDate(2026, 12, 8));
        const auto parsed = LetterJson::fromJsonText(
            R"({"subject": "Nur der Betreff", "sender": {"phone": "123"}})", base);
        QVERIFY2(parsed.letter, qPrintable(parsed.error));
        base.subject = QStringLiteral("Nur der Betreff");
        base.senderPhone = QStringLiteral("123");
        QCOMPARE(*parsed.letter, base);
    }

    void numbersAreMadeValidLikeTheFileReader()
    {
        const auto parsed = LetterJson::fromJsonText(
            R"({"margin_mm": 12.345, "lines_to_sender": 1500, "lines_to_recipient": 2.5,
                "sender_size_reduction": -4})",
            Letter());
        QVERIFY2(parsed.letter, qPrintable(parsed.error));
        QCOMPARE(parsed.letter->marginMm, 12.35);
        QCOMPARE(parsed.letter->linesToSender, 1000);
        QCOMPARE(parsed.letter->linesToRecipient, 2);
        QCOMPARE(parsed.letter->senderSizeReduction, 0);
    }

    void newFieldsRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("information block")
            << QByteArray(R"({"infoBlock": [{"label": "Ihr Zeichen", "value": "AB/12"},
                                            {"label": "Name", "value": ""}]})");
        QTest::newRow("postal notes") << QByteArray(R"({"postalNotes": ["Einschreiben", ""]})");
        QTest::newRow("enclosures") << QByteArray(R"({"enclosures": ["Rechnung ☃"]})");
        QTest::newRow("distribution") << QByteArray(R"({"distribution": ["A", "B"]})");
        QTest::newRow("serial letter's table") << QByteArray(
            R"({"serial": {"table": "/daten/Kunden.csv", "options": ["delimiter=;"]}})");
        QTest::newRow("payment") << QByteArray(
            R"({"payment": {"payee": "", "iban": "DE89370400440532013000",
                              "bic": "", "amount": "149.90", "reference": "", "text": "Miete"}})");
    }

    void newFieldsRoundTrip()
    {
        QFETCH(QByteArray, json);
        // Over a base with all four lists: those the text leaves out are empty.
        Letter base = Letter::makeNew(QDate(2026, 12, 8));
        base.infoBlock = {{QStringLiteral("Unser Zeichen"), QStringLiteral("x")}};
        base.postalNotes = base.enclosures = base.distribution = QStringList{QStringLiteral("y")};
        const auto parsed = LetterJson::fromJsonText(json, base);
        QVERIFY2(parsed.letter, qPrintable(parsed.error));
        QJsonObject written = LetterJson::toJson(*parsed.letter, QStringLiteral("ABCD"));
        const QJsonObject read = QJsonDocument::fromJson(json).object();
        for (auto it = read.begin(); it != read.end(); ++it)
            QCOMPARE(written.take(it.key()), it.value());
        QVERIFY(!written.contains(QStringLiteral("postalNotes")) &&
                !written.contains(QStringLiteral("infoBlock")) &&
                !written.contains(QStringLiteral("enclosures")) &&
                !written.contains(QStringLiteral("distribution")));
    }

    void errorsNameTheKey_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown key")
            << QByteArray(R"({"subjekt": ""})") << QStringLiteral("unknown key \"subjekt\"");
        QTest::newRow("unknown nested key") << QByteArray(R"({"sender": {"nmae": ""}})")
                                            << QStringLiteral("unknown key \"sender.nmae\"");
        QTest::newRow("text as number")
            << QByteArray(R"({"subject": 5})") << QStringLiteral("\"subject\" must be a string");
        QTest::newRow("number as text") << QByteArray(R"({"margin_mm": "20"})")
                                        << QStringLiteral("\"margin_mm\" must be a number");
        QTest::newRow("flag as number") << QByteArray(R"({"phone_right": 1})")
                                        << QStringLiteral("\"phone_right\" must be true or false");
        QTest::newRow("object as text") << QByteArray(R"({"recipient": "x"})")
                                        << QStringLiteral("\"recipient\" must be an object");
        QTest::newRow("bad date") << QByteArray(R"({"date": "2024-02-30"})")
                                  << QStringLiteral("\"date\" must be a date as \"YYYY-MM-DD\"");
        QTest::newRow("bad pitch")
            << QByteArray(R"({"letter_font": {"pitch": "wide"}})")
            << QStringLiteral(
                   "\"letter_font.pitch\" must be \"default\", \"variable\" or \"fixed\"");
        QTest::newRow("fractional size")
            << QByteArray(R"({"footer_font": {"size": 8.5}})")
            << QStringLiteral(
                   "\"footer_font.size\" must be a whole number from -2147483647 to 2147483647");
        QTest::newRow("colour out of range")
            << QByteArray(R"({"letter_font": {"color": -1}})")
            << QStringLiteral("\"letter_font.color\" must be a whole number from 0 to 4294967295");
        QTest::newRow("charset out of range")
            << QByteArray(R"({"letter_font": {"charset": 256}})")
            << QStringLiteral("\"letter_font.charset\" must be a whole number from 0 to 255");
        QTest::newRow("not an object")
            << QByteArray("[1, 2]") << QStringLiteral("the JSON text must be one object");
        QTest::newRow("number in a list")
            << QByteArray(R"({"postalNotes": ["Einschreiben", 1]})")
            << QStringLiteral("\"postalNotes\" must be an array of strings");
        QTest::newRow("row as text") << QByteArray(R"({"infoBlock": [{"label": "a"}, "b"]})")
                                     << QStringLiteral("\"infoBlock[1]\" must be an object");
    }

    void errorsNameTheKey()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        const auto parsed = LetterJson::fromJsonText(json, Letter());
        QVERIFY(!parsed.letter);
        QCOMPARE(parsed.error, error);
    }

    void syntaxErrorsGiveTheOffset()
    {
        const auto parsed = LetterJson::fromJsonText("{\"subject\": }", Letter());
        QVERIFY(!parsed.letter);
        QVERIFY2(parsed.error.startsWith(QStringLiteral("invalid JSON at offset 13")),
                 qPrintable(parsed.error));
    }
};

QTEST_APPLESS_MAIN(TestLetterJson)
#include "tst_letterjson.moc"
