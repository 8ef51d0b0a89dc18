#include "Letter.h"

namespace quillory::document {

Letter Letter::makeNew(QDate today)
{
    Letter letter;
    letter.salutation = QStringLiteral("Sehr geehrte Damen und Herren,");
    letter.closing = QStringLiteral("Mit freundlichen Grüßen");
    letter.signature = QStringLiteral("gez. Erika Mustermann");
    letter.body =
        QStringLiteral("hiermit möchte ich....\r\n\r\nVielen Dank für Ihre Aufmerksamkeit.");
    letter.date = today;

    letter.senderName = QStringLiteral("Erika Mustermann");
    letter.senderExtra = QStringLiteral("Ortsteil Musterfeld");
    letter.senderStreet = QStringLiteral("Musterstraße 1");
    letter.senderPostcode = QStringLiteral("12345");
    letter.senderCity = QStringLiteral("Musterstadt");
    letter.senderCountry = QStringLiteral("Deutschland");
    letter.senderEmail = QStringLiteral("erika@example.org");
    letter.footer = QStringLiteral("Musterbank · IBAN DE00 0000 0000 0000 0000 00");
    letter.senderSeparator = QStringLiteral("; ");
    return letter;
}

QString Letter::withBodyLineBreaks(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            result += QLatin1String("\r\n");
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace quillory::document
