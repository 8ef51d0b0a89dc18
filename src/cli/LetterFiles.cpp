#include "LetterFiles.h"

#include "payment/PaymentCode.h"

#include <QFileInfo>

namespace quillory::cli {

std::optional<document::LetterFile::Loaded> readLetterFile(const QString& path, Console& console)
{
    auto result = document::LetterFile::readFile(path, document::Letter::makeNew());
    if (!result) {
        console.fileFailure(path, result.error().message());
        return std::nullopt;
    }
    document::LetterFile::Loaded loaded = *std::move(result);
    // The letter is usable; what of it was lost is said once, and the command goes on.
    if (!loaded.warning.isEmpty())
        console.fileFailure(path, loaded.warning);
    loaded.letter.letterFont = loaded.storedLetterFont;
    loaded.letter.footerFont = loaded.storedFooterFont;
    return loaded;
}

int checkPayment(const QString& path, const document::Letter& letter, Console& console)
{
    const QString problem = payment::PaymentCode::problem(letter);
    if (problem.isEmpty())
        return Success;
    console.fileFailure(path, problem);
    return UsageFailure;
}

bool hasExtension(const QString& path, const char* extension)
{
    return QFileInfo(path).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}

} // namespace quillory::cli
