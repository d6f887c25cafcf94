// The rates are written from the one place they are kept: exact decimals of
// the ticket's fractions, and the sales summary view built from them.
#include "data/TicketRules.h"
#include "data/ExactDecimal.h"
#include "data/Schema.h"

#include <gtest/gtest.h>

namespace {

QString decimal(std::int64_t numerator, std::int64_t denominator)
{
    const std::optional<ExactDecimal> d = ExactDecimal::of(numerator, denominator);
    return d ? d->text() : QStringLiteral("none");
}

QString summaryView(Engine engine)
{
    for (const QString &sql : Schema::ViewStatements(engine)) {
        if (sql.startsWith(QStringLiteral("CREATE VIEW vw_salesreport_actualcash ")))
            return sql;
    }
    return {};
}

TEST(TicketRules, FractionsAreWrittenAsExactDecimals)
{
    EXPECT_EQ(decimal(825, 10000), QStringLiteral("0.0825"));
    EXPECT_EQ(decimal(1, 10), QStringLiteral("0.1"));
    EXPECT_EQ(decimal(11, 10), QStringLiteral("1.1"));
    EXPECT_EQ(decimal(7, 100), QStringLiteral("0.07"));
    EXPECT_EQ(decimal(10, 100), QStringLiteral("0.1"));
    EXPECT_EQ(decimal(825, 100), QStringLiteral("8.25"));
    EXPECT_EQ(decimal(200, 100), QStringLiteral("2"));
    EXPECT_EQ(decimal(0, 100), QStringLiteral("0"));
    EXPECT_EQ(decimal(-5, 100), QStringLiteral("-0.05"));
    EXPECT_EQ(decimal(5, -100), QStringLiteral("-0.05"));
    EXPECT_EQ(decimal(1, 8), QStringLiteral("0.125"));
    EXPECT_EQ(decimal(1, 3), QStringLiteral("none"));
    EXPECT_EQ(decimal(1, 0), QStringLiteral("none"));
    const ExactDecimal tax = *ExactDecimal::of(825, 10000);
    EXPECT_EQ(tax.units, 825);
    EXPECT_EQ(tax.digits, 4);
    EXPECT_EQ(tax.one(), 10000);
}

TEST(TicketRules, TheRatesAreTheTicketsFractions)
{
    using namespace TicketRules;
    EXPECT_EQ(kTaxRate.text(), decimal(kTaxNumerator, kTaxDenominator));
    EXPECT_EQ(kShopFeeRate.text(), decimal(kShopFeeNumerator, kShopFeeDenominator));
    EXPECT_EQ(kLaborWithFeeRate.text(), decimal(kShopFeeDenominator + kShopFeeNumerator, kShopFeeDenominator));
    EXPECT_EQ(kTaxRate.text(), QStringLiteral("0.0825"));
    EXPECT_EQ(kShopFeeRate.text(), QStringLiteral("0.1"));
    EXPECT_EQ(kLaborWithFeeRate.text(), QStringLiteral("1.1"));
}

TEST(TicketRules, TheSummaryViewIsWrittenFromTheRates)
{
    using namespace TicketRules;
    for (const Engine engine : {Engine::PostgreSQL, Engine::SQLServer}) {
        const QString view = summaryView(engine);
        SCOPED_TRACE(view.toStdString());
        EXPECT_TRUE(view.contains(QStringLiteral("ELSE %1 END").arg(kTaxRate.text())));
        EXPECT_TRUE(view.contains(QStringLiteral("round(l * %1, 2) AS shopfee").arg(kShopFeeRate.text())));
        EXPECT_TRUE(view.contains(QStringLiteral("(p + l * %1)").arg(kLaborWithFeeRate.text())));
    }
    // SQLite counts in whole units: the rate in its own (825), the base in
    // the fee's (10 × parts + 11 × labor).
    const QString view = summaryView(Engine::SQLite);
    SCOPED_TRACE(view.toStdString());
    EXPECT_TRUE(view.contains(QStringLiteral("ELSE %1 END AS rate").arg(kTaxRate.units)));
    EXPECT_TRUE(
        view.contains(QStringLiteral("(%1 * p + %2 * l)").arg(kLaborWithFeeRate.one()).arg(kLaborWithFeeRate.units)));
    EXPECT_TRUE(view.contains(QStringLiteral("(%1 + rate)").arg(kTaxRate.one())));
}

} // namespace
