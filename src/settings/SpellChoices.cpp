#include "SpellChoices.h"

#include "SettingsBackend.h"

namespace quillory::settings {
namespace {

const QString kGroup = QStringLiteral("Rechtschreibung");
const QString kUnderline = QStringLiteral("Unterstreichen");
const QString kDictionary = QStringLiteral("Woerterbuch");

} // namespace

SpellChoices SpellChoices::read(SettingsBackend& backend)
{
    SpellChoices choices;
    const StoredValue underline = backend.readIn(kGroup, kUnderline);
    if (underline.kind == StoredValue::Text)
        choices.underline = underline.text.trimmed() != QLatin1String("0");
    const StoredValue dictionary = backend.readIn(kGroup, kDictionary);
    if (dictionary.kind == StoredValue::Text)
        choices.dictionary = dictionary.text.trimmed();
    return choices;
}

QString SpellChoices::write(SettingsBackend& backend) const
{
    const std::pair<QString, QString> values[] = {
        {kUnderline, underline ? QStringLiteral("1") : QStringLiteral("0")},
        {kDictionary, dictionary},
    };
    for (const auto& [name, text] : values)
        if (!backend.writeIn(kGroup, name, text))
            return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(name);
    if (!backend.flush())
        return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(kDictionary);
    return {};
}

} // namespace quillory::settings
