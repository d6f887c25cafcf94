// The program run from the command line: documents as PDF files, reports as
// spreadsheets, backups and restores, with clear errors and no file when
// something is wrong.
#include "tests/app/ProgramRun.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

TEST_F(BatchCommandTest, EveryDocumentIsWrittenWithTheFiguresOfTheShop)
{
    // Demo ticket 5 was closed two days before the fixed "now".
    const QString invoice = file(QStringLiteral("a5.pdf"));
    ASSERT_EQ(document(invoice, {QStringLiteral("invoice"), QStringLiteral("5")}).exitCode, 0);
    const QString inv = text(invoice);
    EXPECT_TRUE(inv.contains(QStringLiteral("Customer Invoice #A0005")));
    EXPECT_TRUE(inv.contains(QStringLiteral("Total: 668.40"))) << inv.toStdString();
    EXPECT_TRUE(inv.contains(QStringLiteral("12/7/2026 3:00:00 PM")));

    const QString weekly = file(QStringLiteral("week.pdf"));
    ASSERT_EQ(document(weekly, {QStringLiteral("weekly-summary"), QStringLiteral("2026-12-01")}).exitCode, 0);
    const QString week = text(weekly);
    EXPECT_TRUE(week.contains(QStringLiteral("Weekly Sales Summary for Week of")));
    EXPECT_TRUE(week.contains(QStringLiteral("668.40")));

    const QString monthly = file(QStringLiteral("month.pdf"));
    ASSERT_EQ(document(monthly, {QStringLiteral("monthly-summary"), QStringLiteral("2026-12")}).exitCode, 0);
    const QString month = text(monthly);
    EXPECT_TRUE(month.contains(QStringLiteral("Monthly Sales Summary for December 2026")));
    // The six tickets closed from 12/1 to 12/6: parts 269.98 + 104.97 + 214.98
    // + 0 + 534.96 + 100.00, labor 150 + 60 + 120 + 100 + 75 + 140, a shop fee
    // of a tenth of the labor, tax at 8.25% per ticket (the church van exempt)
    // of 35.89 + 14.11 + 0 + 9.08 + 50.94 + 20.96.
    EXPECT_TRUE(month.contains(QStringLiteral("Total Sales: 1224.89 645.00 64.50 130.98 2065.37")))
        << month.toStdString();

    const QString daily = file(QStringLiteral("day.pdf"));
    ASSERT_EQ(document(daily, {QStringLiteral("daily-summary"), QStringLiteral("2026-12-05")}).exitCode, 0);
    const QString day = text(daily);
    EXPECT_TRUE(day.contains(QStringLiteral("Daily Sales Summary for 12/05/2026")));
    // Ticket 5 alone: parts 429.99 + 19.99 + 14.99 + 69.99, one head unit
    // installed for 75.00, its fee 7.50, tax 8.25% of 617.46.
    EXPECT_TRUE(day.contains(QStringLiteral("5 12/05/26 534.96 75.00 7.50 50.94 668.40"))) << day.toStdString();
    EXPECT_TRUE(day.contains(QStringLiteral("Total Sales: 534.96 75.00 7.50 50.94 668.40"))) << day.toStdString();

    const QString product = file(QStringLiteral("product.pdf"));
    ASSERT_EQ(document(product, {QStringLiteral("product-sales"), QStringLiteral("2026-12-05")}).exitCode, 0);
    const QString products = text(product);
    EXPECT_TRUE(products.contains(QStringLiteral("Daily Product Sales for 12/05/2026")));
    // Ticket 5's four goods, one each, by model number.
    EXPECT_TRUE(products.contains(QStringLiteral("DD-700 1 429.99 DK-99 1 19.99 SWC-2 1 69.99 WH-70 1 14.99")))
        << products.toStdString();

    const QString stock = file(QStringLiteral("stock.pdf"));
    ASSERT_EQ(document(stock, {QStringLiteral("inventory")}).exitCode, 0);
    const QString inventory = text(stock);
    EXPECT_TRUE(inventory.contains(QStringLiteral("Product Inventory as of 12/7/2026")));
    // 100 rolls less the four sold on ticket 6; a margin of (25 - 5) / 25.
    EXPECT_TRUE(inventory.contains(
        QStringLiteral("Window Tint WF-20 Window film roll, 20% (per window) 96 29.99 25.00 5.00 80 0 96")))
        << inventory.toStdString();
    // Today's open ticket holds one MD-100; the gift box shares its part
    // number, so it shows the same one reserved.
    EXPECT_TRUE(inventory.contains(
        QStringLiteral("Accessories MD-100G Phone mount, magnetic (gift box) 10 29.99 22.99 7.00 70 1 9")))
        << inventory.toStdString();
    // The head unit: five less the one sold on ticket 5, none reserved, a
    // margin of 219.99 / 429.99.
    EXPECT_TRUE(
        inventory.contains(QStringLiteral("DD-700 Double-DIN touchscreen receiver 4 499.99 429.99 210.00 51 0 4")))
        << inventory.toStdString();

    // The demo has no time clock; one shift of Maria's (employee 1, 25.00
    // an hour) on 5 January, 8:00 to 16:30, is the payroll's figure.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("batch-shift"));
        db.setDatabaseName(database());
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        ASSERT_TRUE(q.prepare(QStringLiteral("insert into TimeInOut (employeeid, timein, timeout) values (?, ?, ?)")));
        q.addBindValue(1);
        q.addBindValue(QStringLiteral("2026-01-05 08:00:00"));
        q.addBindValue(QStringLiteral("2026-01-05 16:30:00"));
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("batch-shift"));

    const QString pay = file(QStringLiteral("pay.pdf"));
    ASSERT_EQ(document(pay,
                       {QStringLiteral("payroll"), QStringLiteral("1"), QStringLiteral("2026"),
                        QStringLiteral("semimonthly")})
                  .exitCode,
              0);
    const QString payroll = text(pay);
    EXPECT_TRUE(payroll.contains(QStringLiteral("Payroll and Withholdings for 2026")));
    EXPECT_TRUE(payroll.contains(QStringLiteral("Employee: Lopez,Maria")));
    // 8.5 hours at 25.00 in the first half of January, nothing in the second;
    // the first quarter holds those hours alone.
    EXPECT_TRUE(payroll.contains(QStringLiteral("Jan 1-15 08.50 25 $212.50 Jan 16-31 00.00"))) << payroll.toStdString();
    EXPECT_TRUE(payroll.contains(QStringLiteral("Quarter 1 08.50"))) << payroll.toStdString();
}

