#pragma once

#include <QDate>

#include <optional>

namespace quillory::document {

/** The range and step of a numeric letter setting. */
struct NumberRange
{
    double minimum;
    double maximum;
    double step;
};

/**
 * How values entering the letter are made valid. Every way in (the letter
 * file, JSON, the window, the settings store) goes through these, so a letter
 * never holds a number outside its range or a date that is no date.
 */
namespace ValueRules {

/** Clamps to the range, then rounds halves to the even neighbour; NaN gives the minimum. */
int setInteger(double value, const NumberRange& range);

/** Clamps to the range and rounds to the two decimals the margin is shown with. */
double setDecimal(double value, const NumberRange& range);

/** Rounds halves away from zero, as the font size conversions do; saturates at ±INT_MAX so the
 * result can be negated. */
int roundHalfAway(double value);

/** Day 0 of the letter's day numbers: 30 December 1899. */
QDate dayZero();

/** The first and the last day a letter date can name: 1 January 1 and 31 December 9999. */
QDate firstDate();
QDate lastDate();

/**
 * The calendar day of a day number (days since 30 December 1899, any time of
 * day ignored); nothing when the number is no date the letter can hold.
 */
std::optional<QDate> dateFromDayNumber(double dayNumber);

/** Day number of a date; the date must be valid. */
double dayNumberFromDate(QDate date);

/** A day number as a letter date: day 0 and anything that is no date give today. */
QDate setDate(double dayNumber, QDate today);

} // namespace ValueRules
} // namespace quillory::document
