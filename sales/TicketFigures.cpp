#include "sales/TicketFigures.h"

using namespace TicketRules;

std::optional<Money> CardSurcharge(const QString &description, const Money &amount, const Money &surchargeBase)
{
    const QString kind = description.trimmed();
    if (kind == QLatin1String("Discover") || kind == QLatin1String("American Express"))
        return amount.scaled(kDiscoverSurchargeNumerator, kSurchargeDenominator);
    if ((kind == QLatin1String("Visa") || kind == QLatin1String("Mastercard")) && surchargeBase < SurchargeThreshold())
        return amount.scaled(kVisaSurchargeNumerator, kSurchargeDenominator);
    return std::nullopt;
}

TicketFigures ComputeTicketFigures(const TicketInput &ticket, SurchargeBase surchargeBase)
{
    TicketFigures f;
    for (const EquipmentLineInput &line : ticket.equipment) {
        const Money extended = Money::product(line.quantity, line.price);
        f.equipmentExtended.append(extended);
        f.parts += extended;
    }
    for (const LaborLineInput &line : ticket.labor) {
        const Money extended = Money::product(line.quantity, line.charge);
        f.laborExtended.append(extended);
        f.labor += extended;
    }
    f.shopFee = f.labor.scaled(kShopFeeNumerator, kShopFeeDenominator);
    f.base = f.parts + f.labor + f.shopFee;
    f.tax = ticket.taxExempt ? Money() : f.base.scaled(kTaxNumerator, kTaxDenominator);
    f.total = f.base + f.tax;

    const Money testBase = surchargeBase == SurchargeBase::PartsLaborAndFee ? f.base : f.parts + f.labor;
    for (const PaymentInput &payment : ticket.payments) {
        f.payments += payment.amount;
        f.paymentFigures.append({payment.amount, CardSurcharge(payment.description, payment.amount, testBase)});
    }
    // The customer owes the total as it is shown, to the cent: a ticket paid
    // its shown total (119.08 of an exact 119.075) owes nothing.
    f.changeDue = Money::fromCents(f.total.cents()) - f.payments;
    return f;
}
