// Exports against real databases: the tables' files import as they were
// (export, import into an empty database, export again: the same bytes),
// and closed tickets come out with their lines, shop fee, tax and payments.
#include "exchange/TableExport.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "exchange/CsvFile.h"
#include "exchange/CsvImport.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ExchangeTable::Table;

class TableExportTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }

    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    // A part of a workbook, as the spreadsheet reads it.
    static QString unzipped(const QString &book, const QString &part)
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), book, part});
        EXPECT_TRUE(unzip.waitForFinished(10000));
        return QString::fromUtf8(unzip.readAllStandardOutput());
    }

    QString exported(Table table, const QString &name)
    {
        const QString path = dir.filePath(name);
        QString error;
        EXPECT_TRUE(TableExport::ExportTable(table, path, &error)) << error.toStdString();
        return path;
    }

    static void seedShop()
    {
        const QStringList customerColumns = {"firstname", "lastname", "phone1", "phone2", "phone3",  "PreferPhone",
                                             "address1",  "address2", "city",   "state",  "zipcode", "email"};
        Database::InsertRow("customer", customerColumns,
                            {"Ann", "Smith", "5125550123", "", "5125550999", 2, "1 Main St", "Apt, 2", "Austin", "TX",
                             "78701", "ann@example.com"});
        Database::InsertRow("customer", customerColumns,
                            {QStringLiteral("José"), QStringLiteral("Müller"), "", "", "", 0, "\"The\" Ranch\nGate 4",
                             "", "Waco", QVariant(QMetaType(QMetaType::QString)), "", ""});
        Database::InsertRow("customer", customerColumns,
                            {"Bob", "Smith", "5125550100", "5125550101", "", 1, "", "", "", "NM", "", ""});
        const QStringList productColumns = {"barcode", "category",    "description", "cost", "msrp",
                                            "price",   "modelnumber", "partnumber",  "qoh",  "gm"};
        Database::InsertRow(
            "product", productColumns,
            {"RS-100", "Remote", "Remote start, 2-way", 120.0, 249.99, 199.99, "RS100", "P-1", 4.0, 40.0});
        Database::InsertRow("product", productColumns,
                            {"", "Audio", "Amplifier", 50.5, 99.0, 89.95, "A2", "P-2", 1.5, 0.25});
        SeedData::labor(QStringLiteral("Remote start"), 120, 90, QStringLiteral("Install"));
        Database::InsertRow("labor", {"category", "description"}, {"_newcat", "_new labor"});
    }

    QTemporaryDir dir;
    RecordingPrompts prompts;
};

