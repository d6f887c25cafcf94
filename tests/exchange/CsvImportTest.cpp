// Importing customers, products and the labor price list from spreadsheet
// files against real databases: every row or none, each checked as the
// editors check what is typed, existing records matched by their keys.
#include "exchange/CsvImport.h"
#include "data/AuditLog.h"
#include "data/Database.h"
#include "exchange/CsvFile.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ExchangeTable::Table;

class CsvImportTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }

    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("in.csv"))
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }

    static QString text(const QString &sql, const QVariantList &params = {})
    {
        return SeedData::value(sql, params).toString().trimmed();
    }

    static int importEntries()
    {
        const auto entries = AuditLog::Entries(QDate(2000, 1, 1), QDate(2100, 1, 1), AuditLog::kImport);
        return entries ? int(entries->size()) : -1;
    }

    QTemporaryDir dir;
    RecordingPrompts prompts;
};

TEST_P(CsvImportTest, CustomersGoInWithTheirHeadersMatchedByName)
{
    const QString path = file("First Name,LAST NAME,Phone,Zip,state,Favourite colour\r\n"
                              "Ann,Smith,(512) 555-0123,78701,tx,blue\r\n"
                              "Bob,\"Jones, Jr.\",512.555.0199,78702,,green\r\n");
    const CsvImport::Result r = CsvImport::Import(Table::Customers, path, {});
    ASSERT_TRUE(r.done) << CsvImport::Describe(r).join('\n').toStdString();
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.unknownColumns, QStringList{QStringLiteral("Favourite colour")});
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 2);
    EXPECT_EQ(text("select phone1 from customer where lastname = 'Smith'"), QStringLiteral("5125550123"));
    EXPECT_EQ(text("select zipcode from customer where lastname = 'Smith'"), QStringLiteral("78701"));
    EXPECT_EQ(text("select state from customer where lastname = 'Smith'"), QStringLiteral("TX"));
    EXPECT_EQ(text("select PreferPhone from customer where lastname = 'Smith'"), QStringLiteral("0"));
    EXPECT_EQ(text("select firstname from customer where lastname = 'Jones, Jr.'"), QStringLiteral("Bob"));
    EXPECT_EQ(importEntries(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

TEST_P(CsvImportTest, BadRowsLeaveNothingWrittenAndAreListedBesideTheFile)
{
    SeedData::customer(QStringLiteral("Old"), QStringLiteral("Timer"));
    const QString path = file("firstname,lastname,phone1,state\n"
                              "Ann,Smith,5125550123,TX\n"
                              ",Nobody,,TX\n"
                              "Cy,Brown,555-12,ZZ\n",
                              QStringLiteral("people.csv"));
    const CsvImport::Result r = CsvImport::Import(Table::Customers, path, {});
    EXPECT_FALSE(r.done);
    ASSERT_EQ(r.problems.size(), 3);
    EXPECT_EQ(r.problems[0].line, 3);
    EXPECT_EQ(r.problems[0].column, QStringLiteral("firstname"));
    EXPECT_EQ(r.problems[0].reason, QStringLiteral("Customer name can not be blank.  Enter 'Cash' for Cash customers"));
    EXPECT_EQ(r.problems[1].line, 4);
    EXPECT_EQ(r.problems[1].column, QStringLiteral("phone1"));
    EXPECT_EQ(r.problems[2].column, QStringLiteral("state"));
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 1);
    EXPECT_EQ(importEntries(), 0);
    ASSERT_EQ(r.problemsFile, dir.filePath(QStringLiteral("people.errors.csv")));
    QString error;
    const auto listed = CsvFile::Read(r.problemsFile, &error);
    ASSERT_TRUE(listed) << error.toStdString();
    EXPECT_EQ(listed->header, (QStringList{"Line", "Column", "Reason"}));
    ASSERT_EQ(listed->records.size(), 3);
    EXPECT_EQ(listed->records[1].fields[0], QStringLiteral("4"));

    // A dry run writes no list; once the file is mended, its import removes the list of the failed try.
    QFile::remove(r.problemsFile);
    EXPECT_TRUE(CsvImport::Import(Table::Customers, path, {.dryRun = true}).problemsFile.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("people.errors.csv"))));
    CsvImport::Import(Table::Customers, path, {});
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral("people.errors.csv"))));
    file("firstname,lastname,phone1,state\nAnn,Smith,5125550123,TX\n", QStringLiteral("people.csv"));
    EXPECT_TRUE(CsvImport::Import(Table::Customers, path, {}).done);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("people.errors.csv"))));
}

