#include "sales/TicketStore.h"

#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/Money.h"
#include "sales/StockMoves.h"
#include "sales/TicketNumber.h"
#include "sales/TicketReader.h"

#include <functional>

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

TicketChange fromCount(qint64 changed)
{
    if (changed < 0)
        return TicketChange::Failed;
    return changed == 0 ? TicketChange::WrongState : TicketChange::Done;
}

// Moves the ticket's status from one state to the other and its stock by
// sign × the line quantities, all or nothing.
TicketChange moveTicket(int salesId, const QString &newStatus, const QString &fromCondition, int sign,
                        const std::function<bool()> &record)
{
    return Database::TransactionOutcome(TicketChange::Done, TicketChange::Failed, [&] {
        const TicketChange moved = fromCount(Database::Execute(
            QStringLiteral("update sales set status = ?, Closedate = ? where id = ? and %1").arg(fromCondition),
            {newStatus, DateText::toDb(Clock::now()), salesId}));
        if (moved != TicketChange::Done)
            return moved;
        return StockMoves::MoveTicketStock(salesId, sign) && record() ? TicketChange::Done : TicketChange::Failed;
    });
}

// A ticket closed again after a re-open is recorded under the administrator
// who re-opened it.
bool recordFinalizeAfterReopen(int salesId)
{
    const std::optional<QString> reopener = AuditLog::ReopenedBy(salesId);
    if (!reopener)
        return false;
    if (reopener->isEmpty())
        return true;
    const std::optional<QString> closed = AuditLog::TicketText(salesId);
    return closed
        && AuditLog::RecordAs(*reopener, AuditLog::kFinalizeAfterReopen, AuditLog::TicketSubject(salesId), *closed);
}

// What a ticket held when it was removed.
QString ticketContents(int salesId)
{
    const auto rs = Database::GetRS(
        QStringLiteral("select (select count(*) from salesitem where salesid = ?) as items, "
                       "(select count(*) from saleslabor where salesid = ?) as labor, "
                       "(select count(*) from payment where salesid = ?) as payments"),
        {salesId, salesId, salesId});
    const std::optional<QString> rows = AuditLog::TicketText(salesId);
    if (!rs || !rows)
        return QString();
    return QStringLiteral("%1 equipment lines, %2 labor lines, %3 payments\n")
               .arg(rs->text(0, QStringLiteral("items")), rs->text(0, QStringLiteral("labor")),
                    rs->text(0, QStringLiteral("payments")))
        + *rows;
}

} // namespace

NewTicketResult NewTicket(int customerId, int *newId)
{
    return Database::TransactionOutcome(NewTicketResult::Created, NewTicketResult::Failed, [&] {
        const auto customer = Database::GetRS(QStringLiteral("select id from customer where id = ?"), {customerId});
        if (!customer)
            return NewTicketResult::Failed;
        if (customer->isEmpty())
            return NewTicketResult::CustomerGone;
        const qint64 id = Database::InsertRow(
            QStringLiteral("sales"),
            {QStringLiteral("customerid"), QStringLiteral("saledate"), QStringLiteral("status")},
            {customerId, DateText::toDb(Clock::now()), OpenStatus()});
        if (id <= 0)
            return NewTicketResult::Failed;
        if (newId)
            *newId = int(id);
        return NewTicketResult::Created;
    });
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
    h.status = rs.text(0, QStringLiteral("status"));
    h.taxExempt = IsTaxExempt(rs.value(0, QStringLiteral("TaxExempt")));
    h.year = rs.text(0, QStringLiteral("year"));
    h.make = rs.text(0, QStringLiteral("make"));
    h.model = rs.text(0, QStringLiteral("model"));
    h.note = rs.text(0, QStringLiteral("note"));
    return h;
}

TicketChange CloseTicket(int salesId)
{
    return moveTicket(salesId, CloseStatus(), openCondition(), -1,
                      [salesId] { return recordFinalizeAfterReopen(salesId); });
}

TicketChange ReopenTicket(int salesId)
{
    return moveTicket(salesId, OpenStatus(), closedCondition(), +1,
                      [salesId] { return AuditLog::Record(AuditLog::kReopen, AuditLog::TicketSubject(salesId)); });
}

TicketChange DeleteTicket(int salesId)
{
    return Database::TransactionOutcome(TicketChange::Done, TicketChange::Failed, [&] {
        const QString contents = ticketContents(salesId);
        const TicketChange removed = fromCount(
            Database::Execute(QStringLiteral("delete from sales where id = ? and %1").arg(openCondition()), {salesId}));
        if (removed != TicketChange::Done)
            return removed;
        for (const char *table : {"salesitem", "saleslabor", "payment"}) {
            if (Database::Execute(QStringLiteral("delete from %1 where salesid = ?").arg(QLatin1String(table)),
                                  {salesId})
                < 0)
                return TicketChange::Failed;
        }
        return AuditLog::Record(AuditLog::kTicketDelete, AuditLog::TicketSubject(salesId), contents)
            ? TicketChange::Done
            : TicketChange::Failed;
    });
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
    const qint64 changed = Database::Execute(
        QStringLiteral("update sales set %1 = ? where id = ? and %2 and %3")
            .arg(column, openCondition(), Database::CurrentDialect().storedTextIs(column)),
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
        case TicketChange::Done:
            return FieldSave::Saved;
        case TicketChange::WrongState:
            return FieldSave::WrongState;
        case TicketChange::Failed:
            return FieldSave::Failed;
        }
    }
    return FieldSave::ChangedElsewhere;
}

TicketChange SetTaxExempt(int salesId, bool exempt)
{
    return Database::TransactionOutcome(TicketChange::Done, TicketChange::Failed, [&] {
        // Dropping the tax of a ticket the customer had already paid is the
        // administrator's doing: recorded under who re-opened it.
        const std::optional<QString> reopener = AuditLog::ReopenedBy(salesId);
        if (!reopener)
            return TicketChange::Failed;
        std::optional<bool> was = exempt;
        if (!reopener->isEmpty()) {
            const auto rs = Database::GetRS(QStringLiteral("select TaxExempt from sales where id = ?"), {salesId});
            if (!rs)
                return TicketChange::Failed;
            was = !rs->isEmpty() && IsTaxExempt(rs->value(0, 0));
        }
        const TicketChange set = fromCount(
            Database::Execute(QStringLiteral("update sales set TaxExempt = ? where id = ? and %1").arg(openCondition()),
                              {exempt ? 1 : 0, salesId}));
        if (set != TicketChange::Done || *was == exempt)
            return set;
        return AuditLog::RecordAs(
                   *reopener, AuditLog::kTaxExemptChanged, AuditLog::TicketSubject(salesId),
                   QStringLiteral("before: TaxExempt=%1\nafter: TaxExempt=%2").arg(*was ? 1 : 0).arg(exempt ? 1 : 0))
            ? TicketChange::Done
            : TicketChange::Failed;
    });
}

TicketChange LockOpenTicket(int salesId)
{
    // A no-op update takes the row; under another counter's finalize it
    // waits, then sees the closed status and matches nothing.
    return fromCount(Database::Execute(
        QStringLiteral("update sales set status = status where id = ? and %1").arg(openCondition()), {salesId}));
}

} // namespace TicketStore
