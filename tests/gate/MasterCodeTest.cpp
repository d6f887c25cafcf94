// The shop's own master code: changed behind the gate, asked twice, shared
// by every counter of the database; only active administrators open the
// gate; the reminder while the code is still the one every copy starts with.
#include "gate/MasterCode.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/Settings.h"
#include "gate/AdminGate.h"
#include "gate/DefaultCodeReminder.h"
#include "gate/MasterCodeEntry.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/ScriptedPins.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString kReminder = QStringLiteral("The master code is still the one every copy of Tessaly starts with "
                                         "(8361). Change it today: Admin \u2192 Settings \u2192 Master Code.");

class MasterCodeTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        Settings::remove(QStringLiteral("Gate"), QStringLiteral("DefaultCodeToldOn"));
        Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }

    bool pass(const QString &pin)
    {
        pins.enter(pin);
        return AdminGate::Pass().has_value();
    }
    // The entry of Admin > Settings: the PIN at its gate and the answers to
    // its boxes, as many as it asks.
    void enterNewCode(const QString &gatePin, const QList<std::optional<QString>> &answers)
    {
        pins.enter(gatePin);
        for (const std::optional<QString> &answer : answers)
            prompts.type(answer);
        MasterCodeEntry::Run();
    }
    int storedRows()
    {
        OtherCounter other;
        return other.value(QStringLiteral("select count(*) from tessaly_info where name like 'master_code%'")).toInt();
    }
    // Whether a PIN opens the gate at another counter: a connection of its own.
    bool opensElsewhere(const QString &pin)
    {
        bool opens = false;
        QThread *counter = QThread::create([&] {
            opens = AdminGate::IsAdminPin(pin);
            Database::CloseConnections();
        });
        counter->start();
        EXPECT_TRUE(counter->wait(60000));
        delete counter;
        return opens;
    }

    RecordingPrompts prompts;
    ScriptedPins pins;
};

TEST_P(MasterCodeTest, AnInactiveAdministratorOpensNothing)
{
    const int ann = SeedData::employee(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("4444"),
                                       QStringLiteral("admin"));
    Database::Execute(QStringLiteral("update employee set active = null where id = ?"), {ann});
    EXPECT_TRUE(pass(QStringLiteral("4444"))) << "active NULL counts as active";
    Database::Execute(QStringLiteral("update employee set active = 0 where id = ?"), {ann});
    EXPECT_FALSE(pass(QStringLiteral("4444")));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    Database::Execute(QStringLiteral("update employee set active = 1 where id = ?"), {ann});
    EXPECT_TRUE(pass(QStringLiteral("4444")));
}

TEST_P(MasterCodeTest, TheNewCodeOpensAtEveryCounterAndTheOldOneNowhere)
{
    ASSERT_TRUE(MasterCode::IsDefault());
    enterNewCode(QStringLiteral("8361"), {QStringLiteral("47251"), QStringLiteral(" 47251 ")});
    EXPECT_EQ(prompts.questions,
              (QStringList{QStringLiteral("The new master code (4 or 5 digits):"),
                           QStringLiteral("The new master code once more:")}));
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("The master code was changed for every counter of this "
                             "database. The old one opens nothing any more."));
    EXPECT_FALSE(MasterCode::IsDefault());
    EXPECT_EQ(storedRows(), 2);
    {
        OtherCounter other;
        const QString stored =
            other.value(QStringLiteral("select value from tessaly_info where name = 'master_code'")).toString();
        EXPECT_TRUE(stored.startsWith(QStringLiteral("$argon2"))) << "a salted hash, not the code";
        EXPECT_FALSE(stored.contains(QStringLiteral("47251")));
    }
    prompts.clear();
    EXPECT_FALSE(pass(QStringLiteral("8361")));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    EXPECT_TRUE(pass(QStringLiteral("47251")));
    EXPECT_FALSE(opensElsewhere(QStringLiteral("8361")));
    EXPECT_TRUE(opensElsewhere(QStringLiteral("47251")));
    EXPECT_FALSE(opensElsewhere(QStringLiteral("4725")));
    // The time clock takes the new code in place of an employee's PIN too.
    EXPECT_TRUE(AdminGate::IsMasterCode(QStringLiteral("47251 ")));
    EXPECT_FALSE(AdminGate::IsMasterCode(QStringLiteral("8361")));

    // Changed again, behind the gate that the new code now opens.
    enterNewCode(QStringLiteral("47251"), {QStringLiteral("9090"), QStringLiteral("9090")});
    EXPECT_TRUE(opensElsewhere(QStringLiteral("9090")));
    EXPECT_FALSE(opensElsewhere(QStringLiteral("47251")));
    EXPECT_EQ(storedRows(), 2);
}

