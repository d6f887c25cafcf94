#pragma once

#include "sales/Money.h"

#include <QList>
#include <QString>
#include <optional>

// The money rules of a ticket: nothing computed is ever stored; every figure
// is derived from the ticket's lines, payments and tax-exempt flag whenever
// the ticket is shown or printed.
namespace TicketRules {

// Ten per cent of labor.
constexpr std::int64_t kShopFeeNumerator = 1, kShopFeeDenominator = 10;
// 8.25 % on parts, labor and shop fee.
constexpr std::int64_t kTaxNumerator = 825, kTaxDenominator = 10000;
// Card surcharges, shown to the cashier only.
constexpr std::int64_t kVisaSurchargeNumerator = 102, kDiscoverSurchargeNumerator = 103, kSurchargeDenominator = 100;
// Visa and Mastercard carry their surcharge only below this base.
inline Money surchargeThreshold() { return Money::fromCents(5000); }

// The pay types offered, in order; "Cash" is preselected.
inline QStringList payTypes()
{
    return {QStringLiteral("Cash"), QStringLiteral("Visa"), QStringLiteral("Mastercard"),
            QStringLiteral("Discover"), QStringLiteral("American Express"), QStringLiteral("Coupon"),
            QStringLiteral("Check")};
}

} // namespace TicketRules

struct EquipmentLineInput
{
    Money quantity;
    Money price;
};

struct LaborLineInput
{
    Money quantity;
    Money charge;
};

struct PaymentInput
{
    QString description;
    Money amount;
};

struct TicketInput
{
    QList<EquipmentLineInput> equipment;
    QList<LaborLineInput> labor;
    QList<PaymentInput> payments;
    bool taxExempt = false;
};

// Which base the Visa / Mastercard threshold is tested on. The screen tests
// parts + labor + shop fee; the printed invoice tests parts + labor, as its
// printed remark says ("excluding tax and fees"). Near 50.00 they differ.
enum class SurchargeBase { PartsLaborAndFee, PartsAndLabor };

struct PaymentFigure
{
    Money amount;
    // The amount with its card surcharge, when the card carries one.
    std::optional<Money> withSurcharge;
};

struct TicketFigures
{
    QList<Money> equipmentExtended; // quantity × price per equipment line
    QList<Money> laborExtended;     // quantity × charge per labor line
    QList<PaymentFigure> paymentFigures;

    Money parts;     // "SubTotal" on the screen
    Money labor;
    Money shopFee;
    Money base;      // parts + labor + shop fee (the invoice's "Sub-Total:")
    Money tax;
    Money total;
    Money payments;  // "Payment/Credit"
    Money changeDue; // the shown total (to the cent) − payments; negative when overpaid
};

TicketFigures ComputeTicketFigures(const TicketInput &ticket,
                                   SurchargeBase surchargeBase = SurchargeBase::PartsLaborAndFee);

// The surcharge a payment description carries on a given base (nullopt: none).
std::optional<Money> CardSurcharge(const QString &description, const Money &amount, const Money &surchargeBase);
