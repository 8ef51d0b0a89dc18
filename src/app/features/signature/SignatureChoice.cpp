#include "features/signature/SignatureChoice.h"

#include "layout/Composer.h"
#include "settings/SettingsBackend.h"

#include <algorithm>

namespace quillory::app {
namespace {

const QString kGroup = QStringLiteral("Unterschrift");
const QString kImage = QStringLiteral("Bild");
const QString kHeight = QStringLiteral("Hoehe");
const QString kOnlyInPdf = QStringLiteral("NurPdf");

} // namespace

SignatureChoice SignatureChoice::read(settings::SettingsBackend& backend)
{
    using layout::ViewOptions;
    SignatureChoice choice;
    const settings::StoredValue image = backend.readIn(kGroup, kImage);
    if (image.kind == settings::StoredValue::Text)
        choice.imagePath = image.text.trimmed();
    const settings::StoredValue height = backend.readIn(kGroup, kHeight);
    bool ok = false;
    const int mm =
        height.kind == settings::StoredValue::Text ? height.text.trimmed().toInt(&ok) : 0;
    if (ok)
        choice.heightMm =
            std::clamp(mm, ViewOptions::kMinSignatureHeightMm, ViewOptions::kMaxSignatureHeightMm);
    const settings::StoredValue onlyInPdf = backend.readIn(kGroup, kOnlyInPdf);
    if (onlyInPdf.kind == settings::StoredValue::Text)
        choice.onlyInPdf = onlyInPdf.text.trimmed() != QLatin1String("0");
    return choice;
}

QString SignatureChoice::write(settings::SettingsBackend& backend) const
{
    const std::pair<QString, QString> values[] = {
        {kImage, imagePath},
        {kHeight, QString::number(heightMm)},
        {kOnlyInPdf, onlyInPdf ? QStringLiteral("1") : QStringLiteral("0")},
    };
    for (const auto& [name, text] : values)
        if (!backend.writeIn(kGroup, name, text))
            return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(name);
    if (!backend.flush())
        return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(kOnlyInPdf);
    return {};
}

} // namespace quillory::app
