// The customer store and the search rules against real databases: what the
// list shows and narrows to, what a save writes, when a delete is refused.
#include "customers/CustomerStore.h"
#include "customers/CustomerList.h"
#include "customers/PhoneNumber.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "tests/customers/CustomerFixtures.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class CustomerStoreTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    void TearDown() override { CustomerFixtures::AllowChanges(GetParam()); }

    // The customers the search list shows for a filter, in list order.
    CustomerList listed(const CustomerFilter &filter = CustomerFilter())
    {
        const auto rs = CustomerStore::ReadListPage(filter, CustomerListOrder(), 0, 1000);
        EXPECT_TRUE(rs);
        return rs ? CustomerList::fromRecordset(*rs) : CustomerList();
    }

    QStringList lastNames(const CustomerFilter &filter)
    {
        const CustomerList list = listed(filter);
        QStringList names;
        for (int i = 0; i < list.size(); ++i)
            names << list.at(i).lastName;
        return names;
    }

    RecordingPrompts prompts;
};

using CustomerFixtures::AddCustomer;

TEST_P(CustomerStoreTest, LastAndFirstNamePrefixesNarrowWithoutRegardToCase)
{
    AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    AddCustomer(QStringLiteral("beth"), QStringLiteral("smalley"));
    AddCustomer(QStringLiteral("Carl"), QStringLiteral("Jones"));
    AddCustomer(QStringLiteral("Anna"), QStringLiteral("SMYTHE"));
    AddCustomer(QStringLiteral("Ann"), QString());

    CustomerFilter f;
    EXPECT_EQ(lastNames(f), (QStringList{"", "Jones", "smalley", "Smith", "SMYTHE"}));
    f.lastName = QStringLiteral("Sm");
    EXPECT_EQ(lastNames(f), (QStringList{"smalley", "Smith", "SMYTHE"}));
    f.lastName = QStringLiteral("  sMi ");
    EXPECT_EQ(lastNames(f), (QStringList{"Smith"}));
    f.lastName = QStringLiteral("sm");
    f.firstName = QStringLiteral("a");
    EXPECT_EQ(lastNames(f), (QStringList{"Smith", "SMYTHE"}));
    f.lastName.clear();
    f.firstName = QStringLiteral("ANN");
    EXPECT_EQ(lastNames(f), (QStringList{"", "SMYTHE"}));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CustomerStoreTest, TypedQuotesPercentAndUnderscoreAreJustCharacters)
{
    AddCustomer(QStringLiteral("Dana"), QStringLiteral("O'Brien"));
    AddCustomer(QStringLiteral("Pat"), QStringLiteral("Obrien"));
    AddCustomer(QStringLiteral("Sam"), QStringLiteral("100% Audio"));
    AddCustomer(QStringLiteral("Lee"), QStringLiteral("1000 Watts"));
    AddCustomer(QStringLiteral("Max"), QStringLiteral("A_B Tint"));
    AddCustomer(QStringLiteral("Max"), QStringLiteral("AXB Tint"));

    CustomerFilter f;
    f.lastName = QStringLiteral("o'");
    EXPECT_EQ(lastNames(f), (QStringList{"O'Brien"}));
    f.lastName = QStringLiteral("100%");
    EXPECT_EQ(lastNames(f), (QStringList{"100% Audio"}));
    f.lastName = QStringLiteral("A_");
    EXPECT_EQ(lastNames(f), (QStringList{"A_B Tint"}));
    f.lastName = QStringLiteral("'; drop table customer; --");
    EXPECT_TRUE(lastNames(f).isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(lastNames(CustomerFilter()).size(), 6);
}

TEST_P(CustomerStoreTest, ThePhoneBoxSearchesTheFirstPhoneWhicheverIsPreferred)
{
    const int home = AddCustomer(QStringLiteral("A"), QStringLiteral("Home"), QStringLiteral("5125550101"), 0);
    const int work = AddCustomer(QStringLiteral("B"), QStringLiteral("Work"), QStringLiteral("7135550000"), 1);
    Database::Execute(QStringLiteral("update customer set phone2 = ? where id = ?"),
                      {QStringLiteral("5125559999"), work});
    const CustomerList list = listed();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0).phone, QStringLiteral("5125550101"));
    EXPECT_EQ(list.at(1).phone, QStringLiteral("5125559999")); // work is preferred, so shown
    CustomerFilter f;
    f.phone = QStringLiteral("512");
    const CustomerList hits = listed(f);
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(hits.at(0).id, home);
}

