#pragma once

#include <QString>

#include <exception>

namespace quillory::app {

/**
 * A failure that ends the current command and reaches the error report with
 * a text meant for the user, e.g. a letter file that could not be written.
 */
class CommandError : public std::exception
{
public:
    explicit CommandError(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return "CommandError"; }

private:
    QString m_message;
};

/** How the application reports a failed command to the user. */
namespace ErrorReport {

/** The caption of every error box: the application title. */
inline const QString kCaption = QStringLiteral("Quillory");

/** The text as shown: a full stop is added when the last character sorts after ".". */
QString finished(const QString& text);

/** The user's text of whatever a handler threw; never throws itself. */
QString textOf(std::exception_ptr failure) noexcept;

} // namespace ErrorReport
} // namespace quillory::app
