#include "StoredProperties.h"

#include "SettingsEncoding.h"

namespace quillory::settings {

using document::Letter;
using document::LetterFont;
using namespace SettingsEncoding;

StoredProperty textProperty(const QString& name, QString& field)
{
    return {name, [&field] { return field; },
            [&field](const QString& stored) {
                field = stored;
            }};
}

namespace {

StoredProperty text(const char* name, QString& field)
{
    return textProperty(QString::fromLatin1(name), field);
}

StoredProperty flag(const char* name, bool& field)
{
    return {QString::fromLatin1(name), [&field] { return encodeBool(field); },
            [&field](const QString& stored) {
                if (const auto value = decodeBool(stored))
                    field = *value;
            }};
}

template <typename Field, typename Rule>
StoredProperty number(const char* name, Field& field, Rule setRule)
{
    return {QString::fromLatin1(name), [&field] { return encodeNumber(double(field)); },
            [&field, setRule](const QString& stored) {
                if (const auto value = decodeNumber(stored))
                    field = setRule(*value);
            }};
}

} // namespace

void addFontProperties(std::vector<StoredProperty>& list, const QString& widget, LetterFont& font)
{
    const QString prefix = widget + QStringLiteral("_Font");
    list.push_back({prefix + QStringLiteral("Charset"),
                    [&font] { return QString::number(font.charset()); },
                    [&font](const QString& s) {
                        font.setCharset(quint8(decodeWholeNumber(s)));
                    }});
    list.push_back({prefix + QStringLiteral("Color"),
                    [&font] { return QString::number(qint32(font.color())); },
                    [&font](const QString& s) {
                        font.setColor(quint32(decodeWholeNumber(s)));
                    }});
    list.push_back({prefix + QStringLiteral("Height"),
                    [&font] { return QString::number(font.height()); },
                    [&font](const QString& s) {
                        font.setHeight(decodeWholeNumber(s));
                    }});
    list.push_back({prefix + QStringLiteral("Name"), [&font] { return font.face(); },
                    [&font](const QString& s) {
                        font.setFace(s);
                    }});
    list.push_back({prefix + QStringLiteral("Pitch"), [&font] { return encodePitch(font.pitch()); },
                    [&font](const QString& s) {
                        if (const auto pitch = decodePitch(s))
                            font.setPitch(*pitch);
                    }});
    list.push_back({prefix + QStringLiteral("Size"),
                    [&font] { return QString::number(font.size()); },
                    [&font](const QString& s) {
                        font.setSize(decodeWholeNumber(s));
                    }});
    list.push_back({prefix + QStringLiteral("Style"), [&font] { return encodeStyle(font.style()); },
                    [&font](const QString& s) {
                        font.setStyle(decodeStyle(s));
                    }});
}

std::vector<StoredProperty> storedProperties(Letter& l, ViewChoices& view)
{
    const auto margin = [](double v) {
        return document::ValueRules::setDecimal(v, Letter::kMarginRange);
    };
    const auto lines = [](double v) {
        return document::ValueRules::setInteger(v, Letter::kLinesRange);
    };
    const auto reduction = [](double v) {
        return document::ValueRules::setInteger(v, Letter::kSenderReductionRange);
    };

    std::vector<StoredProperty> list;
    list.reserve(39);
    list.push_back(text("Edit10_Text", l.senderName));
    list.push_back(text("Edit11_Text", l.senderExtra));
    list.push_back(text("Edit12_Text", l.senderStreet));
    list.push_back(text("Edit13_Text", l.senderPostcode));
    list.push_back(text("Edit15_Text", l.senderPhone));
    list.push_back(text("Edit14_Text", l.senderCountry));
    list.push_back(text("Edit16_Text", l.senderFax));
    list.push_back(text("Edit17_Text", l.senderEmail));
    list.push_back(text("Edit18_Text", l.footer));
    addFontProperties(list, QStringLiteral("FontDialog1"), l.letterFont);
    list.push_back(text("Edit19_Text", l.senderCity));
    addFontProperties(list, QStringLiteral("FontDialog2"), l.footerFont);
    list.push_back(number("RandEd_Value", l.marginMm, margin));
    list.push_back(flag("TeleRechts_Checked", l.phoneRight));
    list.push_back(flag("FussZentr_Checked", l.footerCentred));
    list.push_back(number("ZeilenAbsender_Value", l.linesToSender, lines));
    list.push_back(number("ZeilenBisBetreff_Value", l.linesToSubject, lines));
    list.push_back(number("ZeilenBisEmpfaenger_Value", l.linesToRecipient, lines));
    list.push_back(flag("Absenderunterstr_Checked", l.senderOneLine));
    list.push_back(text("TrennZeichen_Text", l.senderSeparator));
    list.push_back(number("Absenderverkleinern_Value", l.senderSizeReduction, reduction));
    list.push_back(flag("kleinereSchriftCheck_Checked", l.layout1SmallerSender));
    list.push_back(flag("LeerZeileCheck_Checked", l.layout1BlankBeforeCity));
    list.push_back(flag("PLZOrtGroesserCheck_Checked", l.layout1LargerCity));
    // Two radio buttons of one group: a ticked one selects its layout, an
    // unticked one only stands back for the other.
    list.push_back({QStringLiteral("Layout1Check_Checked"),
                    [&view] { return encodeBool(!view.layout2); },
                    [&view](const QString& s) {
                        if (decodeBool(s) == true)
                            view.layout2 = false;
                    }});
    list.push_back({QStringLiteral("Layout2Check_Checked"),
                    [&view] { return encodeBool(view.layout2); },
                    [&view](const QString& s) {
                        if (decodeBool(s) == true)
                            view.layout2 = true;
                    }});
    list.push_back(flag("Leer2Check_Checked", view.blankBeforeRecipientCity));
    return list;
}

} // namespace quillory::settings
