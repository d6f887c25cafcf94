#pragma once

#include <QString>
#include <optional>

// Numbers typed by the user or read back as text.
namespace TextNumber {

// The leading number of a text, 0 when it starts with none ("2.6" → 2.6,
// "12abc" → 12, "abc" → 0). Blanks before the number are skipped; the decimal
// point is always '.'.
double Val(const QString &text);

// The whole text as a number, or nullopt when it is not exactly one number
// (surrounding blanks allowed, '.' as decimal point, an optional sign, and a
// ',' decimal point accepted when the text has no '.').
std::optional<double> parse(const QString &text);

// A number in the form the database is given: '.' as decimal point whatever
// the locale, no exponent, no trailing zeros beyond what is needed.
QString toDbText(double value);

} // namespace TextNumber
