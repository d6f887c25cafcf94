// The small text helpers every loader and editor leans on.
#include "data/AppPaths.h"
#include "data/DateText.h"
#include "data/NullToSpace.h"
#include "data/TextNumber.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(NullToSpace, NullIsOneBlankAndTextIsTrimmed)
{
    EXPECT_EQ(NullToSpace(QVariant()), QStringLiteral(" "));
    EXPECT_EQ(NullToSpace(QVariant(QMetaType(QMetaType::QString))), QStringLiteral(" "));
    EXPECT_EQ(NullToSpace(QStringLiteral("  Smith  ")), QStringLiteral("Smith"));
    EXPECT_EQ(NullToSpace(QVariant()).trimmed(), QString());
    EXPECT_EQ(NullToSpace(12.5), QStringLiteral("12.5"));
}

TEST(TextNumber, ValReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(TextNumber::Val(QStringLiteral("2.6")), 2.6);
    EXPECT_DOUBLE_EQ(TextNumber::Val(QStringLiteral("  12abc")), 12);
    EXPECT_DOUBLE_EQ(TextNumber::Val(QStringLiteral("abc")), 0);
    EXPECT_DOUBLE_EQ(TextNumber::Val(QStringLiteral("-5.25 dollars")), -5.25);
    EXPECT_DOUBLE_EQ(TextNumber::Val(QString()), 0);
    EXPECT_DOUBLE_EQ(TextNumber::Val(QStringLiteral(".5")), 0.5);
}