TEST_P(CustomerStoreTest, TheListShowsNullsAndOddPreferencesQuietly)
{
    const int id = AddCustomer(QStringLiteral("Nulls"), QStringLiteral("Everywhere"), QStringLiteral("5125550101"), 0);
    Database::Execute(QStringLiteral("update customer set PreferPhone = NULL, zipcode = NULL, firstname = NULL "
                                     "where id = ?"),
                      {id});
    AddCustomer(QStringLiteral("Three"), QStringLiteral("Out"), QStringLiteral("5125550102"), 3);
    const CustomerList list = listed();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0).lastName, QStringLiteral("Everywhere"));
    EXPECT_EQ(list.at(0).firstName, QStringLiteral(" "));
    EXPECT_EQ(list.at(0).phone, QString());
    EXPECT_EQ(list.at(0).address, QStringLiteral("1 Main St "));
    EXPECT_EQ(list.at(1).phone, QString());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CustomerStoreTest, RecentMeansTheHundredNewestIdsAndIdsPast32767Work)
{
    Database::Execute(QStringLiteral("insert into customer (id, firstname, lastname) values (?, ?, ?)"),
                      {40000, QStringLiteral("Old"), QStringLiteral("Oldest")});
    Database::Execute(QStringLiteral("insert into customer (id, firstname, lastname) values (?, ?, ?)"),
                      {40150, QStringLiteral("Mid"), QStringLiteral("Middle")});
    Database::Execute(QStringLiteral("insert into customer (id, firstname, lastname) values (?, ?, ?)"),
                      {40200, QStringLiteral("New"), QStringLiteral("Newest")});
    CustomerFilter f;
    f.recentOnly = true;
    f.maxCustomerId = CustomerStore::MaxCustomerId();
    EXPECT_EQ(f.maxCustomerId, 40200);
    EXPECT_EQ(lastNames(f), (QStringList{"Middle", "Newest"}));

    CustomerRecord r;
    ASSERT_EQ(CustomerStore::Load(40200, &r), CustomerStore::LoadResult::Loaded);
    EXPECT_EQ(r.id, 40200);
    EXPECT_EQ(r.lastName, QStringLiteral("Newest"));
}

// The list is read a page at a time as it scrolls: the pages must join
// into the whole list, in the name order and in each header's order, with
// ties in name order.
TEST_P(CustomerStoreTest, PagesJoinIntoTheWholeListInEveryOrder)
{
    const QStringList last = {"Lee", "lee", "LEE", "Abbot", "", "Zane", "o'Hara", "O'Hara", "100% Audio"};
    for (int i = 0; i < 23; ++i) {
        const int id = AddCustomer(QStringLiteral("F%1").arg(i % 4), last[i % last.size()],
                                   QStringLiteral("51255501%1").arg(i % 7), i % 5);
        Database::Execute(
            QStringLiteral("update customer set address1 = ?, zipcode = ? where id = ?"),
            {QStringLiteral("%1 Oak").arg(i % 6),
             i % 3 ? QVariant(QStringLiteral("787%1").arg(i % 2)) : QVariant(QMetaType(QMetaType::QString)), id});
    }
    const auto text = [](const CustomerListEntry &e, int column) {
        const QString texts[] = {QString(), e.lastName, e.firstName, e.phone, e.address};
        return texts[column].toLower();
    };
    for (int column = 0; column <= 4; ++column) {
        for (const bool descending : {false, true}) {
            const CustomerListOrder order{column, descending};
            const auto whole = CustomerStore::ReadListPage(CustomerFilter(), order, 0, 1000);
            ASSERT_TRUE(whole);
            const CustomerList all = CustomerList::fromRecordset(*whole);
            ASSERT_EQ(all.size(), 23);
            QList<int> paged;
            for (int offset = 0; offset < 30; offset += 5) {
                const auto rs = CustomerStore::ReadListPage(CustomerFilter(), order, offset, 5);
                ASSERT_TRUE(rs);
                const CustomerList page = CustomerList::fromRecordset(*rs);
                for (int i = 0; i < page.size(); ++i)
                    paged << page.at(i).id;
            }
            QList<int> ids;
            for (int i = 0; i < all.size(); ++i)
                ids << all.at(i).id;
            EXPECT_EQ(paged, ids) << column << descending;
            for (int i = 1; i < all.size(); ++i) {
                const CustomerListEntry &a = all.at(i - 1), &b = all.at(i);
                const int byColumn = column ? text(a, column).compare(text(b, column)) : 0;
                const int byName = a.lastName.toLower() != b.lastName.toLower()
                    ? a.lastName.toLower().compare(b.lastName.toLower())
                    : a.firstName.toLower().compare(b.firstName.toLower());
                if (byColumn != 0)
                    EXPECT_EQ(byColumn < 0, !descending) << column << " at " << i;
                else
                    EXPECT_LE(byName, 0) << column << " at " << i;
            }
        }
    }
}

