#pragma once

#include "data/ExactDecimal.h"
#include "data/Money.h"

#include <QStringList>

// The money rules of a ticket: nothing computed is ever stored; every figure
// is derived from the ticket's lines, payments and tax-exempt flag whenever
// the ticket is shown or printed. The ticket figures, the sales summary view
// and the invoice's texts all take the rates from here.
namespace TicketRules {

// Ten per cent of labor.
constexpr std::int64_t kShopFeeNumerator = 1, kShopFeeDenominator = 10;
// 8.25 % on parts, labor and shop fee.
constexpr std::int64_t kTaxNumerator = 825, kTaxDenominator = 10000;
// Card surcharges: the cashier sees the surcharged amount beside a card
// payment, and the invoice prints it with the surcharge remarks.
constexpr std::int64_t kVisaSurchargeNumerator = 102, kDiscoverSurchargeNumerator = 103, kSurchargeDenominator = 100;
// Visa and Mastercard carry their surcharge only below this base.
inline Money SurchargeThreshold()
{
    return Money::fromCents(5000);
}

// The rates as decimals, for the SQL of the views and the printed texts. A
// rate that no decimal writes exactly does not compile.
constexpr ExactDecimal kShopFeeRate = ExactDecimal::of(kShopFeeNumerator, kShopFeeDenominator).value(); // 0.1
// Labor with its shop fee.
constexpr ExactDecimal kLaborWithFeeRate =
    ExactDecimal::of(kShopFeeDenominator + kShopFeeNumerator, kShopFeeDenominator).value(); // 1.1
constexpr ExactDecimal kTaxRate = ExactDecimal::of(kTaxNumerator, kTaxDenominator).value(); // 0.0825

// The percentages the invoice prints.
constexpr ExactDecimal kTaxPercent = ExactDecimal::of(100 * kTaxNumerator, kTaxDenominator).value(); // 8.25
constexpr ExactDecimal kVisaSurchargePercent =
    ExactDecimal::of(100 * (kVisaSurchargeNumerator - kSurchargeDenominator), kSurchargeDenominator).value(); // 2
constexpr ExactDecimal kDiscoverSurchargePercent =
    ExactDecimal::of(100 * (kDiscoverSurchargeNumerator - kSurchargeDenominator), kSurchargeDenominator).value(); // 3

// The pay types offered, in order; "Cash" is preselected.
inline QStringList PayTypes()
{
    return {QStringLiteral("Cash"),
            QStringLiteral("Visa"),
            QStringLiteral("Mastercard"),
            QStringLiteral("Discover"),
            QStringLiteral("American Express"),
            QStringLiteral("Coupon"),
            QStringLiteral("Check")};
}

} // namespace TicketRules
