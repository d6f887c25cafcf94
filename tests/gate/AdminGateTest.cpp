// The administrator gate: who opens it and what never does.
#include "gate/AdminGate.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class ScriptedPin : public PinSource
{
public:
    explicit ScriptedPin(std::optional<QString> pin) : m_pin(std::move(pin)) { }
    std::optional<QString> askPin() override { return m_pin; }

private:
    std::optional<QString> m_pin;
};

class AdminGateTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    bool pass(std::optional<QString> pin)
    {
        ScriptedPin source(std::move(pin));
        return AdminGate::Pass(source).has_value();
    }
    RecordingPrompts prompts;
};

TEST_P(AdminGateTest, OnlyTheMasterCodeOpensWithoutAnAdministrator)
{
    SeedData::employee(QStringLiteral("Bo"), QStringLiteral("Ng"), QStringLiteral("2222"), QStringLiteral("clerk"));
    EXPECT_TRUE(pass(QStringLiteral("8361")));
    EXPECT_FALSE(pass(QStringLiteral("2222")));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
}

TEST_P(AdminGateTest, AdministratorPinsMatchTrimmedAsText)
{
    SeedData::employee(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral(" 123 "), QStringLiteral("Admin "));
    EXPECT_TRUE(pass(QStringLiteral("123")));
    EXPECT_FALSE(pass(QStringLiteral("0123")));
    EXPECT_TRUE(pass(QStringLiteral("8361")));
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_P(AdminGateTest, AnEmptyPinOrAClosedKeypadNeverOpens)
{
    SeedData::employee(QStringLiteral("Blank"), QStringLiteral("Pin"), QStringLiteral("  "), QStringLiteral("admin"));
    EXPECT_FALSE(pass(QStringLiteral("")));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    EXPECT_FALSE(pass(std::nullopt));
    EXPECT_EQ(prompts.messages.size(), 1) << "closing the keypad says nothing";
}

INSTANTIATE_TEST_SUITE_P(Engines, AdminGateTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