TEST_P(CsvImportTest, ExistingCustomersAreSkippedOrUpdatedWhenAsked)
{
    const int id = SeedData::customer(QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("5125550123"));
    const QByteArray bytes("last,first,phone,city\n"
                           "SMITH, ann ,512-555-0123,Austin\n"
                           "Lee,Dee,,Waco\n");
    CsvImport::Result r = CsvImport::Import(Table::Customers, file(bytes), {});
    ASSERT_TRUE(r.done) << CsvImport::Describe(r).join('\n').toStdString();
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.skipped, 1);
    EXPECT_NE(text("select city from customer where id = ?", {id}), QStringLiteral("Austin"));

    r = CsvImport::Import(Table::Customers, file(bytes), {.updateExisting = true});
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.updated, 2);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(text("select city from customer where id = ?", {id}), QStringLiteral("Austin"));
    // Only the columns of the file are written: the state stays.
    EXPECT_EQ(text("select state from customer where id = ?", {id}), QStringLiteral("TX"));
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 2);
    EXPECT_EQ(importEntries(), 2);
}

TEST_P(CsvImportTest, DryRunCountsAndWritesNothing)
{
    const CsvImport::Result r = CsvImport::Import(
        Table::Customers, file("firstname,lastname\nAnn,Smith\nAnn,Smith\nBob,Jones\n"), {.dryRun = true});
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.skipped, 1); // the file's second Ann Smith is the first one
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 0);
    EXPECT_EQ(importEntries(), 0);
}

TEST_P(CsvImportTest, ManyRowsGoInEachWithItsOwnValues)
{
    QByteArray bytes("firstname,lastname,phone,city\n");
    for (int i = 1; i <= 1000; ++i)
        bytes += QStringLiteral("First%1,Last%1,512555%2,City%1\n").arg(i).arg(i, 4, 10, QLatin1Char('0')).toUtf8();
    const CsvImport::Result r = CsvImport::Import(Table::Customers, file(bytes), {});
    ASSERT_TRUE(r.done) << CsvImport::Describe(r).join('\n').toStdString();
    EXPECT_EQ(r.added, 1000);
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 1000);
    for (const int i : {1, 153, 154, 999, 1000}) {
        EXPECT_EQ(text("select city from customer where lastname = ?", {QStringLiteral("Last%1").arg(i)}),
                  QStringLiteral("City%1").arg(i));
        EXPECT_EQ(text("select phone1 from customer where firstname = ?", {QStringLiteral("First%1").arg(i)}),
                  QStringLiteral("512555%1").arg(i, 4, 10, QLatin1Char('0')));
    }
}

