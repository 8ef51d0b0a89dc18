#include "LetterTemplate.h"

#include <algorithm>

namespace quillory::merge {
namespace {

using document::Letter;

struct FieldName
{
    QString Letter::*member;
    const char16_t* label;
};

// In the order of the window's tabs, so an error lists them as the user sees them.
const FieldName kFields[] = {
    {&Letter::recipientName, u"Name des Empfängers"},
    {&Letter::recipientExtra, u"Zusatzinformationen des Empfängers"},
    {&Letter::recipientStreet, u"Straße des Empfängers"},
    {&Letter::recipientCity, u"Postleitzahl und Ort des Empfängers"},
    {&Letter::recipientCountry, u"Zielland"},
    {&Letter::subject, u"Betreff"},
    {&Letter::salutation, u"Anrede"},
    {&Letter::closing, u"Schlussformel"},
    {&Letter::signature, u"Unterschrift"},
    {&Letter::body, u"Brieftext"},
    {&Letter::senderName, u"Name des Absenders"},
    {&Letter::senderExtra, u"Zusatzinformationen des Absenders"},
    {&Letter::senderStreet, u"Straße des Absenders"},
    {&Letter::senderPostcode, u"Postleitzahl des Absenders"},
    {&Letter::senderCity, u"Ort des Absenders"},
    {&Letter::senderCountry, u"Absender-Land"},
    {&Letter::senderPhone, u"Telefon"},
    {&Letter::senderFax, u"Fax"},
    {&Letter::senderEmail, u"Email"},
    {&Letter::footer, u"Fußzeile"},
};

/**
 * Every text of the letter in a fixed order with the name an error gives it:
 * the fields above, then each item of the lists that go beyond them. The
 * order depends on nothing but the letter, so an index found in the template
 * names the same text in each copy of it.
 */
template <typename Visit>
void forEachText(Letter& letter, Visit&& visit)
{
    for (const FieldName& field : kFields)
        visit(letter.*field.member, QString::fromUtf16(field.label), field.member == &Letter::body);
    for (Letter::InfoRow& row : letter.infoBlock) {
        visit(row.label, QStringLiteral("Infoblock"), false);
        visit(row.value, QStringLiteral("Infoblock"), false);
    }
    for (QString& line : letter.postalNotes)
        visit(line, QStringLiteral("Postvermerk"), false);
    for (QString& line : letter.enclosures)
        visit(line, QStringLiteral("Anlagen"), false);
    for (QString& line : letter.distribution)
        visit(line, QStringLiteral("Verteiler"), false);
    Letter::Payment& payment = letter.payment;
    visit(payment.payee, QStringLiteral("Zahlungsempfänger"), false);
    visit(payment.iban, QStringLiteral("IBAN"), false);
    visit(payment.bic, QStringLiteral("BIC"), false);
    visit(payment.amount, QStringLiteral("Betrag"), false);
    visit(payment.reference, QStringLiteral("Referenz"), false);
    visit(payment.text, QStringLiteral("Verwendungszweck"), false);
}

/** A value for a one-line field: a line break would print as a stray glyph. */
QString oneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

LetterTemplate::LetterTemplate(const Letter& letter) : m_letter(letter)
{
    int index = 0;
    forEachText(m_letter, [&](const QString& value, const QString& label, bool body) {
        TextTemplate text(value);
        if (text.hasPlaceholders())
            m_fields.push_back({index, label, body, std::move(text)});
        ++index;
    });
}

std::vector<UnknownPlaceholder> LetterTemplate::bind(const QStringList& columns)
{
    std::vector<UnknownPlaceholder> unknown;
    for (Field& field : m_fields) {
        for (const QString& name : field.text.bind(columns))
            unknown.push_back({name, field.label});
    }
    return unknown;
}

Letter LetterTemplate::fill(const QStringList& record) const
{
    Letter letter = m_letter;
    if (m_fields.empty())
        return letter;
    const bool body =
        std::any_of(m_fields.begin(), m_fields.end(), [](const Field& f) { return f.body; });
    QStringList oneLineValues;
    QStringList bodyValues;
    for (const QString& value : record) {
        oneLineValues.append(oneLine(value));
        if (body)
            bodyValues.append(Letter::withBodyLineBreaks(value));
    }
    // m_fields is in the order of the walk: one pass fills them all.
    auto next = m_fields.begin();
    int index = 0;
    forEachText(letter, [&](QString& value, const QString&, bool) {
        if (next != m_fields.end() && next->index == index) {
            value = next->text.expand(next->body ? bodyValues : oneLineValues);
            ++next;
        }
        ++index;
    });
    return letter;
}

bool LetterTemplate::namesColumns() const
{
    return std::any_of(m_fields.begin(), m_fields.end(),
                       [](const Field& f) { return !f.text.names().isEmpty(); });
}

QString LetterTemplate::describe(const std::vector<UnknownPlaceholder>& unknown)
{
    QStringList lines;
    for (const UnknownPlaceholder& entry : unknown)
        lines.append(QStringLiteral("Unbekannte Spalte „%1“ in %2").arg(entry.name, entry.field));
    return lines.join(QLatin1Char('\n'));
}

} // namespace quillory::merge