TEST_F(BatchCommandTest, WrongArgumentsSayWhatWasExpectedAndWriteNothing)
{
    const QString pdf = file(QStringLiteral("never.pdf"));
    const ProgramRun badDate = document(pdf, {QStringLiteral("daily-summary"), QStringLiteral("2026-02-30")});
    EXPECT_EQ(badDate.exitCode, 2);
    EXPECT_TRUE(badDate.errors.contains(QStringLiteral("YYYY-MM-DD")));
    const ProgramRun noTicket = document(pdf, {QStringLiteral("invoice"), QStringLiteral("999")});
    EXPECT_EQ(noTicket.exitCode, 3) << "nothing to print, for a reason of the shop's data";
    EXPECT_TRUE(noTicket.errors.contains(QStringLiteral("there is no ticket 999")));
    const ProgramRun notANumber = document(pdf, {QStringLiteral("invoice"), QStringLiteral("7;drop")});
    EXPECT_EQ(notANumber.exitCode, 2);
    const ProgramRun unknown = document(pdf, {QStringLiteral("balance-sheet")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.errors.contains(QStringLiteral("unknown document")));
    const ProgramRun empty = document(pdf, {QStringLiteral("daily-summary"), QStringLiteral("2020-01-01")});
    EXPECT_EQ(empty.exitCode, 3);
    EXPECT_TRUE(empty.errors.contains(QStringLiteral("No sales found for ")));
    EXPECT_FALSE(QFile::exists(pdf));
    const ProgramRun missing = tessaly({QStringLiteral("--database"), file(QStringLiteral("absent.db")),
                                        QStringLiteral("--pdf"), pdf, QStringLiteral("inventory")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("absent.db")))) << "never a new empty database";
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(BatchCommandTest, LabelsOfProductsGoOnASheetFromTheChosenPosition)
{
    const QString pdf = file(QStringLiteral("labels.pdf"));
    const ProgramRun made = document(pdf,
                                     {QStringLiteral("labels"), QStringLiteral("5160"), QStringLiteral("@29"),
                                      QStringLiteral("1"), QStringLiteral("8"), QStringLiteral("1")});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    EXPECT_TRUE(made.errors.contains(QStringLiteral("(2 page(s))"))) << made.errors.toStdString();
    const QString labels = text(pdf);
    EXPECT_TRUE(labels.contains(QStringLiteral("RS-2W $199.99"))) << labels.toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("Double-DIN touchscreen receiver"))) << labels.toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("012345000086")));

    const QString never = file(QStringLiteral("no-labels.pdf"));
    for (const QStringList &bad :
         {QStringList{QStringLiteral("labels"), QStringLiteral("5161"), QStringLiteral("1")},
          QStringList{QStringLiteral("labels"), QStringLiteral("5160")},
          QStringList{QStringLiteral("labels"), QStringLiteral("5160"), QStringLiteral("@31"), QStringLiteral("1")},
          QStringList{QStringLiteral("labels"), QStringLiteral("5163"), QStringLiteral("@0"), QStringLiteral("1")},
          QStringList{QStringLiteral("labels"), QStringLiteral("5160"), QStringLiteral("@3")},
          QStringList{QStringLiteral("labels"), QStringLiteral("5160"), QStringLiteral("1;drop")}}) {
        const ProgramRun run = document(never, bad);
        EXPECT_EQ(run.exitCode, 2) << bad.join(QLatin1Char(' ')).toStdString();
    }
    const ProgramRun missing = document(never,
                                        {QStringLiteral("labels"), QStringLiteral("5160"), QStringLiteral("999")});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_TRUE(missing.errors.contains(QStringLiteral("there is no product 999")));
    EXPECT_FALSE(QFile::exists(never));
}