TEST_P(CsvImportTest, ATenMegabyteFileNamesTheLineOfItsLastBadRow)
{
    // 20,000 customers of about 520 bytes, each address over two lines.
    constexpr int kRows = 20000;
    const QByteArray filler(480, 'x');
    QByteArray good("firstname,lastname,phone,address,note\n");
    for (int i = 1; i <= kRows; ++i)
        good += QStringLiteral("First%1,Last%1,512555%2,\"%1 Main St,\nBack door\",")
                    .arg(i)
                    .arg(i % 10000, 4, 10, QLatin1Char('0'))
                    .toUtf8()
            + filler + '\n';
    ASSERT_GT(good.size(), 10 * 1000 * 1000);
    QByteArray bad = good;
    bad.replace("512555" + QByteArray::number(kRows % 10000).rightJustified(4, '0') + ",\"" + QByteArray::number(kRows),
                "51255,\"" + QByteArray::number(kRows));
    CsvImport::Result r = CsvImport::Import(Table::Customers, file(bad), {});
    EXPECT_FALSE(r.done);
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(r.problems[0].line, 2 * kRows); // the header, then two lines a row
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 0);

    r = CsvImport::Import(Table::Customers, file(good), {});
    ASSERT_TRUE(r.done) << CsvImport::Describe(r).join('\n').toStdString();
    EXPECT_EQ(r.added, kRows);
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), kRows);
}

TEST_P(CsvImportTest, ALaterRowOfTheFileUpdatesAnEarlierOne)
{
    const CsvImport::Result r = CsvImport::Import(Table::Customers,
                                                  file("firstname,lastname,city\nAnn,Smith,Austin\nann,SMITH,Waco\n"),
                                                  {.updateExisting = true});
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.updated, 1);
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 1);
    EXPECT_EQ(text("select city from customer"), QStringLiteral("Waco"));
    EXPECT_EQ(text("select firstname from customer"), QStringLiteral("ann"));
}

TEST_P(CsvImportTest, ProductsAreCheckedAsTheEditorChecksThem)
{
    const QString path = file("UPC,Description,Price,Cost,Qty,Model\n"
                              "RS-100,Remote start,199.99,120,4,RS100\n"
                              "AMP 2,Amplifier,12.345,50,1,A2\n"
                              "bad~code,Speaker,1,1,x,S1\n");
    const CsvImport::Result r = CsvImport::Import(Table::Products, path, {});
    EXPECT_FALSE(r.done);
    ASSERT_EQ(r.problems.size(), 3);
    EXPECT_EQ(r.problems[0].line, 3);
    EXPECT_EQ(r.problems[0].column, QStringLiteral("Price"));
    EXPECT_TRUE(r.problems[0].reason.contains(QStringLiteral("more than two decimals")));
    EXPECT_EQ(r.problems[1].column, QStringLiteral("UPC"));
    EXPECT_TRUE(r.problems[1].reason.contains(QStringLiteral("~")));
    EXPECT_EQ(r.problems[2].column, QStringLiteral("Qty"));
    EXPECT_TRUE(r.problems[2].reason.contains(QStringLiteral("is not a number")));
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 0);
}

// Empty fields past the header's, as spreadsheets write them, are no fault; a
// value there is, and a header read as one field names the separator used.
TEST_P(CsvImportTest, TrailingEmptyFieldsAreTakenAndAnotherSeparatorIsNamed)
{
    const CsvImport::Result trailing =
        CsvImport::Import(Table::Customers, file("First,Last\nAnn,Smith,,\nBob,Jones,\n"), {});
    EXPECT_TRUE(trailing.done) << CsvImport::Describe(trailing).join('\n').toStdString();
    EXPECT_EQ(trailing.added, 2);
    const CsvImport::Result extra = CsvImport::Import(Table::Customers, file("First,Last\nCy,Brown,x\n"), {});
    ASSERT_EQ(extra.problems.size(), 1);
    EXPECT_EQ(extra.problems[0].reason, QStringLiteral("holds 3 fields; the header names 2"));
    const CsvImport::Result semicolons =
        CsvImport::Import(Table::Customers, file("First;Last\nDee;Green\n"), {});
    EXPECT_TRUE(semicolons.failure.endsWith(QStringLiteral(
        "The file seems to separate its fields with semicolons, not commas: save it again as comma-separated values.")))
        << semicolons.failure.toStdString();
}

