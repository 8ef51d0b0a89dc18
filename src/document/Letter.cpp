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

} // namespace quillory::document
