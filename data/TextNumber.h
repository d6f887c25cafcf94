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

// The largest amount, either way, that a box or grid cell takes: every sum
// the program makes of amounts this size (a ticket's lines, a day's or a
// year's tickets, times a quantity) stays exact to the cent.
inline constexpr double kLargestAmount = 999999999.99;
inline constexpr double kLargestQuantity = 999999999;
// "999,999,999.99", as the messages name it.
QString LargestAmountText();

// A typed value the program can keep, or why it cannot. The one rule for
// every box and grid cell that stores a number.
struct Reading
{
    enum class Refusal { None, NotANumber, TooManyDecimals, TooLarge };

    std::optional<double> value; // what is stored; nullopt when refused
    Refusal refusal = Refusal::None;
    QString typed;
    int decimals = 2; // the most decimals the value may have
    double largest = kLargestAmount;

    explicit operator bool() const { return value.has_value(); }
    // Why it was refused, after the typed text: "is not a number", "has more
    // than two decimals" …
    QString reason() const;
    // The whole message: the typed text, the reason, "Nothing was changed."
    QString message() const;
};

// Money: exactly one number as parse reads it, to the cent (two decimals at
// most; "12.50" and "12.500" alike), no larger than 999,999,999.99 either
// way.
Reading readMoney(const QString &typed);
// A quantity: one number as parse reads it, no larger than 999,999,999
// either way, rounded half away from zero to the whole number the ticket
// shows ("2.6" → 3).
Reading readQuantity(const QString &typed);
// Any other stored number (stock on hand, a margin): one number with four
// decimals at most, within the same range as money.
Reading readNumber(const QString &typed);

} // namespace TextNumber