TEST_P(TableExportTest, ExportedTablesImportIntoAnEmptyDatabaseAsTheyWere)
{
    seedShop();
    const Table tables[] = {Table::Customers, Table::Products, Table::Labor};
    QStringList first;
    for (const Table t : tables)
        first << exported(t, ExchangeTable::NameOf(t) + QStringLiteral("-1.csv"));

    QString why;
    ASSERT_TRUE(TestDatabase::UseFresh(GetParam(), &why)) << why.toStdString();
    for (int i = 0; i < 3; ++i) {
        const CsvImport::Result r = CsvImport::Import(tables[i], first[i], {});
        ASSERT_TRUE(r.done) << CsvImport::Describe(r).join('\n').toStdString();
    }
    for (int i = 0; i < 3; ++i) {
        const QString again = exported(tables[i], ExchangeTable::NameOf(tables[i]) + QStringLiteral("-2.csv"));
        EXPECT_EQ(QString::fromUtf8(bytesOf(again)).toStdString(), QString::fromUtf8(bytesOf(first[i])).toStdString());
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

TEST_P(TableExportTest, ProductsComeWithTheirReserveAndAvailableStock)
{
    seedShop();
    const int open = SeedData::ticket(SeedData::customer("Cy", "Open"), QStringLiteral("Open"));
    SeedData::equipmentLine(open, QStringLiteral("P-1"), 199.99, 3);
    const QString path = exported(Table::Products, QStringLiteral("products.csv"));
    // The products' reserve is the open ticket's three.
    QString error;
    const auto products = CsvFile::Read(path, &error);
    ASSERT_TRUE(products) << error.toStdString();
    EXPECT_EQ(products->header.last(), QStringLiteral("available"));
    ASSERT_EQ(products->records.size(), 2);
    EXPECT_EQ(products->records[1].fields,
              (QStringList{"RS-100", "Remote", "Remote start, 2-way", "120.00", "249.99", "199.99", "RS100", "P-1", "4",
                           "40", "3", "1"}));
}

TEST_P(TableExportTest, ClosedTicketsOfTheRangeComeWithTheirLinesFeeTaxAndPayments)
{
    const int customer = SeedData::customer("Ann", "Smith");
    auto closedOn = [&](const QDate &day) {
        const int id = SeedData::ticket(customer, QStringLiteral("Close"));
        Database::Execute("update sales set Closedate = ? where id = ?",
                          {DateText::toDb(QDateTime(day, QTime(15, 30))), id});
        return id;
    };
    const int inside = closedOn(QDate(2026, 3, 31));
    SeedData::equipmentLine(inside, QStringLiteral("P-1"), 199.99, 2);
    SeedData::laborLine(inside, QStringLiteral("Remote start"), 120);
    SeedData::payment(inside, QStringLiteral("Cash"), 500);
    // A tax-exempt ticket without labor has neither fee nor tax rows.
    const int exempt = closedOn(QDate(2026, 3, 15));
    Database::Execute("update sales set TaxExempt = 1 where id = ?", {exempt});
    SeedData::equipmentLine(exempt, QStringLiteral("P-2"), 89.95);
    SeedData::payment(exempt, QStringLiteral("Check"), 89.95);
    SeedData::equipmentLine(closedOn(QDate(2026, 4, 1)), QStringLiteral("P-2"), 5);
    SeedData::equipmentLine(SeedData::ticket(customer, QStringLiteral("Open")), QStringLiteral("P-3"), 5);

    const QString path = dir.filePath(QStringLiteral("tickets.csv"));
    QString error;
    int rows = 0;
    ASSERT_TRUE(TableExport::ExportTickets(QDate(2026, 3, 1), QDate(2026, 3, 31), path, &error, &rows))
        << error.toStdString();
    EXPECT_EQ(rows, 7);
    const auto file = CsvFile::Read(path, &error);
    ASSERT_TRUE(file) << error.toStdString();
    ASSERT_EQ(file->records.size(), 7);
    QStringList kinds;
    for (const CsvFile::Record &record : file->records)
        kinds << record.fields[5];
    EXPECT_EQ(kinds, (QStringList{"equipment", "labor", "fee", "tax", "payment", "equipment", "payment"}));
    EXPECT_EQ(file->records[0].fields[1], QStringLiteral("2026-03-31 15:30:00"));
    EXPECT_EQ(file->records[0].fields[3], QStringLiteral("Smith"));
    EXPECT_EQ(file->records[0].fields[10], QStringLiteral("2"));
    EXPECT_EQ(file->records[0].fields[11], QStringLiteral("199.99"));
    EXPECT_EQ(file->records[2].fields[11], QStringLiteral("12.00")); // a tenth of the labor
    EXPECT_EQ(file->records[3].fields[11], QStringLiteral("43.89")); // 8.25 % of 531.98
    EXPECT_EQ(file->records[4].fields[11], QStringLiteral("500.00"));
    EXPECT_EQ(file->records[5].fields[0], file->records[6].fields[0]);

    // Equipment, labor, fee and tax add up to the total the sales summary shows.
    qint64 charged = 0;
    for (int r = 0; r < 4; ++r) {
        const qint64 price = qRound64(file->records[r].fields[11].toDouble() * 100);
        charged += file->records[r].fields[10].isEmpty() ? price : price * file->records[r].fields[10].toLongLong();
    }
    const auto summary = Database::GetRS(
        QStringLiteral("select tickettotal from vw_salesreport_actualcash where salesid = ?"), {inside});
    ASSERT_TRUE(summary && summary->rowCount() == 1);
    EXPECT_EQ(charged, qRound64(summary->value(0, 0).toDouble() * 100));
    EXPECT_EQ(charged, 57587);

    // The accountant's workbook holds the same rows, money and times as numbers a spreadsheet adds up.
    const QString book = dir.filePath(QStringLiteral("tickets.xlsx"));
    ASSERT_TRUE(TableExport::ExportTickets(QDate(2026, 3, 1), QDate(2026, 3, 31), book, &error)) << error.toStdString();
    const QString sheet = unzipped(book, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"L2\" s=\"\\d+\"><v>199.99</v>"))))
        << sheet.toStdString();
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"L6\" s=\"\\d+\"><v>500</v>"))));
    const int day = int(QDate(1899, 12, 30).daysTo(QDate(2026, 3, 31)));
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"B2\" s=\"\\d+\"><v>%1\\.6458").arg(day))))
        << "the close time is a date and time, not text";
    EXPECT_TRUE(unzipped(book, QStringLiteral("xl/workbook.xml")).contains(QStringLiteral("name=\"tickets\"")));
}

INSTANTIATE_TEST_SUITE_P(Engines, TableExportTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
