#include "ViewArguments.h"

namespace quillory::cli::ViewArguments {

bool take(const QString& argument, layout::ViewOptions& view)
{
    if (argument == QLatin1String("--blank-before-city")) {
        view.blankBeforeRecipientCity = true;
        return true;
    }
    if (argument == QLatin1String("--signature-text")) {
        view.signatureIsSenderName = false;
        return true;
    }
    return false;
}

std::optional<layout::LayoutKind> layoutNamed(const QString& value)
{
    if (value == QLatin1String("1"))
        return layout::LayoutKind::Layout1;
    if (value == QLatin1String("2"))
        return layout::LayoutKind::Layout2;
    if (value.compare(QLatin1String("din-a"), Qt::CaseInsensitive) == 0)
        return layout::LayoutKind::DinA;
    if (value.compare(QLatin1String("din-b"), Qt::CaseInsensitive) == 0)
        return layout::LayoutKind::DinB;
    return std::nullopt;
}

std::optional<layout::ViewOptions::DateStyle> dateStyleNamed(const QString& value)
{
    using Style = layout::ViewOptions::DateStyle;
    if (value.compare(QLatin1String("numeric"), Qt::CaseInsensitive) == 0)
        return Style::Numeric;
    if (value.compare(QLatin1String("iso"), Qt::CaseInsensitive) == 0)
        return Style::Iso;
    if (value.compare(QLatin1String("long"), Qt::CaseInsensitive) == 0)
        return Style::Long;
    return std::nullopt;
}

} // namespace quillory::cli::ViewArguments
