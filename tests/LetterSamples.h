#pragma once

#include "document/Letter.h"

/** Letters that tests across the program share. */
namespace LetterSamples {

/** Every value differs from a new letter's, and the texts hold what editors like to change. */
inline quillory::document::Letter everyFieldSet()
{
    using namespace quillory::document;
    Letter l;
    l.recipientName = QStringLiteral("Jörg Überall");
    l.recipientExtra = QStringLiteral("z.Hd. Frau\u00a0Beispiel"); // a no-break space
    l.recipientStreet = QStringLiteral("Postfach 12 34");
    l.recipientCity = QStringLiteral("98765 Irgendwo");
    l.recipientCountry = QStringLiteral("Österreich");
    l.subject = QStringLiteral("Kündigung Vertrags Nr. 34534345 – € 12,50");
    l.salutation = QStringLiteral("Hallo,");
    l.closing = QStringLiteral("Beste Grüße");
    l.signature = QStringLiteral("gez. Max");
    l.body = QStringLiteral("erste Zeile\r\n\r\n\tdritte\u00a0„Zeile“  \r\n");
    l.date = QDate(2024, 2, 29);
    l.senderName = QStringLiteral("Firma GmbH");
    l.senderExtra = QStringLiteral("Ortsteil");
    l.senderStreet = QStringLiteral("Weg 3");
    l.senderPostcode = QStringLiteral("01234");
    l.senderCity = QStringLiteral("Stadt");
    l.senderCountry = QStringLiteral("Schweiz");
    l.senderPhone = QStringLiteral("+49 30 1234");
    l.senderFax = QStringLiteral("+49 30 1235");
    l.senderEmail = QStringLiteral("post@example.org");
    l.footer = QStringLiteral("Bank · IBAN");
    l.marginMm = 12.35;
    l.phoneRight = false;
    l.footerCentred = false;
    l.linesToSender = 999;
    l.linesToRecipient = 0;
    l.linesToSubject = 1000;
    l.senderOneLine = false;
    l.senderSeparator = QStringLiteral(" | ");
    l.senderSizeReduction = 10;
    l.layout1SmallerSender = true;
    l.layout1BlankBeforeCity = true;
    l.layout1LargerCity = true;
    l.letterFont = LetterFont::arial(-19);
    l.letterFont.setFace(QStringLiteral("Times New Roman"));
    l.letterFont.setStyle(quillory::document::Bold | quillory::document::Italic);
    l.letterFont.setColor(0x00336699);
    l.footerFont = LetterFont::arial(-9);
    l.footerFont.setPitch(quillory::document::FontPitch::Fixed);
    l.footerFont.setCharset(238);
    return l;
}

} // namespace LetterSamples
