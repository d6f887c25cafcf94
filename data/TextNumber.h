#pragma once

#include <QString>
#include <optional>

// Numbers typed by the user or read back as text. The shop works in en_US:
// '.' is the decimal point and ',' groups thousands ("1,250.50"). A comma
// anywhere else ("1,25", "12,34.5") is a typing slip, never a decimal point,
// so the readers refuse it rather than guess.
namespace TextNumber {

// The leading number of a text, 0 when it starts with none ("2.6" → 2.6,
// "12abc" → 12, "abc" → 0, "1,250" → 1250). Blanks before the number are
// skipped; a comma that does not group thousands ends the number.
double Val(const QString &text);

// The leading number as Val reads it, for money and quantity boxes that take
// the leading number: nullopt when the number's commas are not in thousands
// places ("1,25" → nullopt, not 1).
std::optional<double> leadingNumber(const QString &text);

// The whole text as a number, or nullopt when it is not exactly one number
// (surrounding blanks allowed, an optional sign, '.' as decimal point, ','
// only between groups of three digits before it).
std::optional<double> parse(const QString &text);

// A number in the form the database is given: '.' as decimal point whatever
// the locale, no exponent, no trailing zeros beyond what is needed.
QString toDbText(double value);

// What a number box or grid cell says when it refuses typed text.
QString NotANumberMessage(const QString &typed);

} // namespace TextNumber
