#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace quillory::document {

/**
 * How the letter's date is shown and typed: the order and separator of the
 * locale's short date format, always with two-digit day and month and a
 * four-digit year. The window's date field and the printed date line use the
 * same text, so what the user sees is what is printed.
 */
namespace DateFormat {

/** The pattern for the locale, e.g. "dd.MM.yyyy", "MM/dd/yyyy", "yyyy-MM-dd". */
QString pattern(const QLocale& locale);

/** The locale the program shows dates in: the system's, or German under "C"/POSIX. */
QLocale displayLocale();

QString format(QDate date, const QLocale& locale = displayLocale());

/** The date in text, or an invalid date when the text is no date of the pattern. */
QDate parse(const QString& text, const QLocale& locale = displayLocale());

} // namespace DateFormat
} // namespace quillory::document
