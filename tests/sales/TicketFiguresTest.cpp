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

} // namespace
