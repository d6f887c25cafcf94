// A shop's database file that can take no more (a full disk) or may not be
// written at all (read-only): every change is refused with the reason, and
// what was stored before stays whole.
#include "customers/CustomerStore.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "print/PdfSurface.h"
#include "sales/TicketLines.h"
#include "sales/TicketStore.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <gtest/gtest.h>

namespace {

using namespace SeedData;

class StorageFaults : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(Engine::SQLite);
        part = product(QStringLiteral("111"), QStringLiteral("P-1"), 10, 5);
        ticketId = ticket(customer(QStringLiteral("Ann"), QStringLiteral("O'Neil")));
        equipmentLine(ticketId, QStringLiteral("P-1"), 10, 2);
        ASSERT_EQ(TicketStore::SaveField(ticketId, TicketStore::TicketField::Note, QStringLiteral("brake light")),
                  TicketChange::Done);
        customers = count(QStringLiteral("customer"));
    }
    void TearDown() override { Database::SetOverride(std::nullopt); }

    // The file may not grow past the pages it has now, as on a full disk.
    void fillTheDisk()
    {
        const auto pages = Database::GetRS(QStringLiteral("pragma page_count"));
        ASSERT_TRUE(pages.has_value());
        ASSERT_TRUE(
            Database::GetRS(QStringLiteral("pragma max_page_count = %1").arg(pages->value(0, 0).toInt())).has_value());
    }

    void expectNothingLost()
    {
        EXPECT_EQ(value(QStringLiteral("select status from sales where id = ?"), {ticketId}).toString(),
                  QStringLiteral("Open"));
        EXPECT_EQ(value(QStringLiteral("select note from sales where id = ?"), {ticketId}).toString(),
                  QStringLiteral("brake light"));
        EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {part}).toDouble(), 5);
        EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
        EXPECT_EQ(count(QStringLiteral("customer")), customers);
    }

    RecordingPrompts prompts;
    int part = 0, ticketId = 0;
    int customers = 0;
};

TEST_F(StorageFaults, AFullDatabaseRefusesChangesWithTheReasonAndKeepsWhatItHas)
{
    fillTheDisk();
    const QString longNote(200000, QLatin1Char('x'));
    EXPECT_EQ(TicketStore::SaveField(ticketId, TicketStore::TicketField::Note, longNote), TicketChange::Failed);
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Execute:"))) << prompts.lastMessage().toStdString();
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("full"))) << prompts.lastMessage().toStdString();

    // A new customer is several statements in one unit: none of it lands.
    CustomerRecord record;
    record.firstName = QStringLiteral("Bea");
    record.lastName = QStringLiteral("Long");
    record.address1 = longNote;
    EXPECT_NE(CustomerStore::Save(&record), CustomerStore::SaveResult::Saved);
    EXPECT_EQ(record.id, 0);
    expectNothingLost();

    // Room again (the disk was cleared): the same counter goes on working.
    ASSERT_TRUE(Database::GetRS(QStringLiteral("pragma max_page_count = 1073741823")).has_value());
    EXPECT_EQ(TicketStore::CloseTicket(ticketId), TicketChange::Done);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {part}).toDouble(), 3);
}

TEST_F(StorageFaults, AReadOnlyDatabaseShowsItsTicketsAndRefusesEveryChange)
{
    const Database::ConnectionSettings writable = Database::CurrentSettings();
    Database::ConnectionSettings s = writable;
    s.readOnly = true;
    Database::SetOverride(s);

    const auto header = TicketStore::LoadHeader(ticketId);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->note, QStringLiteral("brake light"));
    EXPECT_TRUE(prompts.messages.isEmpty());

    EXPECT_EQ(TicketStore::SaveField(ticketId, TicketStore::TicketField::Note, QStringLiteral("new")),
              TicketChange::Failed);
    EXPECT_EQ(TicketStore::CloseTicket(ticketId), TicketChange::Failed);
    EXPECT_EQ(TicketLines::AddTicketLine(ticketId, QStringLiteral("111"), TicketLines::Source::Barcode),
              TicketLines::Result::Failed);
    EXPECT_EQ(TicketStore::DeleteTicket(ticketId), TicketChange::Failed);
    ASSERT_FALSE(prompts.messages.isEmpty());
    for (const QString &m : prompts.messages)
        EXPECT_TRUE(m.startsWith(QStringLiteral("Execute:")) && m.contains(QStringLiteral("readonly")))
            << m.toStdString();

    Database::SetOverride(writable);
    expectNothingLost();
}

TEST_F(StorageFaults, WritingADocumentOrBackupToAFullDeviceFailsAndSaysSo)
{
    PdfSurface pdf(QStringLiteral("/dev/full"));
    EXPECT_FALSE(pdf.begin(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()),
                           QStringLiteral("Invoice")));
    EXPECT_TRUE(pdf.errorString().contains(QStringLiteral("/dev/full"))) << pdf.errorString().toStdString();

    const Backup::Result backup = Backup::Create(QStringLiteral("/dev/full"));
    EXPECT_FALSE(backup.ok);
    EXPECT_TRUE(backup.message.contains(QStringLiteral("/dev/full"))) << backup.message.toStdString();
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile()) << "the device was replaced by a file";
}

} // namespace