TEST_F(BatchCommandTest, BackupAndRestoreFromTheCommandLine)
{
    const QString backup = file(QStringLiteral("shop.tessaly-backup"));
    const ProgramRun made = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"), backup});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    EXPECT_TRUE(made.errors.contains(QStringLiteral("Backup written to")));
    const ProgramRun unconfirmed = tessaly(
        {QStringLiteral("--database"), database(), QStringLiteral("--restore"), backup});
    EXPECT_EQ(unconfirmed.exitCode, 2);
    EXPECT_TRUE(unconfirmed.errors.contains(QStringLiteral("--yes")));
    const ProgramRun restored = tessaly(
        {QStringLiteral("--database"), database(), QStringLiteral("--restore"), backup, QStringLiteral("--yes")});
    EXPECT_EQ(restored.exitCode, 0) << restored.errors.toStdString();
    const ProgramRun self = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"), database()});
    EXPECT_EQ(self.exitCode, 1);
    QFile junk(file(QStringLiteral("junk.txt")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a database");
    junk.close();
    const ProgramRun refused = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--restore"),
                                        junk.fileName(), QStringLiteral("--yes")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("not a Tessaly backup")));
}

TEST_F(BatchCommandTest, HelpListsTheDocuments)
{
    QProcess p;
    p.start(QStringLiteral(TESSALY_BINARY), {QStringLiteral("--help")});
    p.waitForFinished(10000);
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0);
    for (const char *doc :
         {"invoice", "daily-summary", "weekly-summary", "monthly-summary", "product-sales", "inventory", "payroll",
          "--backup", "--restore", "--csv", "--import", "--export", "--update-existing", "--dry-run"})
        EXPECT_TRUE(help.contains(QLatin1String(doc))) << doc;
}

// --csv: the reports of --pdf as spreadsheets, the same refusals, and the
// invoice and labels refused as no reports.
TEST_F(BatchCommandTest, ReportsGoOutAsSpreadsheetsWithTheSameChecks)
{
    const auto csv = [](const QString &path, const QStringList &doc) {
        return tessaly(QStringList{QStringLiteral("--database"), database(), QStringLiteral("--csv"), path} + doc);
    };
    const QString month = file(QStringLiteral("month.csv"));
    const ProgramRun made = csv(month, {QStringLiteral("monthly-summary"), QStringLiteral("2026-12")});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    QFile f(month);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString sheet = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(
        sheet.contains(QStringLiteral("\"Total\",\"\",\"1224.89\",\"645.00\",\"64.50\",\"130.98\",\"2065.37\"")))
        << sheet.toStdString();
    const QString book = file(QStringLiteral("stock.xlsx"));
    EXPECT_EQ(csv(book, {QStringLiteral("inventory")}).exitCode, 0);
    QFile workbook(book);
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_TRUE(workbook.read(2) == "PK") << "a workbook, not a comma-separated file";

    const QString never = file(QStringLiteral("never.csv"));
    for (const QStringList &noReport :
         {QStringList{QStringLiteral("invoice"), QStringLiteral("5")},
          QStringList{QStringLiteral("labels"), QStringLiteral("5160"), QStringLiteral("1")}}) {
        const ProgramRun refused = csv(never, noReport);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(refused.errors.contains(QStringLiteral("is not a report"))) << refused.errors.toStdString();
    }
    EXPECT_EQ(csv(never, {QStringLiteral("daily-summary"), QStringLiteral("2026-02-30")}).exitCode, 2);
    EXPECT_EQ(csv(never, {QStringLiteral("balance-sheet")}).exitCode, 2);
    const ProgramRun nobody = csv(
        never, {QStringLiteral("payroll"), QStringLiteral("777"), QStringLiteral("2026"), QStringLiteral("weekly")});
    EXPECT_EQ(nobody.exitCode, 3);
    EXPECT_TRUE(nobody.errors.contains(QStringLiteral("there is no employee 777")));
    EXPECT_EQ(csv(never, {QStringLiteral("daily-summary"), QStringLiteral("2020-01-01")}).exitCode, 3);
    EXPECT_FALSE(QFile::exists(never));
    const auto digest = [] {
        QFile db(database());
        return db.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(db.readAll(), QCryptographicHash::Sha256)
                                            : QByteArray();
    };
    const QByteArray before = digest();
    EXPECT_EQ(csv(database(), {QStringLiteral("inventory")}).exitCode, 1) << "never over the database";
    EXPECT_EQ(digest(), before);
}

