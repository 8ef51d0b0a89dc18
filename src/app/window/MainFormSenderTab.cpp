#include "widgets/FormBuilder.h"
#include "window/MainForm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>

namespace quillory::app {

using document::Letter;

void MainForm::buildSenderTab(FormBuilder& b)
{
    TabSheet2 = new QWidget(PageControl1);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Ihre Daten"));
    QWidget* const tab = TabSheet2;

    const auto field = [&](const QString& name, const QString& label, int left, int top,
                           int width) {
        b.labelAbove(tab, label, left, top);
        return b.textField(tab, name, left, top, width);
    };
    const auto spin = [&](const QString& name, const QString& label, SpinField::Kind kind,
                          const document::NumberRange& range, int top) {
        b.labelAbove(tab, label, 320, top);
        return b.spinField(tab, name, kind, range, 320, top, 89);
    };
    const auto check = [&](const QString& name, const QString& caption, int top, int width) {
        return b.checkBox(tab, name, caption, 320, top, width);
    };

    Edit10 = field(QStringLiteral("Edit10"),
                   QStringLiteral("Ihr Name oder Ihre Firmenbezeichnung:"), 8, 32, 233);
    Edit11 = field(QStringLiteral("Edit11"),
                   QStringLiteral("Zusatzinformationen wie z.B. der Ortsteil:"), 8, 72, 233);
    Edit12 = field(QStringLiteral("Edit12"), QStringLiteral("Straße und Nummer oder Postfach:"), 8,
                   112, 233);
    Edit13 = field(QStringLiteral("Edit13"), QStringLiteral("Postleitzahl:"), 8, 152, 65);
    Edit19 = field(QStringLiteral("Edit19"), QStringLiteral("Ort:"), 80, 152, 161);
    Edit14 = field(QStringLiteral("Edit14"),
                   QStringLiteral("Absender-Land (falls der Brief ins Ausland geht:"), 8, 192, 233);
    Edit15 = field(QStringLiteral("Edit15"), QStringLiteral("Telefon:"), 8, 232, 233);
    Edit16 = field(QStringLiteral("Edit16"), QStringLiteral("Fax:"), 8, 272, 233);
    Edit17 = field(QStringLiteral("Edit17"), QStringLiteral("Email:"), 8, 312, 233);
    Edit18 = field(QStringLiteral("Edit18"),
                   QStringLiteral("Fußzeile (kann z.B. für die Bankverbindung genutzt werden):"), 8,
                   352, 233);

    RandEd = spin(QStringLiteral("RandEd"), QStringLiteral("Seitenrand in mm:"),
                  SpinField::Kind::Decimal, Letter::kMarginRange, 32);
    TeleRechts = check(QStringLiteral("TeleRechts"),
                       QStringLiteral("Telefon/FAX/EMail  an der rechten Seite"), 56, 241);
    FussZentr = check(QStringLiteral("FussZentr"), QStringLiteral("Fußzeile zentriert"), 72, 249);
    ZeilenAbsender =
        spin(QStringLiteral("ZeilenAbsender"), QStringLiteral("Zeilen bis zum Absender:"),
             SpinField::Kind::Integer, Letter::kLinesRange, 112);
    ZeilenBisEmpfaenger =
        spin(QStringLiteral("ZeilenBisEmpfaenger"), QStringLiteral("Zeilen bis zum Empfänger:"),
             SpinField::Kind::Integer, Letter::kLinesRange, 152);
    ZeilenBisBetreff =
        spin(QStringLiteral("ZeilenBisBetreff"), QStringLiteral("Zeilen bis zum Betreff:"),
             SpinField::Kind::Integer, Letter::kLinesRange, 192);
    Absenderunterstr =
        check(QStringLiteral("Absenderunterstr"),
              QStringLiteral("Absender in eine unterstrichene Zeile  schreiben"), 224, 289);
    b.labelAbove(tab, QStringLiteral("Trennzeichen wenn Absender in einer Zeile:"), 320, 272);
    TrennZeichen = b.textField(tab, QStringLiteral("TrennZeichen"), 320, 272, 89);
    Absenderverkleinern = spin(
        QStringLiteral("Absenderverkleinern"),
        QStringLiteral("Schriftgröße für Absenderzeile verkleinern um (falls in einer Zeile):"),
        SpinField::Kind::Integer, Letter::kSenderReductionRange, 312);
    kleinereSchriftCheck = check(QStringLiteral("kleinereSchriftCheck"),
                                 QStringLiteral("Absender kleinere Schrift Layout 1"), 336, 265);
    LeerZeileCheck = check(
        QStringLiteral("LeerZeileCheck"),
        QStringLiteral("Leerzeile zwischen Straße und PLZ/Ort für Absender Layout 1"), 352, 345);
    PLZOrtGroesserCheck =
        check(QStringLiteral("PLZOrtGroesserCheck"),
              QStringLiteral("PLZ/Ort etwas größere Schrift für Absender Layout 1"), 368, 465);
    Leer2Check =
        check(QStringLiteral("Leer2Check"),
              QStringLiteral("Leerzeile zwischen Straße und PLZ/Ort für Empfänger"), 384, 345);

    b.fitLabels(tab);

    QWidget* const order[] = {Edit10,
                              Edit11,
                              Edit12,
                              Edit13,
                              Edit19,
                              Edit14,
                              Edit15,
                              Edit16,
                              Edit17,
                              Edit18,
                              RandEd,
                              TeleRechts,
                              FussZentr,
                              ZeilenAbsender,
                              ZeilenBisEmpfaenger,
                              ZeilenBisBetreff,
                              Absenderunterstr,
                              TrennZeichen,
                              Absenderverkleinern,
                              kleinereSchriftCheck,
                              LeerZeileCheck,
                              PLZOrtGroesserCheck,
                              Leer2Check};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace quillory::app
