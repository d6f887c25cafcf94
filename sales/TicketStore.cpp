#include "sales/TicketStore.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/Money.h"
#include "data/NullToSpace.h"
#include "sales/StockMoves.h"
#include "sales/TicketNumber.h"

namespace TicketStore {

namespace {

QString openCondition()
{
    return Database::CurrentDialect().trimUpper(QStringLiteral("status")) + QStringLiteral(" = 'OPEN'");
}

QString closedCondition()
{
    return Database::CurrentDialect().trimUpper(QStringLiteral("status")) + QStringLiteral(" = 'CLOSE'");
}

QString text(const Recordset &rs, const char *column)
{
    const QVariant v = rs.value(0, QLatin1String(column));
    return v.isNull() ? QString() : v.toString().trimmed();
}

// Moves the ticket's status from one state to the other and its stock by
// sign × the line quantities, all or nothing.
TicketChange moveTicket(int salesId, const QString &newStatus, const QString &fromCondition, int sign)
{
    TicketChange result = TicketChange::Failed;
    const bool committed = Database::Transaction([&] {
        const qint64 changed = Database::Execute(
            QStringLiteral("update sales set status = ?, Closedate = ? where id = ? and %1").arg(fromCondition),
            {newStatus, DateText::toDb(Clock::now()), salesId});
        if (changed < 0)
            return false;
        if (changed == 0) {
            result = TicketChange::WrongState;
            return false;
        }
        if (!StockMoves::MoveTicketStock(salesId, sign))
            return false;
        result = TicketChange::Done;
        return true;
    });
    if (!committed && result == TicketChange::Done)
        return TicketChange::Failed;
    return result;
}

TicketChange fromCount(qint64 changed)
{
    if (changed < 0)
        return TicketChange::Failed;
    return changed == 0 ? TicketChange::WrongState : TicketChange::Done;
}

} // namespace

NewTicketResult NewTicket(int customerId, int *newId)
{
    NewTicketResult result = NewTicketResult::Failed;
    const bool committed = Database::Transaction([&] {
        const auto customer = Database::GetRS(QStringLiteral("select id from customer where id = ?"), {customerId});
        if (!customer)
            return false;
        if (customer->isEmpty()) {
            result = NewTicketResult::CustomerGone;
            return false;
        }
        const qint64 id = Database::InsertRow(
            QStringLiteral("sales"), {QStringLiteral("customerid"), QStringLiteral("saledate"), QStringLiteral("status")},
            {customerId, DateText::toDb(Clock::now()), OpenStatus()});
        if (id <= 0)
            return false;
        if (newId)
            *newId = int(id);
        result = NewTicketResult::Created;
        return true;
    });
    if (!committed && result == NewTicketResult::Created)
        return NewTicketResult::Failed;
    return result;
}

std::optional<Recordset> TicketList(int customerId)
{
    return Database::GetRS(QStringLiteral("select * from sales where customerid = ? order by saledate, id"),
                           {customerId});
}

TicketSearch CustomerOfTicket(const QString &typedNumber, int *customerId)
{
    const std::optional<int> id = TicketNumber::Parse(typedNumber);
    if (!id)
        return TicketSearch::NotFound;
    const auto rs = Database::GetRS(QStringLiteral("select customerid from sales where id = ?"), {*id});
    if (!rs)
        return TicketSearch::Failed;
    if (rs->isEmpty())
        return TicketSearch::NotFound;
    *customerId = rs->value(0, 0).toInt();
    return TicketSearch::Found;
}

std::optional<TicketHeader> LoadHeader(int salesId)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from sales where id = ?"), {salesId});
    if (!rs || rs->isEmpty())
        return std::nullopt;
    return HeaderFromRow(*rs);
}

TicketHeader HeaderFromRow(const Recordset &rs)
{
    TicketHeader h;
    h.id = rs.value(0, QStringLiteral("id")).toInt();
    h.customerId = rs.value(0, QStringLiteral("customerid")).toInt();
    h.saleDate = DateText::fromDb(rs.value(0, QStringLiteral("saledate")));
    h.closeDate = DateText::fromDb(rs.value(0, QStringLiteral("Closedate")));
    h.status = text(rs, "status");
    h.taxExempt = NullToSpace(rs.value(0, QStringLiteral("TaxExempt"))) == QLatin1String("1");
    h.year = text(rs, "year");
    h.make = text(rs, "make");
    h.model = text(rs, "model");
    h.note = text(rs, "note");
    return h;
}

