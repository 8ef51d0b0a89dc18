#include "PaymentCheck.h"

#include "PaymentCode.h"

#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace quillory::payment::PaymentCheck {
namespace {

/** The IBAN lengths of the countries of the SEPA scheme. */
struct IbanCountry
{
    char code[3];
    int length;
};
constexpr IbanCountry kIbanCountries[] = {
    {"AD", 24}, {"AT", 20}, {"BE", 16}, {"BG", 22}, {"CH", 21}, {"CY", 28}, {"CZ", 24}, {"DE", 22},
    {"DK", 18}, {"EE", 20}, {"ES", 24}, {"FI", 18}, {"FR", 27}, {"GB", 22}, {"GI", 23}, {"GR", 27},
    {"HR", 21}, {"HU", 28}, {"IE", 22}, {"IS", 26}, {"IT", 27}, {"LI", 21}, {"LT", 20}, {"LU", 20},
    {"LV", 21}, {"MC", 27}, {"MT", 31}, {"NL", 18}, {"NO", 15}, {"PL", 28}, {"PT", 25}, {"RO", 24},
    {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"VA", 22},
};

int ibanLength(QStringView country)
{
    const auto found =
        std::find_if(std::begin(kIbanCountries), std::end(kIbanCountries),
                     [&](const IbanCountry& c) { return country == QLatin1String(c.code, 2); });
    return found == std::end(kIbanCountries) ? 0 : found->length;
}

QString withoutSpaces(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            out += c;
    }
    return out;
}

/** Letters and digits of ASCII only: a full-width digit is no digit to a bank. */
bool isAlnum(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
               (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    });
}

/**
 * ISO 7064 mod 97-10 as IBAN and creditor reference use it: the first four
 * characters moved to the end, letters counted from A = 10; sound when 1.
 */
int mod97(QStringView code)
{
    int rest = 0;
    const auto add = [&rest](QChar c) {
        if (c.isDigit())
            rest = (rest * 10 + (c.unicode() - '0')) % 97;
        else
            rest = (rest * 100 + (c.unicode() - 'A' + 10)) % 97;
    };
    for (const QChar c : code.sliced(4))
        add(c);
    for (const QChar c : code.first(4))
        add(c);
    return rest;
}

qsizetype characters(const QString& text)
{
    return text.toUcs4().size();
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

const QRegularExpression& amountPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]+)(?:[.,]([0-9]+))?$"));
    return pattern;
}

} // namespace

QString payeeError(const QString& payee)
{
    const QString name = payee.trimmed();
    if (name.isEmpty())
        return QStringLiteral("Bitte geben Sie den Namen des Zahlungsempfängers an.");
    if (hasLineBreak(name))
        return QStringLiteral("Der Name des Zahlungsempfängers muss in einer Zeile stehen.");
    if (characters(name) > kMaxPayee)
        return QStringLiteral("Der Name des Zahlungsempfängers darf höchstens %1 Zeichen lang "
                              "sein, dieser hat %2.")
            .arg(kMaxPayee)
            .arg(characters(name));
    return QString();
}

QString ibanError(const QString& iban)
{
    const QString code = compactIban(iban);
    if (code.isEmpty())
        return QStringLiteral("Bitte geben Sie die IBAN des Zahlungsempfängers an.");
    if (!isAlnum(code))
        return QStringLiteral("Die IBAN darf nur Buchstaben und Ziffern enthalten.");
    const int length = ibanLength(QStringView(code).first(std::min<qsizetype>(2, code.size())));
    if (length == 0)
        return QStringLiteral("Die IBAN beginnt nicht mit dem Kürzel eines Landes des "
                              "SEPA-Raums, etwa DE oder AT.");
    if (code.size() < 4 || !code[2].isDigit() || !code[3].isDigit())
        return QStringLiteral("Auf das Länderkürzel der IBAN folgen zwei Prüfziffern.");
    if (code.size() != length)
        return QStringLiteral("Eine IBAN mit dem Kürzel %1 hat %2 Stellen, diese hat %3.")
            .arg(code.first(2))
            .arg(length)
            .arg(code.size());
    if (mod97(code) != 1)
        return QStringLiteral("Die Prüfziffern der IBAN stimmen nicht: bitte prüfen Sie sie "
                              "auf Tippfehler.");
    return QString();
}

QString bicError(const QString& bic)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[A-Z]{4}[A-Z]{2}[A-Z0-9]{2}([A-Z0-9]{3})?$"));
    const QString code = withoutSpaces(bic).toUpper();
    if (code.isEmpty() || pattern.match(code).hasMatch())
        return QString();
    return QStringLiteral("Die BIC hat 8 oder 11 Stellen: 4 Buchstaben für die Bank, 2 für das "
                          "Land, 2 Buchstaben oder Ziffern für den Ort und wahlweise 3 für die "
                          "Filiale.");
}

