#include "features/din/DinLetterChoice.h"

#include "settings/SettingsBackend.h"

#include <utility>

namespace quillory::app {
namespace {

const QString kGroup = QStringLiteral("DinBrief");
const QString kForm = QStringLiteral("Form");
const QString kImage = QStringLiteral("Briefkopf");
const QString kDate = QStringLiteral("Datum");
const QString kPreprinted = QStringLiteral("Vordruck");

using Form = DinLetterChoice::Form;
using DateStyle = DinLetterChoice::DateStyle;

// Stored names: they never change with the texts the window shows.
const std::pair<Form, QString> kForms[] = {
    {Form::None, QString()},
    {Form::A, QStringLiteral("A")},
    {Form::B, QStringLiteral("B")},
};
const std::pair<DateStyle, QString> kDateStyles[] = {
    {DateStyle::Numeric, QStringLiteral("Ziffern")},
    {DateStyle::Iso, QStringLiteral("ISO")},
    {DateStyle::Long, QStringLiteral("Lang")},
};

template <typename Value, std::size_t N>
QString nameOf(const std::pair<Value, QString> (&names)[N], Value value)
{
    for (const auto& [known, name] : names)
        if (known == value)
            return name;
    return names[0].second;
}

template <typename Value, std::size_t N>
void readInto(const std::pair<Value, QString> (&names)[N], const QString& text, Value& value)
{
    for (const auto& [known, name] : names)
        if (name.compare(text, Qt::CaseInsensitive) == 0)
            value = known;
}

} // namespace

DinLetterChoice DinLetterChoice::read(settings::SettingsBackend& backend)
{
    const auto text = [&backend](const QString& name) {
        const settings::StoredValue value = backend.readIn(kGroup, name);
        return value.kind == settings::StoredValue::Text ? value.text.trimmed() : QString();
    };
    DinLetterChoice choice;
    readInto(kForms, text(kForm), choice.form);
    choice.imagePath = text(kImage);
    readInto(kDateStyles, text(kDate), choice.dateStyle);
    choice.preprinted = text(kPreprinted) == QLatin1String("1");
    return choice;
}

QString DinLetterChoice::write(settings::SettingsBackend& backend) const
{
    const std::pair<QString, QString> values[] = {
        {kForm, nameOf(kForms, form)},
        {kImage, imagePath},
        {kDate, nameOf(kDateStyles, dateStyle)},
        {kPreprinted, preprinted ? QStringLiteral("1") : QStringLiteral("0")},
    };
    for (const auto& [name, text] : values)
        if (!backend.writeIn(kGroup, name, text))
            return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(name);
    if (!backend.flush())
        return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(kPreprinted);
    return {};
}

} // namespace quillory::app