TEST_P(CsvImportTest, ProductsMatchByBarCode)
{
    const int id = SeedData::product(QStringLiteral("RS-100"), QStringLiteral("P1"), 150, 2);
    const QString path = file("barcode,description,price,qoh\n"
                              "rs-100,Remote start,\"1,199.99\",4\n"
                              ",No code,5,1\n"
                              ",No code either,5,1\n");
    const CsvImport::Result r = CsvImport::Import(Table::Products, path, {.updateExisting = true});
    ASSERT_TRUE(r.done) << CsvImport::Describe(r).join('\n').toStdString();
    EXPECT_EQ(r.updated, 1);
    EXPECT_EQ(r.added, 2); // products without a bar code match nothing, and the user is told
    EXPECT_TRUE(CsvImport::Describe(r).contains(
        QStringLiteral("2 of the products have no bar code, so no import can match them to a stored product: "
                       "importing this file again adds them again.")));
    EXPECT_DOUBLE_EQ(SeedData::value("select price from product where id = ?", {id}).toDouble(), 1199.99);
    EXPECT_DOUBLE_EQ(SeedData::value("select qoh from product where id = ?", {id}).toDouble(), 4);
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 3);
}

TEST_P(CsvImportTest, LaborPricesReadAsTheListReadsThem)
{
    SeedData::labor(QStringLiteral("Remote start"), 100, 80, QStringLiteral("Install"));
    const QString path = file("Category,Description,Ours,COG\n"
                              "install,remote start,120,90\n"
                              "Audio,Speakers,5,\n"
                              "Audio,Amplifier,$5,1\n");
    CsvImport::Result r = CsvImport::Import(Table::Labor, path, {});
    EXPECT_FALSE(r.done);
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(r.problems[0].line, 4);
    EXPECT_EQ(r.problems[0].column, QStringLiteral("Ours"));

    r = CsvImport::Import(Table::Labor,
                          file("Category,Description,Ours,COG\n"
                               "install,remote start,120,90\n"
                               "Audio,Speakers,5,\n"),
                          {});
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.skipped, 1);
    EXPECT_EQ(r.added, 1);
    EXPECT_DOUBLE_EQ(SeedData::value("select ours from labor where description = 'Speakers'").toDouble(), 5);
    EXPECT_TRUE(SeedData::value("select cog from labor where description = 'Speakers'").isNull());
}

TEST_P(CsvImportTest, FilesWithoutRowsOrColumnsAreRefusedWhole)
{
    CsvImport::Result r = CsvImport::Import(Table::Customers, file(QByteArray()), {});
    EXPECT_FALSE(r.done);
    EXPECT_TRUE(r.failure.contains(QStringLiteral("empty")));

    r = CsvImport::Import(Table::Customers, file("firstname,lastname\r\n"), {});
    ASSERT_TRUE(r.done); // a header alone is a list of no one
    EXPECT_EQ(r.added, 0);

    r = CsvImport::Import(Table::Customers, file("Colour,Size\nred,10\n"), {});
    EXPECT_FALSE(r.done);
    EXPECT_TRUE(r.failure.contains(QStringLiteral("No column")));

    r = CsvImport::Import(Table::Customers, file("firstname,\"lastname\nAnn,Smith\n"), {});
    EXPECT_FALSE(r.done);
    EXPECT_TRUE(r.failure.contains(QStringLiteral("line 1")));
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 0);
}

TEST_P(CsvImportTest, Windows1252NamesAreStoredAsWritten)
{
    const CsvImport::Result r = CsvImport::Import(Table::Customers, file("firstname,lastname\r\nJos\xE9,M\xFCller\r\n"),
                                                  {});
    ASSERT_TRUE(r.done);
    EXPECT_EQ(text("select lastname from customer"), QStringLiteral("Müller"));
    EXPECT_EQ(text("select firstname from customer"), QStringLiteral("José"));
}

INSTANTIATE_TEST_SUITE_P(Engines, CsvImportTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