TEST(TextNumber, ParseAcceptsOneNumberOnly)
{
    EXPECT_EQ(TextNumber::parse(QStringLiteral(" 12.50 ")), 12.5);
    EXPECT_EQ(TextNumber::parse(QStringLiteral("-5")), -5);
    EXPECT_FALSE(TextNumber::parse(QStringLiteral("3,25"))) << "a comma is no decimal point in en_US";
    EXPECT_FALSE(TextNumber::parse(QStringLiteral("abc")));
    EXPECT_FALSE(TextNumber::parse(QStringLiteral("12abc")));
    EXPECT_FALSE(TextNumber::parse(QStringLiteral("")));
    EXPECT_FALSE(TextNumber::parse(QStringLiteral("1e5")));
    EXPECT_FALSE(TextNumber::parse(QStringLiteral("nan")));
    EXPECT_EQ(TextNumber::toDbText(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(TextNumber::toDbText(-0.0), QStringLiteral("0"));
}

// The shop types in en_US: a comma groups thousands. A comma anywhere else
// is refused instead of being read as a decimal point (1,250 dollars is not
// 1.25).
TEST(TextNumber, CommasGroupThousandsOnly)
{
    EXPECT_EQ(TextNumber::parse(QStringLiteral("1,250")), 1250);
    EXPECT_EQ(TextNumber::parse(QStringLiteral("1,299")), 1299);
    EXPECT_EQ(TextNumber::parse(QStringLiteral(" 1,250.50 ")), 1250.5);
    EXPECT_EQ(TextNumber::parse(QStringLiteral("12,345,678.9")), 12345678.9);
    EXPECT_EQ(TextNumber::parse(QStringLiteral("-1,000")), -1000);
    for (const char *bad :
         {"1,25", "12,34.5", "1234,567", "1,2345", "1,", ",250", "1,,250", "0,500", "1.250,5", "12,345,67"})
        EXPECT_FALSE(TextNumber::parse(QString::fromLatin1(bad))) << bad;

    EXPECT_DOUBLE_EQ(TextNumber::Val(QStringLiteral("1,250")), 1250);
    EXPECT_DOUBLE_EQ(TextNumber::Val(QStringLiteral("12,345,678.9 each")), 12345678.9);
    EXPECT_DOUBLE_EQ(TextNumber::Val(QStringLiteral("1,25")), 1);
    EXPECT_EQ(TextNumber::leadingNumber(QStringLiteral("1,250.50")), 1250.5);
    EXPECT_EQ(TextNumber::leadingNumber(QStringLiteral("2.6")), 2.6);
    EXPECT_FALSE(TextNumber::leadingNumber(QStringLiteral("1,25")));
    EXPECT_FALSE(TextNumber::leadingNumber(QStringLiteral("12,34.5")));
}

TEST(DateText, StoredFormAndLocaleFormats)
{
    const QDateTime t(QDate(2026, 3, 7), QTime(15, 4, 5));
    EXPECT_EQ(DateText::toDb(t), QStringLiteral("2026-03-07 15:04:05"));
    EXPECT_EQ(DateText::toDb(QDate(2026, 3, 7)), QStringLiteral("2026-03-07 00:00:00"));
    EXPECT_EQ(DateText::fromDb(QStringLiteral("2026-03-07 15:04:05")), t);
    EXPECT_EQ(DateText::fromDb(QVariant(t)), t);
    EXPECT_FALSE(DateText::fromDb(QVariant()).isValid());
    EXPECT_FALSE(DateText::fromDb(QStringLiteral("soon")).isValid());
    EXPECT_EQ(DateText::shortDate(QDate(2026, 3, 7)), QStringLiteral("3/7/2026"));
    EXPECT_EQ(DateText::generalDate(t), QStringLiteral("3/7/2026 3:04:05 PM"));
    EXPECT_EQ(DateText::displayGeneral(QVariant()), QStringLiteral(" "));
    EXPECT_EQ(DateText::mmddyyyy(QDate(2026, 3, 7)), QStringLiteral("03/07/2026"));
}

TEST(AppPaths, ProgramFilesAreFoundWithoutRegardToCase)
{
    const QString folder = AppPaths::programFolder();
    QFile f(QDir(folder).filePath(QStringLiteral("ReceiptNotice.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(AppPaths::programFile(QStringLiteral("receiptnotice.txt")), f.fileName());
    EXPECT_EQ(AppPaths::programFile(QStringLiteral("logo.jpg")), QDir(folder).filePath(QStringLiteral("logo.jpg")));
    f.remove();
}

} // namespace

#include "data/ReceiptNotice.h"

namespace {

void writeRaw(const QString &name, const QByteArray &bytes)
{
    QFile f(QDir(AppPaths::programFolder()).filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(ReceiptNotice, ThreeLinesComeBackAsThreeLinesAndAreWrittenWithCrLf)
{
    writeRaw(QStringLiteral("receiptnotice.txt"), "All sales final.\r\nThank you!\nCome again\r\n");
    EXPECT_EQ(
        ReceiptNotice::lines(),
        (QStringList{QStringLiteral("All sales final."), QStringLiteral("Thank you!"), QStringLiteral("Come again")}));
    EXPECT_EQ(ReceiptNotice::text(), QStringLiteral("All sales final.\r\nThank you!\r\nCome again"));
    ASSERT_TRUE(ReceiptNotice::save(ReceiptNotice::text()));
    // Written back under the name it was found by.
    QFile f(QDir(AppPaths::programFolder()).filePath(QStringLiteral("receiptnotice.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("All sales final.\r\nThank you!\r\nCome again\r\n"));
    EXPECT_FALSE(QFile::exists(QDir(AppPaths::programFolder()).filePath(QStringLiteral("ReceiptNotice.txt"))));
    f.remove();
}

TEST(ReceiptNotice, MissingOrEmptyFilesAreAnEmptyNotice)
{
    EXPECT_TRUE(ReceiptNotice::lines().isEmpty());
    EXPECT_EQ(ReceiptNotice::text(), QString());
    ASSERT_TRUE(ReceiptNotice::save(QString()));
    QFile f(ReceiptNotice::filePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\r\n"));
    EXPECT_EQ(ReceiptNotice::lines(), QStringList{QString()});
    f.remove();
    // Text from a Qt editor ends its lines with LF alone.
    ASSERT_TRUE(ReceiptNotice::save(QStringLiteral("Señor\nGarantía 90 días")));
    EXPECT_EQ(ReceiptNotice::lines(), (QStringList{QStringLiteral("Señor"), QStringLiteral("Garantía 90 días")}));
    QFile::remove(ReceiptNotice::filePath());
}

} // namespace
