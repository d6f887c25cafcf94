// Exact amounts and the number formats of the screen and the paper.
#include "data/Money.h"

#include <gtest/gtest.h>

namespace {

Money amount(double v)
{
    return Money::fromDouble(v);
}

TEST(Money, FormatsOfTheScreenAndThePaper)
{
    EXPECT_EQ(amount(5).format00(), QStringLiteral("05.00"));
    EXPECT_EQ(amount(123.456).format00(), QStringLiteral("123.46"));
    EXPECT_EQ(amount(-5).format00(), QStringLiteral("-05.00"));
    EXPECT_EQ(amount(0).format00(), QStringLiteral("00.00"));
    EXPECT_EQ(amount(0.5).format0(), QStringLiteral("0.50"));
    EXPECT_EQ(amount(1234.5).format0(), QStringLiteral("1234.50"));
    EXPECT_EQ(amount(85).formatDollar00(), QStringLiteral("$85.00"));
    EXPECT_EQ(amount(2.6).formatWhole00(), QStringLiteral("03"));
    EXPECT_EQ(amount(0).formatWhole00(), QStringLiteral("00"));
    EXPECT_EQ(amount(-0.004).format00(), QStringLiteral("00.00"));
}

TEST(Money, RoundsHalfAwayFromZeroOnlyWhenShown)
{
    EXPECT_EQ(amount(119.075).format00(), QStringLiteral("119.08"));
    EXPECT_EQ(amount(-119.075).format00(), QStringLiteral("-119.08"));
    EXPECT_EQ(amount(9.075).format00(), QStringLiteral("09.08"));
    // Ten times 0.001 is exactly 0.01, not a float's 0.0099999.
    Money sum;
    for (int i = 0; i < 10; ++i)
        sum += amount(0.001);
    EXPECT_EQ(sum, Money::fromCents(1));
}

TEST(Money, ProductsAndFactorsStayExact)
{
    EXPECT_EQ(Money::product(amount(3), amount(19.99)), amount(59.97));
    EXPECT_EQ(Money::product(amount(0.5), amount(0.03)).format00(), QStringLiteral("00.02")); // 0.015
    EXPECT_EQ(amount(110).scaled(825, 10000), amount(9.075));
    EXPECT_EQ(amount(20).scaled(102, 100), amount(20.4));
}

TEST(Money, NullAndGarbageCountAsZero)
{
    EXPECT_TRUE(Money::fromVariant(QVariant()).isZero());
    EXPECT_TRUE(Money::fromVariant(QStringLiteral("abc")).isZero());
    EXPECT_TRUE(Money::fromDouble(std::numeric_limits<double>::quiet_NaN()).isZero());
    EXPECT_TRUE(Money::fromDouble(1e300).isZero());
    EXPECT_EQ(Money::fromVariant(QStringLiteral(" 12.5 ")), amount(12.5));
    EXPECT_EQ(Money::fromVariant(12.5), amount(12.5));
}

TEST(Money, DatabaseTextUsesAPointAndNoMoreDecimalsThanNeeded)
{
    EXPECT_EQ(amount(12.5).toDbText(), QStringLiteral("12.5"));
    EXPECT_EQ(amount(-5).toDbText(), QStringLiteral("-5"));
    EXPECT_EQ(amount(0.0001).toDbText(), QStringLiteral("0.0001"));
}

} // namespace
