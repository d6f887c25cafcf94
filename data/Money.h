#pragma once

#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>

// An exact decimal amount. Stored amounts (quantities, prices, charges,
// payments) enter at ten-thousandths; sums and products stay exact, and
// rounding happens only when an amount is shown, half away from zero. The
// screen, the invoice and the reports all compute through this type, so one
// ticket shows the same cents everywhere (119.075 shows as 119.08).
class Money
{
public:
    using Raw = __int128;
    // Internal units per 1: room for ten-thousandths times ten-thousandths
    // times the tax rate's ten-thousandths, with a tenth for the shop fee.
    static constexpr int kScaleDigits = 13;

    constexpr Money() = default;

    // A stored or typed value, rounded to ten-thousandths; NULL, text that is
    // not a number, and values beyond any till count as 0.
    static Money fromVariant(const QVariant &value);
    static Money fromDouble(double value);
    // Exactly this many cents.
    static Money fromCents(std::int64_t cents);
    // Exactly units / 10^4.
    static Money fromTenThousandths(std::int64_t units);

    // quantity × price, exact.
    static Money product(const Money &quantity, const Money &price);
    // This amount × numerator / denominator, exact for the program's factors
    // (1/10, 825/10000, 102/100 …); rounded half away when not.
    Money scaled(std::int64_t numerator, std::int64_t denominator) const;

    Money operator+(const Money &o) const { return fromRaw(m_raw + o.m_raw); }
    Money operator-(const Money &o) const { return fromRaw(m_raw - o.m_raw); }
    Money operator-() const { return fromRaw(-m_raw); }
    Money &operator+=(const Money &o)
    {
        m_raw += o.m_raw;
        return *this;
    }
    Money &operator-=(const Money &o)
    {
        m_raw -= o.m_raw;
        return *this;
    }
    auto operator<=>(const Money &) const = default;
    bool operator==(const Money &) const = default;

    bool isZero() const { return m_raw == 0; }
    bool isNegative() const { return m_raw < 0; }
    Money abs() const { return m_raw < 0 ? -*this : *this; }

    // Rounded half away from zero.
    std::int64_t cents() const;
    std::int64_t roundedWhole() const;
    // For display and binding; not exact beyond a double's precision.
    double toDouble() const;

    // The number formats of the program:
    // "00.00": at least two integer digits, two decimals (5 → 05.00, −5 → -05.00).
    QString format00() const;
    // "0.00": at least one integer digit (paper).
    QString format0() const;
    // "$00.00": "00.00" behind a dollar sign (negatives as -$05.00).
    QString formatDollar00() const;
    // "00": rounded to a whole number, at least two digits.
    QString formatWhole00() const;
    // The amount as the database is given it: '.' decimal point, four decimals
    // at most.
    QString toDbText() const;

    Raw raw() const { return m_raw; }

private:
    static Money fromRaw(Raw raw)
    {
        Money m;
        m.m_raw = raw;
        return m;
    }
    QString formatCents(int minIntegerDigits) const;

    Raw m_raw = 0;
};