TEST_P(CustomerStoreTest, AnExistingCustomerIsUpdatedAndReadBack)
{
    const int id = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"), QStringLiteral("5125550101"), 0);
    CustomerRecord r;
    ASSERT_EQ(CustomerStore::Load(id, &r), CustomerStore::LoadResult::Loaded);
    r.lastName = QStringLiteral("Smith-Jones");
    r.phones[2] = QStringLiteral("512555");
    r.preferPhone = 2;
    r.state = QStringLiteral("CA");
    r.email = QStringLiteral("alan@example.com");
    ASSERT_EQ(CustomerStore::Save(&r), CustomerStore::SaveResult::Saved);
    EXPECT_EQ(r.id, id);
    CustomerRecord back;
    ASSERT_EQ(CustomerStore::Load(id, &back), CustomerStore::LoadResult::Loaded);
    EXPECT_EQ(back.lastName, QStringLiteral("Smith-Jones"));
    EXPECT_EQ(back.phones[2], QStringLiteral("512555"));
    EXPECT_EQ(back.preferPhone, 2);
    EXPECT_EQ(back.state, QStringLiteral("CA"));
    EXPECT_EQ(back.email, QStringLiteral("alan@example.com"));
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 1);

    // A customer deleted meanwhile is not silently "saved".
    Database::Execute(QStringLiteral("delete from customer where id = ?"), {id});
    EXPECT_EQ(CustomerStore::Save(&r), CustomerStore::SaveResult::Missing);
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 0);
}

// Two counters load one customer. A changes the address and saves; B, still
// holding the record as loaded, changes the e-mail and saves: both changes
// stay. When both change the address, the second save writes nothing and
// names the field.
TEST_P(CustomerStoreTest, ASaveWritesOnlyItsOwnChangesAndNeverOverAnotherCountersEdit)
{
    const int id = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"), QStringLiteral("5125550101"), 0);
    CustomerRecord loadedA;
    CustomerRecord loadedB;
    ASSERT_EQ(CustomerStore::Load(id, &loadedA), CustomerStore::LoadResult::Loaded);
    ASSERT_EQ(CustomerStore::Load(id, &loadedB), CustomerStore::LoadResult::Loaded);
    OtherCounter other;
    ASSERT_TRUE(other.isOpen());

    // Counter A (its own connection) saves the new address, as its save would.
    ASSERT_EQ(
        other.exec(QStringLiteral("update customer set address1 = ? where id = ?"), {QStringLiteral("9 Oak Ave"), id}),
        1);
    // Counter B saves its e-mail from the record it loaded before.
    CustomerRecord editedB = loadedB;
    editedB.email = QStringLiteral("alan@example.com");
    QList<CustomerField> elsewhere;
    EXPECT_EQ(CustomerStore::SaveChanges(loadedB, editedB, CustomerStore::ChangedFields(loadedB, editedB), &elsewhere),
              CustomerStore::SaveResult::Saved);
    EXPECT_TRUE(elsewhere.isEmpty());
    CustomerRecord now;
    ASSERT_EQ(CustomerStore::Load(id, &now), CustomerStore::LoadResult::Loaded);
    EXPECT_EQ(now.address1, QStringLiteral("9 Oak Ave")) << "A's address is kept";
    EXPECT_EQ(now.email, QStringLiteral("alan@example.com"));

    // A, from its first load, now changes the address and the city, while
    // B's e-mail and A's own earlier address are stored: the address was
    // changed since A loaded, so nothing is written.
    CustomerRecord editedA = loadedA;
    editedA.address1 = QStringLiteral("12 Elm St");
    editedA.city = QStringLiteral("Round Rock");
    EXPECT_EQ(CustomerStore::SaveChanges(loadedA, editedA, CustomerStore::ChangedFields(loadedA, editedA), &elsewhere),
              CustomerStore::SaveResult::ChangedElsewhere);
    EXPECT_EQ(elsewhere, QList<CustomerField>{CustomerField::Address1});
    EXPECT_EQ(CustomerStore::FieldLabel(elsewhere[0]), QStringLiteral("Address"));
    EXPECT_EQ(other.value(QStringLiteral("select address1 from customer where id = ?"), {id}).toString(),
              QStringLiteral("9 Oak Ave"));
    EXPECT_EQ(other.value(QStringLiteral("select city from customer where id = ?"), {id}).toString(), QString())
        << "nothing of a refused save is written";

    // The same value typed at both counters is no conflict.
    CustomerRecord same = loadedA;
    same.address1 = QStringLiteral("9 Oak Ave");
    EXPECT_EQ(CustomerStore::SaveChanges(loadedA, same, CustomerStore::ChangedFields(loadedA, same)),
              CustomerStore::SaveResult::Saved);

    // Deleted at the other counter: said, and nothing is written.
    ASSERT_EQ(other.exec(QStringLiteral("delete from customer where id = ?"), {id}), 1);
    EXPECT_EQ(CustomerStore::SaveChanges(now, editedB, {CustomerField::Email}), CustomerStore::SaveResult::Missing);
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 0);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

