#include "ValueRules.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quillory::document::ValueRules {
namespace {

double clampToRange(double value, const NumberRange& range)
{
    if (std::isnan(value))
        return range.minimum;
    if (value < range.minimum)
        return range.minimum;
    if (value > range.maximum)
        return range.maximum;
    return value;
}

// First and last day a letter date can name: 1 January 0001 and 31 December 9999.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

} // namespace

QDate dayZero()
{
    return QDate(1899, 12, 30);
}

QDate firstDate()
{
    return dayZero().addDays(static_cast<qint64>(kFirstDay));
}

QDate lastDate()
{
    return dayZero().addDays(static_cast<qint64>(kLastDay));
}

int setInteger(double value, const NumberRange& range)
{
    const double clamped = clampToRange(value, range);
    double rounded = std::round(clamped);
    if (std::abs(clamped - std::trunc(clamped)) == 0.5)
        rounded = 2.0 * std::round(clamped / 2.0); // a tie goes to the even neighbour
    return static_cast<int>(rounded);
}

double setDecimal(double value, const NumberRange& range)
{
    const double clamped = clampToRange(value, range);
    // Round what the user sees: 12.345 is stored in binary as 12.34499..., yet
    // it reads as 12.345 and should show as 12.35. Fifteen significant digits
    // recover the decimal the value came from before rounding at the cents.
    // to_chars/from_chars, unlike printf, ignore the process locale.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, clamped * 100.0,
                                       std::chars_format::general, 15);
    double decimal = clamped * 100.0;
    std::from_chars(buffer, written.ptr, decimal);
    const double cents = std::round(decimal);
    return clampToRange(cents / 100.0, range);
}

int roundHalfAway(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::round(value);
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= -static_cast<double>(std::numeric_limits<int>::max()))
        return -std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

std::optional<QDate> dateFromDayNumber(double dayNumber)
{
    if (!std::isfinite(dayNumber))
        return std::nullopt;
    // The integer part is the day; a negative number's fraction is still a time
    // of that day, so truncate toward zero rather than floor.
    const double day = std::trunc(dayNumber);
    if (day < kFirstDay || day > kLastDay)
        return std::nullopt;
    return dayZero().addDays(static_cast<qint64>(day));
}

double dayNumberFromDate(QDate date)
{
    return static_cast<double>(dayZero().daysTo(date));
}

QDate setDate(double dayNumber, QDate today)
{
    const std::optional<QDate> date = dateFromDayNumber(dayNumber);
    if (!date || *date == dayZero())
        return today;
    return *date;
}

} // namespace quillory::document::ValueRules
