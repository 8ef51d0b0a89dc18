#include "DateFormat.h"

namespace quillory::document::DateFormat {

QString pattern(const QLocale& locale)
{
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    // Keep the locale's order of day, month and year and its first separator;
    // drop everything else (weekday names, padding choices, two-digit years).
    QString order;
    QChar separator;
    for (qsizetype i = 0; i < shortFormat.size(); ++i) {
        const QChar c = shortFormat[i];
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            if (!order.contains(c))
                order.append(c);
        } else if (c == QLatin1Char('\'')) {
            // quoted literal text, e.g. the Chinese 年: not a separator we can use
            const qsizetype end = shortFormat.indexOf(QLatin1Char('\''), i + 1);
            i = end < 0 ? shortFormat.size() : end;
        } else if (separator.isNull() && !order.isEmpty() && !c.isLetter()) {
            separator = c;
        }
    }
    if (order.size() != 3)
        order = QStringLiteral("dMy");
    if (separator.isNull() || separator.isSpace())
        separator = QLatin1Char('.');

    QString result;
    for (QChar part : order) {
        if (!result.isEmpty())
            result.append(separator);
        if (part == QLatin1Char('d'))
            result.append(QStringLiteral("dd"));
        else if (part == QLatin1Char('M'))
            result.append(QStringLiteral("MM"));
        else
            result.append(QStringLiteral("yyyy"));
    }
    return result;
}

QLocale displayLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::German, QLocale::Germany);
    return system;
}

QString format(QDate date, const QLocale& locale)
{
    return date.toString(pattern(locale));
}

QDate parse(const QString& text, const QLocale& locale)
{
    return QDate::fromString(text.trimmed(), pattern(locale));
}

} // namespace quillory::document::DateFormat