// A copy of the demo shop for the tests that change it.
QString shopCopy(const QString &demo, const QString &copy)
{
    QFile::remove(copy);
    EXPECT_TRUE(QFile::copy(demo, copy));
    return copy;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path;
}

QVariant valueIn(const QString &db, const QString &sql)
{
    QVariant value;
    {
        QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("batch-read"));
        c.setDatabaseName(db);
        EXPECT_TRUE(c.open());
        QSqlQuery q(c);
        if (q.exec(sql) && q.next())
            value = q.value(0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("batch-read"));
    return value;
}

TEST_F(BatchCommandTest, ImportChecksEveryRowAndRecordsItself)
{
    const QString db = shopCopy(database(), file(QStringLiteral("import.db")));
    const qint64 before = valueIn(db, QStringLiteral("select count(*) from customer")).toLongLong();
    const QString bad = writeFile(file(QStringLiteral("bad.csv")),
                                  "First,Last,Phone\nAnn,Import,5125550123\n"
                                  "Bob,Import,12\n");
    const ProgramRun refused = tessaly({"--database", db, "--import", "customers", bad});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("line 3, Phone:"))) << refused.errors.toStdString();
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("bad.errors.csv"))));
    EXPECT_EQ(valueIn(db, QStringLiteral("select count(*) from customer")).toLongLong(), before);

    const QString good = writeFile(file(QStringLiteral("good.csv")),
                                   "First,Last,Phone\nAnn,Import,5125550123\n"
                                   "Bob,Import,512 555 0124\n");
    const ProgramRun dry = tessaly({"--database", db, "--import", "customers", good, "--dry-run"});
    EXPECT_EQ(dry.exitCode, 0) << dry.errors.toStdString();
    EXPECT_TRUE(dry.errors.contains(QStringLiteral("nothing written yet: 2 to add"))) << dry.errors.toStdString();
    EXPECT_EQ(valueIn(db, QStringLiteral("select count(*) from customer")).toLongLong(), before);

    const ProgramRun done = tessaly({"--database", db, "--import", "customers", good});
    EXPECT_EQ(done.exitCode, 0) << done.errors.toStdString();
    EXPECT_EQ(valueIn(db, QStringLiteral("select count(*) from customer")).toLongLong(), before + 2);
    EXPECT_EQ(valueIn(db, QStringLiteral("select who from auditlog where action = 'import'")).toString(),
              QStringLiteral("command line"));

    const ProgramRun again = tessaly({"--database", db, "--import", "customers", good, "--update-existing"});
    EXPECT_EQ(again.exitCode, 0) << again.errors.toStdString();
    EXPECT_TRUE(again.errors.contains(QStringLiteral("0 added, 2 updated"))) << again.errors.toStdString();
}

TEST_F(BatchCommandTest, ExportWritesTablesAndClosedTickets)
{
    const QString customers = file(QStringLiteral("customers.csv"));
    const ProgramRun table = tessaly({"--database", database(), "--export", "customers", customers});
    EXPECT_EQ(table.exitCode, 0) << table.errors.toStdString();
    EXPECT_TRUE(QFile::exists(customers));
    const QString tickets = file(QStringLiteral("tickets.csv"));
    const ProgramRun closed = tessaly(
        {"--database", database(), "--export", "tickets", tickets, "2026-12-01", "2026-12-07"});
    EXPECT_EQ(closed.exitCode, 0) << closed.errors.toStdString();
    QFile f(tickets);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("\"0005\""));
}

TEST_F(BatchCommandTest, ImportAndExportArgumentsAreCheckedFirst)
{
    const QString out = file(QStringLiteral("never.csv"));
    const QList<QStringList> wrong = {
        {"--import", "people", out},
        {"--import", "customers"},
        {"--import", "customers", file(QStringLiteral("absent.csv"))},
        {"--export", "customers", out, "--dry-run"},
        {"--export", "tickets", out, "2026-12-01"},
        {"--export", "tickets", out, "2026-12-07", "2026-12-01"},
        {"--export", "labor", out, "2026-12-01"},
    };
    for (const QStringList &args : wrong) {
        const ProgramRun run = tessaly(QStringList{"--database", database()} + args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString() << run.errors.toStdString();
        EXPECT_FALSE(run.errors.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
