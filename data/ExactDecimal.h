#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// A fraction that a decimal writes exactly, in the fewest decimals: 825/10000
// is 0.0825 (825 at four decimals), 11/10 is 1.1, 10/100 is 0.1; 1/3 is none.
// The money rules keep their rates as fractions; SQL and printed texts are
// given the rates in this form, so the text follows the fraction.
struct ExactDecimal
{
    std::int64_t units = 0; // the value × 10^digits
    int digits = 0;         // decimals after the point, the fewest that are exact

    // nullopt when no decimal of at most 18 places is exactly numerator / denominator.
    static constexpr std::optional<ExactDecimal> of(std::int64_t numerator, std::int64_t denominator)
    {
        if (denominator == 0)
            return std::nullopt;
        __int128 scaled = denominator < 0 ? -__int128(numerator) : __int128(numerator);
        const __int128 divisor = denominator < 0 ? -__int128(denominator) : __int128(denominator);
        for (int digits = 0; digits <= 18; ++digits, scaled *= 10) {
            if (scaled % divisor != 0)
                continue;
            const __int128 units = scaled / divisor;
            if (units > INT64_MAX || units < INT64_MIN)
                return std::nullopt;
            return ExactDecimal{std::int64_t(units), digits};
        }
        return std::nullopt;
    }

    // 10^digits: what 1 is in units.
    constexpr std::int64_t one() const
    {
        std::int64_t r = 1;
        for (int i = 0; i < digits; ++i)
            r *= 10;
        return r;
    }

    // "0.0825", "0.1", "1.1", "8.25", "2": '.' as the decimal point, a 0
    // before it, no trailing zeros, no exponent; an exact SQL literal.
    QString text() const;
};
