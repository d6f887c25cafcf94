#include "data/Money.h"

#include <cmath>

namespace {

constexpr Money::Raw pow10(int n)
{
    Money::Raw r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}

constexpr Money::Raw kUnit = pow10(Money::kScaleDigits);
constexpr Money::Raw kPerTenThousandth = pow10(Money::kScaleDigits - 4);
constexpr Money::Raw kPerCent = pow10(Money::kScaleDigits - 2);

// Beyond this a typed or stored value is garbage, not money.
constexpr double kLargest = 1e9;

Money::Raw divideHalfAway(Money::Raw value, Money::Raw divisor)
{
    const bool negative = (value < 0) != (divisor < 0);
    Money::Raw a = value < 0 ? -value : value;
    const Money::Raw d = divisor < 0 ? -divisor : divisor;
    Money::Raw q = a / d;
    if ((a % d) * 2 >= d)
        ++q;
    return negative ? -q : q;
}

} // namespace

Money Money::fromDouble(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > kLargest)
        return Money();
    const double units = std::round(value * 10000.0); // std::round is half away from zero
    return fromRaw(Raw(static_cast<std::int64_t>(units)) * kPerTenThousandth);
}

Money Money::fromVariant(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return Money();
    bool ok = false;
    const double d = value.toString().trimmed().toDouble(&ok);
    if (ok)
        return fromDouble(d);
    const double n = value.toDouble(&ok);
    return ok ? fromDouble(n) : Money();
}

Money Money::fromCents(std::int64_t cents)
{
    return fromRaw(Raw(cents) * kPerCent);
}

Money Money::fromTenThousandths(std::int64_t units)
{
    return fromRaw(Raw(units) * kPerTenThousandth);
}

Money Money::product(const Money &quantity, const Money &price)
{
    // Both factors carry at most four decimals, so the product has at most
    // eight and fits the scale exactly.
    const Raw q = divideHalfAway(quantity.m_raw, kPerTenThousandth);
    const Raw p = divideHalfAway(price.m_raw, kPerTenThousandth);
    return fromRaw(q * p * pow10(kScaleDigits - 8));
}

Money Money::scaled(std::int64_t numerator, std::int64_t denominator) const
{
    if (denominator == 0)
        return Money();
    return fromRaw(divideHalfAway(m_raw * Raw(numerator), Raw(denominator)));
}

std::int64_t Money::cents() const
{
    return static_cast<std::int64_t>(divideHalfAway(m_raw, kPerCent));
}

std::int64_t Money::roundedWhole() const
{
    return static_cast<std::int64_t>(divideHalfAway(m_raw, kUnit));
}

double Money::toDouble() const
{
    return double(m_raw / kPerTenThousandth) / 10000.0 + double(m_raw % kPerTenThousandth) / double(kUnit);
}

QString Money::formatCents(int minIntegerDigits) const
{
    const std::int64_t c = cents();
    const std::uint64_t a = c < 0 ? std::uint64_t(-(c + 1)) + 1 : std::uint64_t(c);
    QString whole = QString::number(a / 100);
    while (whole.size() < minIntegerDigits)
        whole.prepend(QLatin1Char('0'));
    const QString frac = QStringLiteral("%1").arg(int(a % 100), 2, 10, QLatin1Char('0'));
    return (c < 0 ? QStringLiteral("-") : QString()) + whole + QLatin1Char('.') + frac;
}

QString Money::format00() const
{
    return formatCents(2);
}

QString Money::format0() const
{
    return formatCents(1);
}

QString Money::formatDollar00() const
{
    const QString text = abs().format00();
    return (cents() < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + text;
}

QString Money::formatWhole00() const
{
    const std::int64_t w = roundedWhole();
    QString digits = QString::number(w < 0 ? -w : w);
    while (digits.size() < 2)
        digits.prepend(QLatin1Char('0'));
    return (w < 0 ? QStringLiteral("-") : QString()) + digits;
}

QString Money::toDbText() const
{
    const Raw units = divideHalfAway(m_raw, kPerTenThousandth);
    const bool negative = units < 0;
    const Raw a = negative ? -units : units;
    QString text = QString::number(static_cast<qulonglong>(a / 10000));
    int frac = int(a % 10000);
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        text += QLatin1Char('.') + f;
    }
    return negative ? QLatin1Char('-') + text : text;
}
