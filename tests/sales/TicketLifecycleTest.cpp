// Tickets from creation to finalize, re-open and removal, with the stock
// moves that go with them, on real engines.
#include "data/Database.h"
#include "sales/StockMoves.h"
#include "sales/TicketLines.h"
#include "sales/TicketStore.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace SeedData;

class TicketLifecycle : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        customerId = customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
    }
    double qoh(int productId)
    {
        return value(QStringLiteral("select qoh from product where id = ?"), {productId}).toDouble();
    }
    QString status(int salesId)
    {
        return value(QStringLiteral("select status from sales where id = ?"), {salesId}).toString();
    }

    RecordingPrompts prompts;
    int customerId = 0;
};

TEST_P(TicketLifecycle, NewTicketIsOpenListedAndDatedNow)
{
    int id = 0;
    ASSERT_EQ(TicketStore::NewTicket(customerId, &id), TicketStore::NewTicketResult::Created);
    EXPECT_GT(id, 0);
    const auto list = TicketStore::TicketList(customerId);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->value(0, QStringLiteral("id")).toInt(), id);
    const auto header = TicketStore::LoadHeader(id);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->state(), TicketState::Open);
    EXPECT_TRUE(header->saleDate.isValid());
}

TEST_P(TicketLifecycle, NoNewTicketForACustomerWhoseRecordIsGone)
{
    ASSERT_EQ(Database::Execute(QStringLiteral("delete from customer where id = ?"), {customerId}), 1);
    EXPECT_EQ(TicketStore::NewTicket(customerId), TicketStore::NewTicketResult::CustomerGone);
    EXPECT_EQ(count(QStringLiteral("sales")), 0);
}