TEST_P(MasterCodeTest, AMismatchOrABadCodeIsSaidAndNothingIsStored)
{
    const QString unchanged = QStringLiteral(" The master code was not changed.");
    enterNewCode(QStringLiteral("8361"), {QStringLiteral("1234"), QStringLiteral("1243")});
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("The two codes typed differ.") + unchanged);
    const QString length = QStringLiteral("A master code is 4 or 5 digits, "
                                          "nothing else: the PIN keypad takes no "
                                          "more than 5.")
        + unchanged;
    for (const QString &bad :
         {QStringLiteral("123"), QStringLiteral("123456"), QStringLiteral("12a4"), QStringLiteral("")}) {
        prompts.clear();
        enterNewCode(QStringLiteral("8361"), {bad});
        EXPECT_EQ(prompts.messages, QStringList{length}) << bad.toStdString();
    }
    prompts.clear();
    enterNewCode(QStringLiteral("8361"), {QStringLiteral("8361")});
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("The new master code must differ from the one every "
                                         "copy of Tessaly starts with.")
                          + unchanged});
    prompts.clear();
    SeedData::employee(QStringLiteral("Cy"), QStringLiteral("Clerk"), QStringLiteral("2222"), QStringLiteral("clerk"));
    enterNewCode(QStringLiteral("8361"), {QStringLiteral("2222")});
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("The new master code is an employee's PIN, which would let that employee "
                                         "open every gate as the master code. Choose a code no employee uses.")
                          + unchanged});
    prompts.clear();
    enterNewCode(QStringLiteral("8361"), {QStringLiteral("5555"), std::nullopt});
    EXPECT_EQ(prompts.messages, QStringList()) << "a cancelled box changes nothing and says nothing";
    enterNewCode(QStringLiteral("1111"), {});
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")}) << "behind the gate";
    EXPECT_FALSE(MasterCode::Change(QStringLiteral("12345678")));
    EXPECT_EQ(storedRows(), 0);
    EXPECT_TRUE(MasterCode::IsDefault());
    EXPECT_TRUE(opensElsewhere(QStringLiteral("8361")));
}

TEST_P(MasterCodeTest, TheReminderIsSaidOnceADayWhileTheCodeIsTheDefault)
{
    pins.enter(QStringLiteral("8361"));
    EXPECT_TRUE(DefaultCodeReminder::PassAndRemind());
    EXPECT_EQ(prompts.messages, QStringList{kReminder});
    pins.enter(QStringLiteral("8361"));
    EXPECT_TRUE(DefaultCodeReminder::PassAndRemind());
    EXPECT_EQ(prompts.messages.size(), 1) << "not again the same day";
    pins.enter(QStringLiteral("0000"));
    EXPECT_FALSE(DefaultCodeReminder::PassAndRemind());
    EXPECT_EQ(prompts.messages, (QStringList{kReminder, QStringLiteral("Invalid PIN")}));

    prompts.clear();
    Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
    pins.enter(QStringLiteral("0000"));
    EXPECT_FALSE(DefaultCodeReminder::PassAndRemind());
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")}) << "said only once the gate opened";
    pins.enter(QStringLiteral("8361"));
    EXPECT_TRUE(DefaultCodeReminder::PassAndRemind());
    EXPECT_EQ(prompts.lastMessage(), kReminder) << "the next day again";

    ASSERT_TRUE(MasterCode::Change(QStringLiteral("2468")));
    prompts.clear();
    Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(8, 0)));
    pins.enter(QStringLiteral("2468"));
    EXPECT_TRUE(DefaultCodeReminder::PassAndRemind());
    EXPECT_EQ(prompts.messages, QStringList()) << "not after the code was changed";
}

INSTANTIATE_TEST_SUITE_P(Engines, MasterCodeTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
