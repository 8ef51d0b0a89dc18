#include "support/ErrorReport.h"

#include <new>

namespace quillory::app::ErrorReport {

QString finished(const QString& text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

QString textOf(std::exception_ptr failure) noexcept
{
    try {
        try {
            std::rethrow_exception(failure);
        } catch (const CommandError& error) {
            return error.message();
        } catch (const std::bad_alloc&) {
            return QStringLiteral("Nicht genügend Arbeitsspeicher");
        } catch (const std::exception& error) {
            return QString::fromLocal8Bit(error.what());
        } catch (...) {
            return QStringLiteral("Unbekannter Fehler");
        }
    } catch (...) {
        // Building the text itself failed (no memory left): say nothing rather
        // than let an exception cross the event loop.
        return {};
    }
}

} // namespace quillory::app::ErrorReport