TEST_P(CustomerStoreTest, ANullOrOddPreferPhoneLoadsAsNoPreference)
{
    const int a = AddCustomer(QStringLiteral("A"), QStringLiteral("Null"), QStringLiteral("5125550101"), 0);
    Database::Execute(QStringLiteral("update customer set PreferPhone = NULL, state = NULL, email = NULL where id = ?"),
                      {a});
    const int b = AddCustomer(QStringLiteral("B"), QStringLiteral("Seven"), QStringLiteral("5125550101"), 7);
    CustomerRecord r;
    ASSERT_EQ(CustomerStore::Load(a, &r), CustomerStore::LoadResult::Loaded);
    EXPECT_FALSE(r.preferPhone.has_value());
    EXPECT_EQ(r.state, QString());
    EXPECT_EQ(r.email, QString());
    ASSERT_EQ(CustomerStore::Load(b, &r), CustomerStore::LoadResult::Loaded);
    EXPECT_FALSE(r.preferPhone.has_value());
    EXPECT_EQ(CustomerStore::Load(999999, &r), CustomerStore::LoadResult::NotFound);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CustomerStoreTest, ACustomerWithTicketsIsNotDeletedUntilTheTicketsAreGone)
{
    const int id = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    const int ticket = CustomerFixtures::AddTicket(id, QStringLiteral("Close"));
    EXPECT_EQ(CustomerStore::TicketCount(id), 1);
    EXPECT_EQ(CustomerStore::Delete(id), CustomerStore::DeleteResult::HasTickets);
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 1);
    Database::Execute(QStringLiteral("delete from sales where id = ?"), {ticket});
    EXPECT_EQ(CustomerStore::TicketCount(id), 0);
    EXPECT_EQ(CustomerStore::Delete(id), CustomerStore::DeleteResult::Deleted);
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 0);
}

TEST_P(CustomerStoreTest, TheStateListIsOrderedByCode)
{
    const auto codes = CustomerStore::StateCodes();
    ASSERT_TRUE(codes);
    ASSERT_FALSE(codes->isEmpty());
    QStringList texts;
    for (const auto &c : *codes)
        texts << c.second;
    QStringList sorted = texts;
    sorted.sort();
    EXPECT_EQ(texts, sorted);
    EXPECT_TRUE(texts.contains(QStringLiteral("TX")));
}

TEST(PhoneNumberTest, StoredPhonesSplitThreeThreeFour)
{
    EXPECT_EQ(PhoneNumber::Split(QStringLiteral("5125550101")), (std::array<QString, 3>{"512", "555", "0101"}));
    EXPECT_EQ(PhoneNumber::Split(QStringLiteral("512555")), (std::array<QString, 3>{"512", "555", ""}));
    EXPECT_EQ(PhoneNumber::Split(QStringLiteral(" ")), (std::array<QString, 3>{"", "", ""}));
    EXPECT_EQ(PhoneNumber::Join(QStringLiteral(" 512"), QStringLiteral("555 "), QStringLiteral("0101")),
              QStringLiteral("5125550101"));
}

INSTANTIATE_TEST_SUITE_P(Engines, CustomerStoreTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
