#include "LetterJson.h"

#include "payment/PaymentCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace quillory::cli::LetterJson {

using document::FontPitch;
using document::FontStyleBit;
using document::Letter;
using document::LetterFont;
using document::ValueRules::setDecimal;
using document::ValueRules::setInteger;

namespace {

QString pitchName(FontPitch pitch)
{
    switch (pitch) {
    case FontPitch::Variable:
        return QStringLiteral("variable");
    case FontPitch::Fixed:
        return QStringLiteral("fixed");
    case FontPitch::Default:
        break;
    }
    return QStringLiteral("default");
}

QJsonObject fontToJson(const LetterFont& font)
{
    return QJsonObject{
        {QStringLiteral("face"), font.face()},
        {QStringLiteral("size"), font.size()},
        {QStringLiteral("ppi"), font.pixelsPerInch()},
        {QStringLiteral("bold"), font.hasStyle(FontStyleBit::Bold)},
        {QStringLiteral("italic"), font.hasStyle(FontStyleBit::Italic)},
        {QStringLiteral("underline"), font.hasStyle(FontStyleBit::Underline)},
        {QStringLiteral("strikeout"), font.hasStyle(FontStyleBit::StrikeOut)},
        {QStringLiteral("color"), double(font.color())},
        {QStringLiteral("charset"), int(font.charset())},
        {QStringLiteral("pitch"), pitchName(font.pitch())},
    };
}

/**
 * Walks a JSON object against a table of known keys. Each handler takes the
 * value and returns an error text, or an empty string when it was taken.
 */
class ObjectReader
{
public:
    using Handler = std::function<QString(const QJsonValue&)>;

    explicit ObjectReader(QString prefix) : m_prefix(std::move(prefix)) {}

    void add(const char* key, Handler handler)
    {
        m_keys.push_back({QString::fromLatin1(key), std::move(handler)});
    }

    void text(const char* key, QString& target)
    {
        add(key, [this, key, &target](const QJsonValue& v) {
            if (!v.isString())
                return typeError(key, "a string");
            target = v.toString();
            return QString();
        });
    }

    void flag(const char* key, bool& target)
    {
        add(key, [this, key, &target](const QJsonValue& v) {
            if (!v.isBool())
                return typeError(key, "true or false");
            target = v.toBool();
            return QString();
        });
    }

    /** A list of texts, one an item. */
    void lines(const char* key, QStringList& target)
    {
        add(key, [this, key, &target](const QJsonValue& v) {
            const QJsonArray items = v.toArray();
            if (!v.isArray() || !std::all_of(items.begin(), items.end(),
                                             [](const auto& i) { return i.isString(); }))
                return typeError(key, "an array of strings");
            target.clear();
            for (const QJsonValue& item : items)
                target.append(item.toString());
            return QString();
        });
    }

    /** A number made valid by rule. */
    template <typename T, typename Rule>
    void number(const char* key, T& target, Rule rule)
    {
        add(key, [this, key, &target, rule](const QJsonValue& v) {
            if (!v.isDouble())
                return typeError(key, "a number");
            target = rule(v.toDouble());
            return QString();
        });
    }

    /** A whole number from minimum to maximum, taken as it is. */
    template <typename T>
    void wholeNumber(const char* key, T& target, double minimum, double maximum)
    {
        add(key, [this, key, &target, minimum, maximum](const QJsonValue& v) {
            const double d = v.toDouble(std::nan(""));
            if (!v.isDouble() || d != std::trunc(d) || d < minimum || d > maximum)
                return typeError(key, QStringLiteral("a whole number from %1 to %2")
                                          .arg(minimum, 0, 'f', 0)
                                          .arg(maximum, 0, 'f', 0));
            target = static_cast<T>(d);
            return QString();
        });
    }

    QString qualified(const char* key) const { return m_prefix + QString::fromLatin1(key); }

    QString typeError(const char* key, const QString& expected) const
    {
        return QStringLiteral("\"%1\" must be %2").arg(qualified(key), expected);
    }
    QString typeError(const char* key, const char* expected) const
    {
        return typeError(key, QString::fromLatin1(expected));
    }

