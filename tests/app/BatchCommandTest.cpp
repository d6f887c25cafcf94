// The program run from the command line: documents as PDF files, backups
// and restores, with clear errors and no file when something is wrong.
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct ProgramRun
{
    int exitCode = -1;
    QString errors;
};

class BatchCommandTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder() = TestEnvironment::root() + QStringLiteral("/batch");
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        // The demo shop, made once by the program itself (logo and notice too).
        const ProgramRun made = tessaly({QStringLiteral("--demo"), QStringLiteral("--pdf"), file(QStringLiteral("first.pdf")),
                                  QStringLiteral("inventory")});
        ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    }
    static QString &folder()
    {
        static QString f;
        return f;
    }
    static QString file(const QString &name) { return folder() + QLatin1Char('/') + name; }
    static QString database() { return file(QStringLiteral("demo.db")); }

    static ProgramRun tessaly(const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TESSALY_DATA_DIR"), folder());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder() + QStringLiteral("/config"));
        env.insert(QStringLiteral("TESSALY_NOW"), QStringLiteral("2026-12-07 15:00:00"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program chooses offscreen itself
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TESSALY_BINARY), args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
    }
    static ProgramRun document(const QString &pdf, const QStringList &doc)
    {
        return tessaly(QStringList{QStringLiteral("--database"), database(), QStringLiteral("--pdf"), pdf} + doc);
    }
    static QString text(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).simplified();
    }
};

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
    EXPECT_TRUE(text(monthly).contains(QStringLiteral("Monthly Sales Summary for December 2026")));

    const QString daily = file(QStringLiteral("day.pdf"));
    ASSERT_EQ(document(daily, {QStringLiteral("daily-summary"), QStringLiteral("2026-12-05")}).exitCode, 0);
    EXPECT_TRUE(text(daily).contains(QStringLiteral("Daily Sales Summary for 12/05/2026")));

    const QString product = file(QStringLiteral("product.pdf"));
    ASSERT_EQ(document(product, {QStringLiteral("product-sales"), QStringLiteral("2026-12-05")}).exitCode, 0);
    EXPECT_TRUE(text(product).contains(QStringLiteral("Daily Product Sales for 12/05/2026")));

    const QString stock = file(QStringLiteral("stock.pdf"));
    ASSERT_EQ(document(stock, {QStringLiteral("inventory")}).exitCode, 0);
    EXPECT_TRUE(text(stock).contains(QStringLiteral("Product Inventory as of 12/7/2026")));

    const QString pay = file(QStringLiteral("pay.pdf"));
    ASSERT_EQ(document(pay, {QStringLiteral("payroll"), QStringLiteral("1"), QStringLiteral("2026"),
                             QStringLiteral("semimonthly")})
                  .exitCode,
              0);
    const QString payroll = text(pay);
    EXPECT_TRUE(payroll.contains(QStringLiteral("Payroll and Withholdings for 2026")));
    EXPECT_TRUE(payroll.contains(QStringLiteral("Employee: Lopez,Maria")));
}

TEST_F(BatchCommandTest, WrongArgumentsSayWhatWasExpectedAndWriteNothing)
{
    const QString pdf = file(QStringLiteral("never.pdf"));
    const ProgramRun badDate = document(pdf, {QStringLiteral("daily-summary"), QStringLiteral("2026-02-30")});
    EXPECT_EQ(badDate.exitCode, 2);
    EXPECT_TRUE(badDate.errors.contains(QStringLiteral("YYYY-MM-DD")));
    const ProgramRun noTicket = document(pdf, {QStringLiteral("invoice"), QStringLiteral("999")});
    EXPECT_EQ(noTicket.exitCode, 1);
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
    const ProgramRun missing = tessaly({QStringLiteral("--database"), file(QStringLiteral("absent.db")), QStringLiteral("--pdf"),
                                 pdf, QStringLiteral("inventory")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("absent.db")))) << "never a new empty database";
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(BatchCommandTest, BackupAndRestoreFromTheCommandLine)
{
    const QString backup = file(QStringLiteral("shop.tessaly-backup"));
    const ProgramRun made = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"), backup});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    EXPECT_TRUE(made.errors.contains(QStringLiteral("Backup written to")));
    const ProgramRun unconfirmed = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--restore"), backup});
    EXPECT_EQ(unconfirmed.exitCode, 2);
    EXPECT_TRUE(unconfirmed.errors.contains(QStringLiteral("--yes")));
    const ProgramRun restored =
        tessaly({QStringLiteral("--database"), database(), QStringLiteral("--restore"), backup, QStringLiteral("--yes")});
    EXPECT_EQ(restored.exitCode, 0) << restored.errors.toStdString();
    const ProgramRun self = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"), database()});
    EXPECT_EQ(self.exitCode, 1);
    QFile junk(file(QStringLiteral("junk.txt")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a database");
    junk.close();
    const ProgramRun refused = tessaly(
        {QStringLiteral("--database"), database(), QStringLiteral("--restore"), junk.fileName(), QStringLiteral("--yes")});
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
    for (const char *doc : {"invoice", "daily-summary", "weekly-summary", "monthly-summary", "product-sales", "inventory",
                            "payroll", "--backup", "--restore"})
        EXPECT_TRUE(help.contains(QLatin1String(doc))) << doc;
}

} // namespace
