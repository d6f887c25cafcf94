// What the gate lets through and what it writes down: the lockout after
// wrong PINs, and the audit log of the steps behind it.
#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "gate/AdminGate.h"
#include "sales/TicketLines.h"
#include "sales/TicketStore.h"
#include "tests/gate/RefusedWrites.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

class OnePin : public PinSource
{
public:
    explicit OnePin(QString pin) : m_pin(std::move(pin)) { }
    std::optional<QString> askPin() override { return m_pin; }

private:
    QString m_pin;
};

class GateAudit : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        at(QStringLiteral("2026-12-08 09:00:00"));
        ann = SeedData::employee(QStringLiteral("Ann"), QStringLiteral("Admin"), QStringLiteral("4242"),
                                 QStringLiteral("admin"));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }
    static void at(const QString &moment)
    {
        Clock::setFixed(QDateTime::fromString(moment, QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    static std::optional<QString> pass(const QString &pin)
    {
        OnePin source(pin);
        return AdminGate::Pass(source);
    }
    static QStringList actions()
    {
        QStringList all;
        const auto entries = AuditLog::Entries(QDate(2026, 1, 1), QDate(2027, 1, 1));
        for (const AuditLog::Entry &e : entries.value())
            all.prepend(e.who + QLatin1Char('/') + e.action + QLatin1Char('/') + e.subject);
        return all;
    }
    RecordingPrompts prompts;
    int ann = 0;
};

TEST_P(GateAudit, TheSixthWrongPinIsLockedOutAtEveryConnectionOfTheCounter)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(pass(QStringLiteral("1111")));
    Database::CloseConnections(); // the program started again
    std::thread other([] {
        for (int i = 0; i < 2; ++i)
            pass(QStringLiteral("2222"));
        Database::CloseConnections();
    });
    other.join();
    EXPECT_EQ(prompts.messages, QStringList(5, QStringLiteral("Invalid PIN")));

    prompts.messages.clear();
    at(QStringLiteral("2026-12-08 09:00:30"));
    EXPECT_FALSE(pass(QStringLiteral("4242"))) << "even the right PIN, while the gate is shut";
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Too many wrong PINs: try again in a minute")});

    at(QStringLiteral("2026-12-08 09:01:01"));
    EXPECT_EQ(pass(QStringLiteral("4242")), QStringLiteral("Ann Admin (#%1)").arg(ann));
    EXPECT_EQ(actions().count(QStringLiteral("/PIN refused/")), 5) << "the PINs typed are never written down";
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from auditlog where details like '%1111%'")).toInt(), 0);
}

TEST_P(GateAudit, EachWrongPinAfterALockoutShutsTheGateTwiceAsLong)
{
    for (int i = 0; i < 5; ++i)
        pass(QStringLiteral("1"));
    at(QStringLiteral("2026-12-08 09:01:00"));
    pass(QStringLiteral("1")); // open again, and wrong again
    prompts.messages.clear();
    at(QStringLiteral("2026-12-08 09:01:30"));
    EXPECT_FALSE(pass(QStringLiteral("4242")));
    at(QStringLiteral("2026-12-08 09:02:30"));
    EXPECT_FALSE(pass(QStringLiteral("4242")));
    EXPECT_EQ(prompts.messages,
              (QStringList{QStringLiteral("Too many wrong PINs: try again in 2 minutes"),
                           QStringLiteral("Too many wrong PINs: try again in a minute")}));
    at(QStringLiteral("2026-12-08 09:03:00"));
    EXPECT_TRUE(pass(QStringLiteral("4242")));
    at(QStringLiteral("2026-12-08 09:03:01"));
    EXPECT_FALSE(pass(QStringLiteral("1"))) << "a wrong PIN after the gate opened counts afresh";
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Invalid PIN"));
}

// When the log can't take a row, a wrong PIN would never count towards the
// lockout: then the gate opens for nobody, and says why in the same words
// whether the PIN was right or wrong.
TEST_P(GateAudit, APinWhoseOutcomeCantBeRecordedOpensNothingAndSaysWhy)
{
    {
        const RefusedWrites readOnly(GetParam());
        ASSERT_TRUE(readOnly.ok);
        EXPECT_FALSE(pass(QStringLiteral("1111")));
        EXPECT_FALSE(pass(QStringLiteral("4242")));
    }
    ASSERT_EQ(prompts.messages.size(), 2) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    const QString said = prompts.messages[0];
    EXPECT_TRUE(said.startsWith(QStringLiteral("The audit log could not be written, so the gate stays shut: ")))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("readonly")) || said.contains(QStringLiteral("read-only")))
        << "the database's reason: " << said.toStdString();
    EXPECT_EQ(prompts.messages[1], said) << "a right PIN is told apart from a wrong one by nothing";
    EXPECT_EQ(SeedData::count(QStringLiteral("auditlog")), 0);

    prompts.clear();
    EXPECT_EQ(pass(QStringLiteral("4242")), QStringLiteral("Ann Admin (#%1)").arg(ann)) << "written again";
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(GateAudit, AReopenALineRemovedAndTheFinalizeNameTheAdministrator)
{
    const int customer = SeedData::customer(QStringLiteral("Cal"), QStringLiteral("Tran"));
    const int ticket = SeedData::ticket(customer, QStringLiteral("Close"));
    const int line = SeedData::equipmentLine(ticket, QStringLiteral("AMP-1"), 120);
    SeedData::equipmentLine(ticket, QStringLiteral("SPK-2"), 80);

    const std::optional<QString> admin = pass(QStringLiteral("4242"));
    ASSERT_TRUE(admin);
    {
        const AuditLog::Acting acting(*admin);
        ASSERT_EQ(TicketStore::ReopenTicket(ticket), TicketChange::Done);
    }
    // The clerk at the counter takes the line off and finalizes: the log
    // still names who re-opened the ticket.
    ASSERT_EQ(TicketLines::RemoveEquipmentLine(ticket, line), TicketLines::Result::Done);
    ASSERT_EQ(TicketStore::CloseTicket(ticket), TicketChange::Done);

    const QString who = QStringLiteral("Ann Admin (#%1)").arg(ann);
    const QString subject = QStringLiteral("ticket %1").arg(ticket);
    EXPECT_EQ(actions(),
              (QStringList{who + QStringLiteral("/gate opened/"), who + QStringLiteral("/re-open/") + subject,
                           who + QStringLiteral("/line removed/") + subject,
                           who + QStringLiteral("/finalize after re-open/") + subject}));
    const auto removed = AuditLog::Entries(QDate(2026, 12, 8), QDate(2026, 12, 8), AuditLog::kLineRemoved);
    ASSERT_TRUE(removed && removed->size() == 1);
    EXPECT_TRUE(removed->first().details.contains(QStringLiteral("partnumber=AMP-1")))
        << removed->first().details.toStdString();
}