    QString read(const QJsonObject& object) const
    {
        for (auto it = object.begin(); it != object.end(); ++it) {
            const auto known = std::find_if(m_keys.begin(), m_keys.end(), [&](const auto& entry) {
                return entry.first == it.key();
            });
            if (known == m_keys.end())
                return QStringLiteral("unknown key \"%1%2\"").arg(m_prefix, it.key());
            if (QString error = known->second(it.value()); !error.isEmpty())
                return error;
        }
        return QString();
    }

private:
    QString m_prefix;
    std::vector<std::pair<QString, Handler>> m_keys;
};

/** Reads a nested object with its own table; the table is filled by fill. */
void nested(ObjectReader& parent, const char* key, std::function<void(ObjectReader&)> fill)
{
    parent.add(key, [&parent, key, fill](const QJsonValue& v) {
        if (!v.isObject())
            return parent.typeError(key, "an object");
        ObjectReader child(parent.qualified(key) + QLatin1Char('.'));
        fill(child);
        return child.read(v.toObject());
    });
}

void fontKeys(ObjectReader& r, LetterFont& font, int& size, int& ppi)
{
    r.add("face", [&r, &font](const QJsonValue& v) {
        if (!v.isString())
            return r.typeError("face", "a string");
        font.setFace(v.toString());
        return QString();
    });
    r.wholeNumber("size", size, -2147483647.0, 2147483647.0);
    r.wholeNumber("ppi", ppi, -2147483647.0, 2147483647.0);
    for (auto [key, bit] :
         {std::pair{"bold", FontStyleBit::Bold}, std::pair{"italic", FontStyleBit::Italic},
          std::pair{"underline", FontStyleBit::Underline},
          std::pair{"strikeout", FontStyleBit::StrikeOut}}) {
        r.add(key, [&r, &font, key, bit](const QJsonValue& v) {
            if (!v.isBool())
                return r.typeError(key, "true or false");
            font.setStyle(bit, v.toBool());
            return QString();
        });
    }
    r.add("color", [&r, &font](const QJsonValue& v) {
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d != std::trunc(d) || d < 0 || d > 4294967295.0)
            return r.typeError("color", "a whole number from 0 to 4294967295");
        font.setColor(static_cast<quint32>(d));
        return QString();
    });
    r.add("charset", [&r, &font](const QJsonValue& v) {
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d != std::trunc(d) || d < 0 || d > 255)
            return r.typeError("charset", "a whole number from 0 to 255");
        font.setCharset(static_cast<quint8>(d));
        return QString();
    });
    r.add("pitch", [&r, &font](const QJsonValue& v) {
        const QString name = v.toString();
        if (name == QLatin1String("default"))
            font.setPitch(FontPitch::Default);
        else if (name == QLatin1String("variable"))
            font.setPitch(FontPitch::Variable);
        else if (name == QLatin1String("fixed"))
            font.setPitch(FontPitch::Fixed);
        else
            return r.typeError("pitch", "\"default\", \"variable\" or \"fixed\"");
        return QString();
    });
}

/** The information block: rows as objects, each read by a table of its own. */
void infoRows(ObjectReader& parent, const char* key, QList<Letter::InfoRow>& rows)
{
    parent.add(key, [&parent, key, &rows](const QJsonValue& v) {
        if (!v.isArray())
            return parent.typeError(key, "an array of objects");
        const QJsonArray items = v.toArray();
        rows.clear();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString name = QStringLiteral("%1[%2]").arg(parent.qualified(key)).arg(i);
            if (!items[i].isObject())
                return QStringLiteral("\"%1\" must be an object").arg(name);
            Letter::InfoRow row;
            ObjectReader child(name + QLatin1Char('.'));
            child.text("label", row.label);
            child.text("value", row.value);
            if (QString error = child.read(items[i].toObject()); !error.isEmpty())
                return error;
            rows.append(row);
        }
        return QString();
    });
}

QJsonArray linesToJson(const QStringList& lines)
{
    return QJsonArray::fromStringList(lines);
}

/** Font keys fill these; the height follows from size and ppi once all are read. */
struct FontInput
{
    LetterFont font;
    int size;
    int ppi;

    explicit FontInput(const LetterFont& base)
        : font(base), size(base.size()), ppi(base.pixelsPerInch())
    {}

    LetterFont finish()
    {
        font.setPixelsPerInch(ppi);
        font.setSize(size);
        return font;
    }
};

} // namespace

