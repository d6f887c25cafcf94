// The money rules of a ticket as the screen and the invoice show them.
#include "sales/TicketFigures.h"

#include <gtest/gtest.h>

namespace {

Money m(double v)
{
    return Money::fromDouble(v);
}

TicketInput ticket(QList<double> prices, QList<double> labor, QList<PaymentInput> payments = {}, bool exempt = false)
{
    TicketInput t;
    for (double p : prices)
        t.equipment.append({m(1), m(p)});
    for (double l : labor)
        t.labor.append({m(1), m(l)});
    t.payments = payments;
    t.taxExempt = exempt;
    return t;
}

TEST(TicketFigures, LaborBearsTheShopFeeAndEverythingIsTaxed)
{
    const TicketFigures f = ComputeTicketFigures(ticket({}, {100}));
    EXPECT_EQ(f.labor.format00(), QStringLiteral("100.00"));
    EXPECT_EQ(f.shopFee.format00(), QStringLiteral("10.00"));
    EXPECT_EQ(f.tax.format00(), QStringLiteral("09.08"));
    // 110 × 1.0825 = 119.075: exact arithmetic shows 119.08 (a float sum gave 119.07).
    EXPECT_EQ(f.total.format00(), QStringLiteral("119.08"));
    EXPECT_EQ(f.parts.format00(), QStringLiteral("00.00"));

    const TicketFigures g = ComputeTicketFigures(ticket({50}, {100}));
    EXPECT_EQ(g.tax.format0(), QStringLiteral("13.20"));
    EXPECT_EQ(g.total.format0(), QStringLiteral("173.20"));
    EXPECT_EQ(g.base.format0(), QStringLiteral("160.00"));
}

TEST(TicketFigures, TaxExemptTicketsPayNoTax)
{
    const TicketFigures f = ComputeTicketFigures(ticket({20, 30}, {10}, {}, true));
    EXPECT_EQ(f.tax.format00(), QStringLiteral("00.00"));
    EXPECT_EQ(f.total, f.base);
    EXPECT_EQ(f.total.format00(), QStringLiteral("61.00"));
}

TEST(TicketFigures, QuantitiesMultiplyAndNullsCountAsZero)
{
    TicketInput t;
    t.equipment = {{m(2), m(19.99)}, {Money::fromVariant(QVariant()), m(100)}};
    t.labor = {{m(3), Money::fromVariant(QVariant())}};
    const TicketFigures f = ComputeTicketFigures(t);
    ASSERT_EQ(f.equipmentExtended.size(), 2);
    EXPECT_EQ(f.equipmentExtended[0].format00(), QStringLiteral("39.98"));
    EXPECT_EQ(f.equipmentExtended[1].format00(), QStringLiteral("00.00"));
    EXPECT_EQ(f.laborExtended[0].format00(), QStringLiteral("00.00"));
    EXPECT_EQ(f.parts.format00(), QStringLiteral("39.98"));
}

TEST(TicketFigures, VisaAndMastercardCarryTheirSurchargeOnlyBelowFifty)
{
    // Base 49.99: 20.00 Visa shows 20.40.
    const TicketFigures below = ComputeTicketFigures(ticket({49.99}, {}, {{QStringLiteral("Visa"), m(20)}}));
    ASSERT_TRUE(below.paymentFigures[0].withSurcharge);
    EXPECT_EQ(below.paymentFigures[0].withSurcharge->format00(), QStringLiteral("20.40"));
    // Base exactly 50.00: no surcharge.
    const TicketFigures at = ComputeTicketFigures(ticket({50}, {}, {{QStringLiteral("Mastercard"), m(20)}}));
    EXPECT_FALSE(at.paymentFigures[0].withSurcharge);
    // The surcharge changes neither the payments nor the balance.
    EXPECT_EQ(below.payments, m(20));
    EXPECT_EQ(below.changeDue, Money::fromCents(below.total.cents()) - m(20));
}

TEST(TicketFigures, DiscoverAndAmexAlwaysCarryTheirSurcharge)
{
    const TicketFigures f = ComputeTicketFigures(ticket({500}, {},
                                                        {{QStringLiteral("American Express"), m(100)},
                                                         {QStringLiteral(" Discover "), m(10)},
                                                         {QStringLiteral("Cash"), m(5)},
                                                         {QStringLiteral("Coupon"), m(5)}}));
    EXPECT_EQ(f.paymentFigures[0].withSurcharge->format00(), QStringLiteral("103.00"));
    EXPECT_EQ(f.paymentFigures[1].withSurcharge->format00(), QStringLiteral("10.30"));
    EXPECT_FALSE(f.paymentFigures[2].withSurcharge);
    EXPECT_FALSE(f.paymentFigures[3].withSurcharge);
}

TEST(TicketFigures, TheInvoiceTestsThresholdOnPartsAndLaborWithoutTheFee)
{
    // Parts + labor 46.00, fee 4.60: the screen's base is 50.60 (no Visa
    // surcharge), the invoice's is 46.00 (surcharge).
    const TicketInput t = ticket({}, {46}, {{QStringLiteral("Visa"), m(40)}});
    EXPECT_FALSE(ComputeTicketFigures(t).paymentFigures[0].withSurcharge);
    const TicketFigures paper = ComputeTicketFigures(t, SurchargeBase::PartsAndLabor);
    ASSERT_TRUE(paper.paymentFigures[0].withSurcharge);
    EXPECT_EQ(paper.paymentFigures[0].withSurcharge->format0(), QStringLiteral("40.80"));
}

TEST(TicketFigures, PayingTheShownTotalLeavesNothingDue)
{
    // 110 × 1.0825 = 119.075, shown as 119.08; paying 119.08 settles it.
    const TicketFigures f = ComputeTicketFigures(ticket({}, {100}, {{QStringLiteral("Cash"), m(119.08)}}));
    EXPECT_EQ(f.total.format00(), QStringLiteral("119.08"));
    EXPECT_EQ(f.changeDue.format00(), QStringLiteral("00.00"));
}

TEST(TicketFigures, OverpaymentShowsANegativeChangeDueAndCouponsRaiseIt)
{
    const TicketFigures over = ComputeTicketFigures(ticket({}, {}, {{QStringLiteral("Cash"), m(5)}}));
    EXPECT_EQ(over.changeDue.format00(), QStringLiteral("-05.00"));
    const TicketFigures coupon = ComputeTicketFigures(
        ticket({100}, {}, {{QStringLiteral("Cash"), m(100)}, {QStringLiteral("Coupon"), m(-10)}}));
    EXPECT_EQ(coupon.payments.format00(), QStringLiteral("90.00"));
    EXPECT_EQ(coupon.changeDue.format00(), QStringLiteral("18.25"));
}

} // namespace
