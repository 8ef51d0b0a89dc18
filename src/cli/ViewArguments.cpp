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

} // namespace quillory::cli::ViewArguments