// A ticket re-opened, its tax dropped and then deleted: the log keeps what it
// held, so the money taken off can be read back.
TEST_P(GateAudit, ADeletedOrReclosedTicketLeavesItsLinesAndTheTaxChangeInTheLog)
{
    const int customer = SeedData::customer(QStringLiteral("Cal"), QStringLiteral("Tran"));
    const int ticket = SeedData::ticket(customer, QStringLiteral("Close"));
    SeedData::equipmentLine(ticket, QStringLiteral("AMP-1"), 120);
    const AuditLog::Acting acting(QStringLiteral("Ann Admin (#1)"));
    ASSERT_EQ(TicketStore::ReopenTicket(ticket), TicketChange::Done);
    ASSERT_EQ(TicketStore::SetTaxExempt(ticket, true), TicketChange::Done);
    ASSERT_EQ(TicketStore::SetTaxExempt(ticket, true), TicketChange::Done); // unchanged: nothing more
    ASSERT_EQ(TicketStore::CloseTicket(ticket), TicketChange::Done);
    ASSERT_EQ(TicketStore::ReopenTicket(ticket), TicketChange::Done);
    ASSERT_EQ(TicketStore::DeleteTicket(ticket), TicketChange::Done);

    const auto entriesOf = [](const QString &action) {
        return AuditLog::Entries(QDate(2026, 12, 8), QDate(2026, 12, 8), action).value();
    };
    const auto exempt = entriesOf(AuditLog::kTaxExemptChanged);
    ASSERT_EQ(exempt.size(), 1);
    EXPECT_EQ(exempt.first().details, QStringLiteral("before: TaxExempt=0\nafter: TaxExempt=1"));
    const auto closed = entriesOf(AuditLog::kFinalizeAfterReopen);
    ASSERT_EQ(closed.size(), 1);
    EXPECT_TRUE(closed.first().details.contains(QStringLiteral("equipment: ")) &&
                closed.first().details.contains(QStringLiteral("partnumber=AMP-1")))
        << closed.first().details.toStdString();
    const auto deleted = entriesOf(AuditLog::kTicketDelete);
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_TRUE(deleted.first().details.startsWith(QStringLiteral("1 equipment lines, 0 labor lines, 0 payments\n")) &&
                deleted.first().details.contains(QStringLiteral("price=120")))
        << deleted.first().details.toStdString();
}

TEST_P(GateAudit, AnActionRolledBackLeavesNoEntry)
{
    const int customer = SeedData::customer(QStringLiteral("Cal"), QStringLiteral("Tran"));
    const int ticket = SeedData::ticket(customer, QStringLiteral("Close"));
    const AuditLog::Acting acting(QStringLiteral("Ann Admin (#1)"));
    const bool committed = Database::Transaction([&] {
        return TicketStore::ReopenTicket(ticket) == TicketChange::Done && false; // the unit is given up
    });
    EXPECT_FALSE(committed);
    EXPECT_EQ(SeedData::count(QStringLiteral("auditlog")), 0);
    EXPECT_EQ(SeedData::value(QStringLiteral("select status from sales where id = ?"), {ticket}).toString(),
              QStringLiteral("Close"));
}

TEST_P(GateAudit, TheEngineRefusesToChangeOrDeleteAnEntry)
{
    ASSERT_TRUE(AuditLog::RecordAs(AuditLog::kMaster, AuditLog::kReopen, QStringLiteral("ticket 1")));
    OtherCounter hand; // a statement typed into the engine's own shell
    ASSERT_TRUE(hand.isOpen());
    EXPECT_EQ(hand.exec(QStringLiteral("update auditlog set who = 'nobody'")), -1);
    EXPECT_EQ(hand.exec(QStringLiteral("delete from auditlog")), -1);
    EXPECT_EQ(SeedData::value(QStringLiteral("select who from auditlog")).toString(), AuditLog::kMaster);
}

INSTANTIATE_TEST_SUITE_P(Engines, GateAudit, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