TEST_P(TicketLifecycle, FinalizeTakesStockAndReopenPutsItBack)
{
    const int p = product(QStringLiteral("111"), QStringLiteral("P"), 10, 10);
    const int twin = product(QStringLiteral("222"), QStringLiteral("p "), 12, 5); // the same part, another bar code
    const int other = product(QStringLiteral("333"), QStringLiteral("Q"), 5, 7);
    const int t = ticket(customerId);
    equipmentLine(t, QStringLiteral("P"), 10, 2);
    laborLine(t, QStringLiteral("Install"), 50, 1);

    ASSERT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_EQ(status(t), QStringLiteral("Close"));
    EXPECT_DOUBLE_EQ(qoh(p), 8);
    EXPECT_DOUBLE_EQ(qoh(twin), 3);
    EXPECT_DOUBLE_EQ(qoh(other), 7);
    EXPECT_TRUE(TicketStore::LoadHeader(t)->closeDate.isValid());

    ASSERT_EQ(TicketStore::ReopenTicket(t), TicketChange::Done);
    EXPECT_EQ(status(t), QStringLiteral("Open"));
    EXPECT_DOUBLE_EQ(qoh(p), 10);
    EXPECT_DOUBLE_EQ(qoh(twin), 5);
    EXPECT_TRUE(TicketStore::LoadHeader(t)->closeDate.isValid()) << "the close date is overwritten, not cleared";
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Lines of one part, however its number is written, take their sum from
// every product of that part; lines added by bar code from a product without
// a part number take from that product alone; a line whose part no product
// has takes nothing and is named by its place among all the lines.
TEST_P(TicketLifecycle, RepeatedPartsAndLinesWithoutAProductMoveStockOncePerProduct)
{
    const int p = product(QStringLiteral("111"), QStringLiteral("P"), 10, 10);
    const int twin = product(QStringLiteral("222"), QStringLiteral("p "), 12, 5);
    const int loose = product(QStringLiteral("333"), QString(""), 5, 7);
    const int other = product(QStringLiteral("444"), QStringLiteral("Q"), 5, 4);
    const int t = ticket(customerId);
    equipmentLine(t, QStringLiteral("P"), 10, 2);
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(TicketLines::AddTicketLine(t, QStringLiteral("333"), TicketLines::Source::Barcode),
                  TicketLines::Result::Done);
    equipmentLine(t, QStringLiteral("GONE-1"), 10, 4);
    equipmentLine(t, QStringLiteral("p"), 10, 3);

    const std::optional<QStringList> unmatched = StockMoves::UnmatchedLines(t);
    ASSERT_TRUE(unmatched);
    EXPECT_EQ(*unmatched, QStringList{QStringLiteral("line 4 (GONE-1, Line GONE-1)")});

    ASSERT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(qoh(p), 5);
    EXPECT_DOUBLE_EQ(qoh(twin), 0);
    EXPECT_DOUBLE_EQ(qoh(loose), 5);
    EXPECT_DOUBLE_EQ(qoh(other), 4);

    ASSERT_EQ(TicketStore::ReopenTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(qoh(p), 10);
    EXPECT_DOUBLE_EQ(qoh(twin), 5);
    EXPECT_DOUBLE_EQ(qoh(loose), 7);
    EXPECT_DOUBLE_EQ(qoh(other), 4);
    ASSERT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(qoh(p), 5);
    EXPECT_DOUBLE_EQ(qoh(loose), 5);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
}

// Products saved without a part number share nothing: a sold one's stock
// and availability move alone.
TEST_P(TicketLifecycle, ProductsWithoutPartNumbersKeepTheirOwnStock)
{
    const int sold = product(QStringLiteral("111"), QString(""), 10, 10);
    const int other = product(QStringLiteral("222"), QString(""), 12, 6);
    const int t = ticket(customerId);
    ASSERT_EQ(TicketLines::AddTicketLine(t, QStringLiteral("111"), TicketLines::Source::Barcode),
              TicketLines::Result::Done);
    const int line = value(QStringLiteral("select max(id) from salesitem where salesid = ?"), {t}).toInt();
    ASSERT_EQ(TicketLines::EditEquipmentLine(t, line, TicketLines::EquipmentColumn::Quantity, QStringLiteral("2")),
              TicketLines::Result::Done);
    const auto available = [&](int id) {
        return value(QStringLiteral("select available from vw_product_available where id = ?"), {id}).toDouble();
    };
    EXPECT_DOUBLE_EQ(available(sold), 8);
    EXPECT_DOUBLE_EQ(available(other), 6);
    EXPECT_EQ(count(QStringLiteral("vw_product_available")), count(QStringLiteral("product")));

    ASSERT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(qoh(sold), 8);
    EXPECT_DOUBLE_EQ(qoh(other), 6);
    EXPECT_DOUBLE_EQ(available(sold), 8);
    EXPECT_DOUBLE_EQ(available(other), 6);

    ASSERT_EQ(TicketStore::ReopenTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(qoh(sold), 10);
    EXPECT_DOUBLE_EQ(qoh(other), 6);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
}

// A line without a part number whose bar code no product carries any more
// moves no stock at all.
TEST_P(TicketLifecycle, ALineWithoutPartNumberOrProductMovesNothing)
{
    const int blank = product(QStringLiteral("111"), QString(""), 10, 10);
    const int t = ticket(customerId);
    ASSERT_EQ(TicketLines::AddTicketLine(t, QStringLiteral("111"), TicketLines::Source::Barcode),
              TicketLines::Result::Done);
    ASSERT_EQ(Database::Execute(QStringLiteral("update product set barcode = '999' where id = ?"), {blank}), 1);
    const int other = product(QStringLiteral("333"), QString(""), 12, 6);
    ASSERT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(qoh(blank), 10);
    EXPECT_DOUBLE_EQ(qoh(other), 6);
}

// A line typed in by hand, with neither part number nor bar code, belongs
// to no product: it reserves nothing, not even from a product whose bar code
// is blank too, as finalize moves nothing for it.
TEST_P(TicketLifecycle, ALineWithoutPartNumberOrBarCodeReservesNothing)
{
    const int noCode = product(QString(""), QString(""), 10, 4);
    const int t = ticket(customerId);
    const int line = equipmentLine(t, QString(""), 10, 3);
    ASSERT_EQ(Database::Execute(QStringLiteral("update salesitem set barcode = '' where id = ?"), {line}), 1);
    const auto available = [&](int id) {
        return value(QStringLiteral("select available from vw_product_available where id = ?"), {id}).toDouble();
    };
    EXPECT_DOUBLE_EQ(available(noCode), 4);
    ASSERT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(qoh(noCode), 4);
}

TEST_P(TicketLifecycle, FinalizingTwiceMovesStockOnce)
{
    const int p = product(QStringLiteral("111"), QStringLiteral("P"), 10, 10);
    const int t = ticket(customerId);
    equipmentLine(t, QStringLiteral("P"), 10, 3);
    EXPECT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    // A second window that still shows the ticket open presses Finalize too.
    EXPECT_EQ(TicketStore::CloseTicket(t), TicketChange::WrongState);
    EXPECT_DOUBLE_EQ(qoh(p), 7);
    EXPECT_EQ(TicketStore::ReopenTicket(t), TicketChange::Done);
    EXPECT_EQ(TicketStore::ReopenTicket(t), TicketChange::WrongState);
    EXPECT_DOUBLE_EQ(qoh(p), 10);
}

TEST_P(TicketLifecycle, AFailureInTheMiddleOfFinalizeLeavesStatusAndStockAsTheyWere)
{
    const int a = product(QStringLiteral("111"), QStringLiteral("A"), 10, 10);
    const int b = product(QStringLiteral("222"), QStringLiteral("B"), 10, 10);
    const int t = ticket(customerId);
    equipmentLine(t, QStringLiteral("A"), 10, 1);
    equipmentLine(t, QStringLiteral("B"), 10, 1);
    // Part B's stock can't be written: its update fails after A's went through.
    if (GetParam() == Engine::SQLite) {
        ASSERT_GE(
            Database::Execute(QStringLiteral("create trigger no_b before update on product when new.partnumber = 'B' "
                                             "begin select raise(abort, 'stock of B is locked'); end")),
            0);
    } else {
        ASSERT_GE(
            Database::Execute(QStringLiteral("create function no_b() returns trigger language plpgsql as $$ begin "
                                             "raise exception 'stock of B is locked'; end $$")),
            0);
        ASSERT_GE(Database::Execute(QStringLiteral("create trigger no_b before update on product for each row when "
                                                   "(new.partnumber = 'B') execute function no_b()")),
                  0);
    }
    const TicketChange change = TicketStore::CloseTicket(t);
    // The PostgreSQL catalog lives on through the other tests: drop the trigger.
    Database::Execute(GetParam() == Engine::SQLite ? QStringLiteral("drop trigger no_b")
                                                   : QStringLiteral("drop function no_b() cascade"));
    EXPECT_EQ(change, TicketChange::Failed);
    EXPECT_EQ(status(t), QStringLiteral("Open"));
    EXPECT_DOUBLE_EQ(qoh(a), 10);
    EXPECT_DOUBLE_EQ(qoh(b), 10);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Execute:")));
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("stock of B is locked")));
}

TEST_P(TicketLifecycle, StatusIsComparedTrimmedAndWithoutCase)
{
    const int p = product(QStringLiteral("111"), QStringLiteral("P"), 10, 10);
    const int t = ticket(customerId, QStringLiteral(" open "));
    equipmentLine(t, QStringLiteral("P"), 10, 1);
    EXPECT_EQ(TicketStore::LoadHeader(t)->state(), TicketState::Open);
    EXPECT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(qoh(p), 9);
    // A status that is neither can't be re-opened, and nothing moves.
    const int odd = ticket(customerId, QStringLiteral("Void"));
    equipmentLine(odd, QStringLiteral("P"), 10, 1);
    EXPECT_EQ(TicketStore::LoadHeader(odd)->state(), TicketState::Other);
    EXPECT_EQ(TicketStore::ReopenTicket(odd), TicketChange::WrongState);
    EXPECT_EQ(TicketStore::CloseTicket(odd), TicketChange::WrongState);
    EXPECT_DOUBLE_EQ(qoh(p), 9);
}

TEST_P(TicketLifecycle, DeleteRemovesAnOpenTicketWithItsLinesAndPaymentsOnly)
{
    const int keep = ticket(customerId);
    equipmentLine(keep, QStringLiteral("P"), 1);
    const int t = ticket(customerId);
    equipmentLine(t, QStringLiteral("P"), 1);
    laborLine(t, QStringLiteral("L"), 1);
    payment(t, QStringLiteral("Cash"), 1);
    EXPECT_EQ(TicketStore::DeleteTicket(t), TicketChange::Done);
    EXPECT_EQ(count(QStringLiteral("sales")), 1);
    EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
    EXPECT_EQ(count(QStringLiteral("saleslabor")), 0);
    EXPECT_EQ(count(QStringLiteral("payment")), 0);

    const int closed = ticket(customerId, QStringLiteral("Close"));
    payment(closed, QStringLiteral("Cash"), 1);
    EXPECT_EQ(TicketStore::DeleteTicket(closed), TicketChange::WrongState);
    EXPECT_EQ(count(QStringLiteral("payment")), 1);
}

TEST_P(TicketLifecycle, VehicleAndNoteFieldsKeepApostrophesAndOnlyOpenTicketsChange)
{
    const int t = ticket(customerId);
    EXPECT_EQ(TicketStore::SaveField(t, TicketStore::TicketField::Make, QStringLiteral("O'Reilly ")),
              TicketChange::Done);
    EXPECT_EQ(TicketStore::SaveField(t, TicketStore::TicketField::Note, QStringLiteral("  it's done  ")),
              TicketChange::Done);
    EXPECT_EQ(TicketStore::SetTaxExempt(t, true), TicketChange::Done);
    EXPECT_EQ(value(QStringLiteral("select make from sales where id = ?"), {t}).toString(),
              QStringLiteral("O'Reilly "));
    const auto h = TicketStore::LoadHeader(t);
    EXPECT_EQ(h->make, QStringLiteral("O'Reilly"));
    EXPECT_EQ(h->note, QStringLiteral("it's done"));
    EXPECT_TRUE(h->taxExempt);
    ASSERT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_EQ(TicketStore::SaveField(t, TicketStore::TicketField::Model, QStringLiteral("X")),
              TicketChange::WrongState);
    EXPECT_EQ(TicketStore::SetTaxExempt(t, false), TicketChange::WrongState);
    EXPECT_TRUE(TicketStore::LoadHeader(t)->taxExempt);
}

// Two counters show one ticket. The other counter stores a note (and a make
// in capitals); this counter, still holding what it read before, types on:
// nothing of its is written over the other counter's text, and it is told
// what is stored now. Typed over what it was told, it writes.
TEST_P(TicketLifecycle, ABoxIsWrittenOnlyOverTheTextThisCounterLastSaw)
{
    using TicketStore::FieldSave;
    using TicketStore::TicketField;
    const int t = ticket(customerId);
    ASSERT_EQ(TicketStore::SaveField(t, TicketField::Make, QStringLiteral("Ford ")), TicketChange::Done);
    const auto seen = TicketStore::LoadHeader(t);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->note, QString()) << "a NULL note is seen as empty";
    OtherCounter other;
    ASSERT_TRUE(other.isOpen());
    ASSERT_EQ(other.exec(QStringLiteral("update sales set note = ?, make = ? where id = ?"),
                         {QStringLiteral("Call before 5"), QStringLiteral("FORD"), t}),
              1);

    QString stored;
    EXPECT_EQ(TicketStore::SaveFieldOver(t, TicketField::Note, QStringLiteral("B"), seen->note, &stored),
              FieldSave::ChangedElsewhere);
    EXPECT_EQ(stored, QStringLiteral("Call before 5"));
    EXPECT_EQ(TicketStore::SaveFieldOver(t, TicketField::Make, QStringLiteral("Ford F"), seen->make, &stored),
              FieldSave::ChangedElsewhere)
        << "a change of case is a change";
    EXPECT_EQ(stored, QStringLiteral("FORD"));
    const auto stays = [&](const char *column) {
        return other.value(QStringLiteral("select %1 from sales where id = ?").arg(QLatin1String(column)), {t})
            .toString();
    };
    EXPECT_EQ(stays("note"), QStringLiteral("Call before 5"));
    EXPECT_EQ(stays("make"), QStringLiteral("FORD"));

    EXPECT_EQ(TicketStore::SaveFieldOver(t, TicketField::Note, QStringLiteral("Call before 5 pm "),
                                         QStringLiteral("Call before 5")),
              FieldSave::Saved);
    EXPECT_EQ(stays("note"), QStringLiteral("Call before 5 pm"));
    // The year was never written (NULL) and is seen as empty; the same text
    // typed at both counters is no conflict either.
    EXPECT_EQ(TicketStore::SaveFieldOver(t, TicketField::Year, QStringLiteral("2019"), QString()), FieldSave::Saved);
    ASSERT_EQ(other.exec(QStringLiteral("update sales set model = ? where id = ?"), {QStringLiteral("F-150"), t}), 1);
    EXPECT_EQ(TicketStore::SaveFieldOver(t, TicketField::Model, QStringLiteral("F-150"), QString()), FieldSave::Saved);
    EXPECT_EQ(stays("year"), QStringLiteral("2019"));

    ASSERT_EQ(other.exec(QStringLiteral("update sales set status = 'Close' where id = ?"), {t}), 1);
    EXPECT_EQ(TicketStore::SaveFieldOver(t, TicketField::Note, QStringLiteral("x"), QStringLiteral("Call before 5 pm")),
              FieldSave::WrongState);
    EXPECT_EQ(stays("note"), QStringLiteral("Call before 5 pm"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

TEST_P(TicketLifecycle, SearchByTypedTicketNumber)
{
    const int t = ticket(customerId);
    using TicketStore::TicketSearch;
    int found = 0;
    EXPECT_EQ(TicketStore::CustomerOfTicket(QString::number(t), &found), TicketSearch::Found);
    EXPECT_EQ(found, customerId);
    found = 0;
    EXPECT_EQ(TicketStore::CustomerOfTicket(QStringLiteral(" %1 ").arg(t), &found), TicketSearch::Found);
    EXPECT_EQ(found, customerId);
    for (const QString &typed : {QStringLiteral("abc"), QStringLiteral("1 or 1=1"), QStringLiteral("99999"), QString()})
        EXPECT_EQ(TicketStore::CustomerOfTicket(typed, &found), TicketSearch::NotFound) << typed.toStdString();
    EXPECT_TRUE(prompts.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Engines, TicketLifecycle, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

TEST(TicketNumber, ShowsAtLeastFourDigits)
{
    EXPECT_EQ(FormatTicketNumber(7), QStringLiteral("0007"));
    EXPECT_EQ(FormatTicketNumber(20001), QStringLiteral("20001"));
}

} // namespace
