#include "InfoCommand.h"

#include "LetterFiles.h"
#include "LetterJson.h"
#include "payment/PaymentCheck.h"

#include <QJsonDocument>

namespace quillory::cli {
namespace {

using document::FontStyleBit;
using document::Letter;
using document::LetterFont;

QString yesNo(bool value)
{
    return value ? QStringLiteral("ja") : QStringLiteral("nein");
}

QString describeFont(const LetterFont& font)
{
    QStringList styles;
    if (font.hasStyle(FontStyleBit::Bold))
        styles << QStringLiteral("fett");
    if (font.hasStyle(FontStyleBit::Italic))
        styles << QStringLiteral("kursiv");
    if (font.hasStyle(FontStyleBit::Underline))
        styles << QStringLiteral("unterstrichen");
    if (font.hasStyle(FontStyleBit::StrikeOut))
        styles << QStringLiteral("durchgestrichen");
    // A positive height is a cell height: its stored size is negative.
    const QString resolution =
        font.height() > 0 ? QStringLiteral("Zellhöhe, %1 ppi") : QStringLiteral("%1 ppi");
    QString text = QStringLiteral("%1, %2 pt (%3), Farbe 0x%4, Zeichensatz %5")
                       .arg(font.face())
                       .arg(font.pointSize())
                       .arg(resolution.arg(font.pixelsPerInch()))
                       .arg(font.color(), 8, 16, QLatin1Char('0'))
                       .arg(font.charset());
    if (!styles.isEmpty())
        text += QStringLiteral(", ") + styles.join(QStringLiteral(", "));
    return text;
}

void printReadably(QTextStream& out, const Letter& l, const QString& tailGroups)
{
    auto line = [&out](const char* label, const QString& value) {
        out << "  " << QString::fromUtf8(label).leftJustified(26) << visible(value) << '\n';
    };
    out << "Empfänger\n";
    line("Name:", l.recipientName);
    line("Zusatz:", l.recipientExtra);
    line("Straße:", l.recipientStreet);
    line("PLZ und Ort:", l.recipientCity);
    line("Land:", l.recipientCountry);
    out << "Brief\n";
    line("Datum:", l.date.toString(QStringLiteral("dd.MM.yyyy")));
    line("Betreff:", l.subject);
    line("Anrede:", l.salutation);
    line("Schlussformel:", l.closing);
    line("Unterschrift (Text):", l.signature);
    line("Schrift:", describeFont(l.letterFont));
    out << "Absender\n";
    line("Name:", l.senderName);
    line("Zusatz:", l.senderExtra);
    line("Straße:", l.senderStreet);
    line("PLZ:", l.senderPostcode);
    line("Ort:", l.senderCity);
    line("Land:", l.senderCountry);
    line("Telefon:", l.senderPhone);
    line("Fax:", l.senderFax);
    line("Email:", l.senderEmail);
    line("Fußzeile:", l.footer);
    line("Schrift Fußzeile:", describeFont(l.footerFont));
    out << "Einstellungen\n";
    line("Seitenrand in mm:", QString::number(l.marginMm, 'f', 2));
    line("Telefon rechts:", yesNo(l.phoneRight));
    line("Fußzeile zentriert:", yesNo(l.footerCentred));
    line("Zeilen bis Absender:", QString::number(l.linesToSender));
    line("Zeilen bis Empfänger:", QString::number(l.linesToRecipient));
    line("Zeilen bis Betreff:", QString::number(l.linesToSubject));
    line("Absender in einer Zeile:", yesNo(l.senderOneLine));
    line("Trennzeichen:", QLatin1Char('"') + l.senderSeparator + QLatin1Char('"'));
    line("Verkleinern um (pt):", QString::number(l.senderSizeReduction));
    line("L1 kleinerer Absender:", yesNo(l.layout1SmallerSender));
    line("L1 Leerzeile vor Ort:", yesNo(l.layout1BlankBeforeCity));
    line("L1 größere PLZ/Ort:", yesNo(l.layout1LargerCity));
    line("Endgruppen der Datei:", tailGroups.isEmpty() ? QStringLiteral("keine") : tailGroups);
    // Only for a letter that has them, so every other letter is shown as before.
    if (!l.infoBlock.isEmpty() || !l.postalNotes.isEmpty() || !l.enclosures.isEmpty() ||
        !l.distribution.isEmpty()) {
        out << "Weitere Angaben\n";
        for (const Letter::InfoRow& row : l.infoBlock)
            line("Infoblock:", row.label + QStringLiteral(": ") + row.value);
        for (const QString& note : l.postalNotes)
            line("Postvermerk:", note);
        for (const QString& enclosure : l.enclosures)
            line("Anlage:", enclosure);
        for (const QString& entry : l.distribution)
            line("Verteiler:", entry);
    }
    if (!l.payment.isEmpty()) {
        const Letter::Payment& p = l.payment;
        out << "Zahlung (Code)\n";
        line("Empfänger:",
             p.payee.isEmpty() ? l.senderName + QStringLiteral(" (Absender)") : p.payee);
        line("IBAN:", payment::PaymentCheck::groupedIban(p.iban));
        line("BIC:", p.bic);
        line("Betrag:", p.amount.isEmpty() ? QString() : p.amount + QStringLiteral(" EUR"));
        line("Referenz:", p.reference);
        line("Verwendungszweck:", p.text);
    }
    out << "Brieftext\n";
    for (const QString& bodyLine : l.body.split(QStringLiteral("\r\n")))
        out << "  | " << visible(bodyLine) << '\n';
    out.flush();
}

} // namespace

int InfoCommand::run(const QStringList& arguments, Console& console)
{
    bool json = false;
    QStringList files;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--json"))
            json = true;
        else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
            return console.usageFailure(QStringLiteral("unknown option %1").arg(argument),
                                        usageLine());
        else
            files << argument;
    }
    if (files.size() != 1)
        return console.usageFailure(QStringLiteral("info takes one letter file"), usageLine());

    const auto loaded = readLetterFile(files.first(), console);
    if (!loaded)
        return FileFailure;
    if (json) {
        const QJsonObject object = LetterJson::toJson(loaded->letter, loaded->tailGroups);
        console.out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
        console.out.flush();
    } else {
        printReadably(console.out, loaded->letter, loaded->tailGroups);
    }
    return Success;
}

} // namespace quillory::cli