QString amountError(const QString& amount)
{
    const QString text = amount.trimmed();
    if (text.isEmpty())
        return QString();
    const QRegularExpressionMatch match = amountPattern().match(text);
    if (!match.hasMatch() || match.capturedLength(2) > 2)
        return QStringLiteral("Der Betrag ist eine Zahl mit höchstens zwei Nachkommastellen, "
                              "etwa 149,90.");
    QString euros = match.captured(1);
    while (euros.size() > 1 && euros.startsWith(QLatin1Char('0')))
        euros.remove(0, 1);
    const bool zero = euros == QLatin1String("0") &&
                      match.captured(2).count(QLatin1Char('0')) == match.capturedLength(2);
    if (euros.size() > 9 || zero)
        return QStringLiteral("Der Betrag muss zwischen 0,01 und 999.999.999,99 Euro liegen.");
    return QString();
}

QString referenceError(const QString& reference)
{
    static const QRegularExpression pattern(QStringLiteral("^RF[0-9]{2}[A-Z0-9]{1,21}$"));
    const QString code = withoutSpaces(reference).toUpper();
    if (code.isEmpty())
        return QString();
    if (!pattern.match(code).hasMatch())
        return QStringLiteral("Die Referenz beginnt mit RF und zwei Prüfziffern, gefolgt von bis "
                              "zu 21 Buchstaben oder Ziffern.");
    if (mod97(code) != 1)
        return QStringLiteral("Die Prüfziffern der Referenz stimmen nicht: bitte prüfen Sie sie "
                              "auf Tippfehler.");
    return QString();
}

QString textError(const QString& text)
{
    if (hasLineBreak(text))
        return QStringLiteral("Der Verwendungszweck muss in einer Zeile stehen.");
    if (characters(text) > kMaxText)
        return QStringLiteral("Der Verwendungszweck darf höchstens %1 Zeichen lang sein, dieser "
                              "hat %2.")
            .arg(kMaxText)
            .arg(characters(text));
    return QString();
}

QString problem(const document::Letter::Payment& payment)
{
    for (const QString& error : {payeeError(payment.payee), ibanError(payment.iban),
                                 bicError(payment.bic), amountError(payment.amount),
                                 referenceError(payment.reference), textError(payment.text)}) {
        if (!error.isEmpty())
            return error;
    }
    if (!payment.reference.trimmed().isEmpty() && !payment.text.trimmed().isEmpty())
        return QStringLiteral("Referenz und Verwendungszweck gehen nicht zusammen: bitte geben "
                              "Sie nur eines von beiden an.");
    const qsizetype bytes = PaymentCode::payload(normalised(payment)).size();
    if (bytes > kMaxPayloadBytes)
        return QStringLiteral("Die Angaben sind zu lang für den Zahlungscode: %1 Bytes, höchstens "
                              "%2.")
            .arg(bytes)
            .arg(kMaxPayloadBytes);
    return QString();
}

QString compactIban(const QString& iban)
{
    return withoutSpaces(iban).toUpper();
}

QString groupedIban(const QString& iban)
{
    const QString code = compactIban(iban);
    QString out;
    for (qsizetype i = 0; i < code.size(); i += 4) {
        if (i > 0)
            out += QLatin1Char(' ');
        out += code.mid(i, 4);
    }
    return out;
}

QString normalAmount(const QString& amount)
{
    if (!amountError(amount).isEmpty() || amount.trimmed().isEmpty())
        return amount;
    const QRegularExpressionMatch match = amountPattern().match(amount.trimmed());
    QString euros = match.captured(1);
    while (euros.size() > 1 && euros.startsWith(QLatin1Char('0')))
        euros.remove(0, 1);
    return euros + QLatin1Char('.') + match.captured(2).leftJustified(2, QLatin1Char('0'));
}

document::Letter::Payment normalised(const document::Letter::Payment& payment)
{
    document::Letter::Payment out = payment;
    out.payee = payment.payee.trimmed();
    // Only valid values: a serial letter's "{Iban}" must keep its spelling.
    if (ibanError(payment.iban).isEmpty())
        out.iban = compactIban(payment.iban);
    if (bicError(payment.bic).isEmpty())
        out.bic = withoutSpaces(payment.bic).toUpper();
    out.amount = normalAmount(payment.amount);
    if (referenceError(payment.reference).isEmpty())
        out.reference = withoutSpaces(payment.reference).toUpper();
    out.text = payment.text.trimmed();
    return out;
}

} // namespace quillory::payment::PaymentCheck