TicketChange CloseTicket(int salesId)
{
    return moveTicket(salesId, CloseStatus(), openCondition(), -1);
}

TicketChange ReopenTicket(int salesId)
{
    return moveTicket(salesId, OpenStatus(), closedCondition(), +1);
}

TicketChange DeleteTicket(int salesId)
{
    TicketChange result = TicketChange::Failed;
    const bool committed = Database::Transaction([&] {
        const qint64 removed =
            Database::Execute(QStringLiteral("delete from sales where id = ? and %1").arg(openCondition()), {salesId});
        if (removed <= 0) {
            if (removed == 0)
                result = TicketChange::WrongState;
            return false;
        }
        for (const char *table : {"salesitem", "saleslabor", "payment"}) {
            if (Database::Execute(QStringLiteral("delete from %1 where salesid = ?").arg(QLatin1String(table)),
                                  {salesId})
                < 0)
                return false;
        }
        result = TicketChange::Done;
        return true;
    });
    if (!committed && result == TicketChange::Done)
        return TicketChange::Failed;
    return result;
}

namespace {

QLatin1String columnOf(TicketField field)
{
    static const char *const columns[] = {"year", "make", "model", "note"};
    return QLatin1String(columns[int(field)]);
}

// The vehicle boxes keep what was typed; the note is kept trimmed.
QString valueOf(TicketField field, const QString &typed)
{
    return field == TicketField::Note ? typed.trimmed() : typed;
}

} // namespace

TicketChange SaveField(int salesId, TicketField field, const QString &typed)
{
    return fromCount(Database::Execute(
        QStringLiteral("update sales set %1 = ? where id = ? and %2").arg(columnOf(field), openCondition()),
        {valueOf(field, typed), salesId}));
}

QString StoredFormOf(TicketField field, const QString &typed)
{
    return valueOf(field, typed).trimmed();
}

FieldSave SaveFieldOver(int salesId, TicketField field, const QString &typed, const QString &seen, QString *stored)
{
    // One statement checks and writes, so no other counter's text can come
    // in between.
    const QString column = columnOf(field);
    const qint64 changed = Database::Execute(QStringLiteral("update sales set %1 = ? where id = ? and %2 and %3")
                                                 .arg(column, openCondition(),
                                                      Database::CurrentDialect().storedTextIs(column)),
                                             {valueOf(field, typed), salesId, seen});
    if (changed < 0)
        return FieldSave::Failed;
    if (changed > 0)
        return FieldSave::Saved;
    const std::optional<TicketHeader> now = LoadHeader(salesId);
    if (!now || now->state() != TicketState::Open)
        return FieldSave::WrongState;
    const QString texts[] = {now->year, now->make, now->model, now->note};
    const QString &there = texts[int(field)];
    if (stored)
        *stored = there;
    // Stored exactly as this counter would have: nothing is lost.
    if (there == StoredFormOf(field, typed))
        return FieldSave::Saved;
    if (there == seen) {
        // It reads as this counter saw it, blanks the engine trims
        // differently (a tab) aside: nothing of another counter's is lost.
        switch (SaveField(salesId, field, typed)) {
        case TicketChange::Done: return FieldSave::Saved;
        case TicketChange::WrongState: return FieldSave::WrongState;
        case TicketChange::Failed: return FieldSave::Failed;
        }
    }
    return FieldSave::ChangedElsewhere;
}

TicketChange SetTaxExempt(int salesId, bool exempt)
{
    return fromCount(
        Database::Execute(QStringLiteral("update sales set TaxExempt = ? where id = ? and %1").arg(openCondition()),
                          {exempt ? 1 : 0, salesId}));
}

TicketChange LockOpenTicket(int salesId)
{
    // A no-op update takes the row; under another counter's finalize it
    // waits, then sees the closed status and matches nothing.
    return fromCount(Database::Execute(
        QStringLiteral("update sales set status = status where id = ? and %1").arg(openCondition()), {salesId}));
}

} // namespace TicketStore