QJsonObject toJson(const Letter& l, const QString& tailGroups)
{
    QJsonObject json{
        {QStringLiteral("recipient"), QJsonObject{{QStringLiteral("name"), l.recipientName},
                                                  {QStringLiteral("extra"), l.recipientExtra},
                                                  {QStringLiteral("street"), l.recipientStreet},
                                                  {QStringLiteral("city"), l.recipientCity},
                                                  {QStringLiteral("country"), l.recipientCountry}}},
        {QStringLiteral("subject"), l.subject},
        {QStringLiteral("salutation"), l.salutation},
        {QStringLiteral("closing"), l.closing},
        {QStringLiteral("signature"), l.signature},
        {QStringLiteral("sender"), QJsonObject{{QStringLiteral("name"), l.senderName},
                                               {QStringLiteral("extra"), l.senderExtra},
                                               {QStringLiteral("street"), l.senderStreet},
                                               {QStringLiteral("postcode"), l.senderPostcode},
                                               {QStringLiteral("city"), l.senderCity},
                                               {QStringLiteral("country"), l.senderCountry},
                                               {QStringLiteral("phone"), l.senderPhone},
                                               {QStringLiteral("fax"), l.senderFax},
                                               {QStringLiteral("email"), l.senderEmail}}},
        {QStringLiteral("footer"), l.footer},
        {QStringLiteral("body"), l.body},
        {QStringLiteral("margin_mm"), l.marginMm},
        {QStringLiteral("date"), l.date.toString(Qt::ISODate)},
        {QStringLiteral("letter_font"), fontToJson(l.letterFont)},
        {QStringLiteral("footer_font"), fontToJson(l.footerFont)},
        {QStringLiteral("phone_right"), l.phoneRight},
        {QStringLiteral("footer_centred"), l.footerCentred},
        {QStringLiteral("lines_to_sender"), l.linesToSender},
        {QStringLiteral("lines_to_recipient"), l.linesToRecipient},
        {QStringLiteral("lines_to_subject"), l.linesToSubject},
        {QStringLiteral("sender_one_line"), l.senderOneLine},
        {QStringLiteral("sender_separator"), l.senderSeparator},
        {QStringLiteral("sender_size_reduction"), l.senderSizeReduction},
        {QStringLiteral("layout1_smaller_sender"), l.layout1SmallerSender},
        {QStringLiteral("layout1_blank_before_city"), l.layout1BlankBeforeCity},
        {QStringLiteral("layout1_larger_city"), l.layout1LargerCity},
        {QStringLiteral("tail_groups"), tailGroups},
    };
    // Only what the letter has, so a letter without them reads as it always did.
    if (!l.infoBlock.isEmpty()) {
        QJsonArray rows;
        for (const Letter::InfoRow& row : l.infoBlock)
            rows.append(QJsonObject{{QStringLiteral("label"), row.label},
                                    {QStringLiteral("value"), row.value}});
        json.insert(QStringLiteral("infoBlock"), rows);
    }
    if (!l.postalNotes.isEmpty())
        json.insert(QStringLiteral("postalNotes"), linesToJson(l.postalNotes));
    if (!l.enclosures.isEmpty())
        json.insert(QStringLiteral("enclosures"), linesToJson(l.enclosures));
    if (!l.distribution.isEmpty())
        json.insert(QStringLiteral("distribution"), linesToJson(l.distribution));
    if (!l.serial.isEmpty())
        json.insert(QStringLiteral("serial"),
                    QJsonObject{{QStringLiteral("table"), l.serial.table},
                                {QStringLiteral("options"), linesToJson(l.serial.options)}});
    if (!l.payment.isEmpty()) {
        const Letter::Payment& p = l.payment;
        json.insert(QStringLiteral("payment"),
                    QJsonObject{{QStringLiteral("payee"), p.payee},
                                {QStringLiteral("iban"), p.iban},
                                {QStringLiteral("bic"), p.bic},
                                {QStringLiteral("amount"), p.amount},
                                {QStringLiteral("reference"), p.reference},
                                {QStringLiteral("text"), p.text}});
    }
    return json;
}

Parsed fromJson(const QJsonObject& object, const Letter& base)
{
    Letter l = base;
    // toJson leaves these out when empty: a missing key is an empty list.
    l.infoBlock.clear();
    l.postalNotes.clear();
    l.enclosures.clear();
    l.distribution.clear();
    l.serial = {};
    l.payment = Letter::Payment();
    FontInput letterFont(base.letterFont);
    FontInput footerFont(base.footerFont);
    const auto lines = [](double v) {
        return setInteger(v, Letter::kLinesRange);
    };

    ObjectReader r{QString()};
    nested(r, "recipient", [&l](ObjectReader& c) {
        c.text("name", l.recipientName);
        c.text("extra", l.recipientExtra);
        c.text("street", l.recipientStreet);
        c.text("city", l.recipientCity);
        c.text("country", l.recipientCountry);
    });
    r.text("subject", l.subject);
    r.text("salutation", l.salutation);
    r.text("closing", l.closing);
    r.text("signature", l.signature);
    nested(r, "sender", [&l](ObjectReader& c) {
        c.text("name", l.senderName);
        c.text("extra", l.senderExtra);
        c.text("street", l.senderStreet);
        c.text("postcode", l.senderPostcode);
        c.text("city", l.senderCity);
        c.text("country", l.senderCountry);
        c.text("phone", l.senderPhone);
        c.text("fax", l.senderFax);
        c.text("email", l.senderEmail);
    });
    r.text("footer", l.footer);
    r.add("body", [&r, &l](const QJsonValue& v) {
        if (!v.isString())
            return r.typeError("body", "a string");
        // JSON writers break lines with "\n"; the letter holds CR LF.
        l.body = Letter::withBodyLineBreaks(v.toString());
        return QString();
    });
    r.number("margin_mm", l.marginMm, [](double v) { return setDecimal(v, Letter::kMarginRange); });
    r.add("date", [&r, &l](const QJsonValue& v) {
        const QDate date = QDate::fromString(v.toString(), Qt::ISODate);
        if (!v.isString() || !date.isValid())
            return r.typeError("date", "a date as \"YYYY-MM-DD\"");
        l.date = date;
        return QString();
    });
    nested(r, "letter_font",
           [&](ObjectReader& c) { fontKeys(c, letterFont.font, letterFont.size, letterFont.ppi); });
    nested(r, "footer_font",
           [&](ObjectReader& c) { fontKeys(c, footerFont.font, footerFont.size, footerFont.ppi); });
    r.flag("phone_right", l.phoneRight);
    r.flag("footer_centred", l.footerCentred);
    r.number("lines_to_sender", l.linesToSender, lines);
    r.number("lines_to_recipient", l.linesToRecipient, lines);
    r.number("lines_to_subject", l.linesToSubject, lines);
    r.flag("sender_one_line", l.senderOneLine);
    r.text("sender_separator", l.senderSeparator);
    r.number("sender_size_reduction", l.senderSizeReduction,
             [](double v) { return setInteger(v, Letter::kSenderReductionRange); });
    r.flag("layout1_smaller_sender", l.layout1SmallerSender);
    r.flag("layout1_blank_before_city", l.layout1BlankBeforeCity);
    r.flag("layout1_larger_city", l.layout1LargerCity);
    infoRows(r, "infoBlock", l.infoBlock);
    r.lines("postalNotes", l.postalNotes);
    r.lines("enclosures", l.enclosures);
    r.lines("distribution", l.distribution);
    nested(r, "serial", [&l](ObjectReader& c) {
        c.text("table", l.serial.table);
        c.lines("options", l.serial.options);
    });
    nested(r, "payment", [&l](ObjectReader& c) {
        c.text("payee", l.payment.payee);
        c.text("iban", l.payment.iban);
        c.text("bic", l.payment.bic);
        c.text("amount", l.payment.amount);
        c.text("reference", l.payment.reference);
        c.text("text", l.payment.text);
    });
    // Informational: a written file always holds every group.
    QString ignoredTailGroups;
    r.text("tail_groups", ignoredTailGroups);

    if (QString error = r.read(object); !error.isEmpty())
        return {std::nullopt, error};
    l.letterFont = letterFont.finish();
    l.footerFont = footerFont.finish();
    // Stored as the letter file keeps it: "149.90", the IBAN without spaces.
    l.payment = payment::PaymentCheck::normalised(l.payment);
    return {l, QString()};
}

Parsed fromJsonText(const QByteArray& text, const Letter& base)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("invalid JSON at offset %1: %2")
                                  .arg(parseError.offset)
                                  .arg(parseError.errorString())};
    if (!document.isObject())
        return {std::nullopt, QStringLiteral("the JSON text must be one object")};
    return fromJson(document.object(), base);
}

} // namespace quillory::cli::LetterJson
