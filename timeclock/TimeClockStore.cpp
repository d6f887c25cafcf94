#include "timeclock/TimeClockStore.h"

#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "gate/AdminGate.h"
#include "timeclock/PayWeek.h"

namespace TimeClockStore {

namespace {

Edit fromCount(qint64 n)
{
    return n < 0 ? Edit::Failed : Edit::Done;
}

// Whether the row, once the column holds the moment, would end before it
// began. A row without the other time yet cannot.
// Time rows are changed only in the time administration: each change is
// recorded with the row before and after it, in one unit with the change.
template <typename Change> Edit recordedChange(int rowId, Change change)
{
    return Database::TransactionOutcome(Edit::Done, Edit::Failed, [&] {
        const auto owner = Database::GetRS(QStringLiteral("select employeeid from TimeInOut where id = ?"), {rowId});
        const std::optional<QString> before = AuditLog::RowText(QStringLiteral("TimeInOut"), rowId);
        if (!owner || !before)
            return Edit::Failed;
        const Edit edit = change();
        if (edit != Edit::Done)
            return edit;
        const std::optional<QString> after = AuditLog::RowText(QStringLiteral("TimeInOut"), rowId);
        return after
                && AuditLog::Record(AuditLog::kTimeRowChanged, AuditLog::EmployeeSubject(owner->value(0, 0).toInt()),
                                    QStringLiteral("row %1 before: %2\nafter: %3").arg(rowId).arg(*before, *after))
            ? Edit::Done
            : Edit::Failed;
    });
}

std::optional<bool> wouldRunBackwards(int rowId, const QString &column, const QDateTime &moment)
{
    const auto rs = Database::GetRS(QStringLiteral("select timein, timeout from TimeInOut where id = ?"), {rowId});
    if (!rs)
        return std::nullopt;
    if (rs->isEmpty())
        return false;
    const bool settingIn = column == QLatin1String("timein");
    const QDateTime in = settingIn ? moment : DateText::fromDb(rs->value(0, QStringLiteral("timein")));
    const QDateTime out = settingIn ? DateText::fromDb(rs->value(0, QStringLiteral("timeout"))) : moment;
    return in.isValid() && out.isValid() && out < in;
}

Edit setTime(int rowId, const QString &column, const QString &typed, bool blankAllowed)
{
    if (typed.trimmed().isEmpty()) {
        if (!blankAllowed)
            return Edit::BlankTimeIn;
        // A blank clock-out opens the row again: not while the employee has
        // another open row (the database's index refuses it as well, for two
        // counters at one moment).
        const auto open = Database::GetRS(
            QStringLiteral("select count(*) from TimeInOut where timeout is null and id <> ? and "
                           "employeeid = (select employeeid from TimeInOut where id = ?)"),
            {rowId, rowId});
        if (!open)
            return Edit::Failed;
        if (open->value(0, 0).toInt() > 0)
            return Edit::AnotherRowOpen;
        const Database::DuplicatesExpected secondOpenRow;
        const qint64 n = Database::Execute(QStringLiteral("update TimeInOut set %1 = null where id = ?").arg(column),
                                           {rowId});
        return n < 0 && Database::LastFailureWasDuplicate() ? Edit::AnotherRowOpen : fromCount(n);
    }
    const std::optional<QDateTime> moment = PayWeek::ParseTypedTime(typed);
    if (!moment)
        return Edit::NotATime;
    // Read and written in one unit, so the check holds for what is stored.
    return Database::TransactionOutcome(Edit::Done, Edit::Failed, [&] {
        const std::optional<bool> backwards = wouldRunBackwards(rowId, column, *moment);
        if (!backwards)
            return Edit::Failed;
        if (*backwards)
            return Edit::OutBeforeIn;
        return fromCount(Database::Execute(QStringLiteral("update TimeInOut set %1 = ? where id = ?").arg(column),
                                           {DateText::toDb(*moment), rowId}));
    });
}

} // namespace

std::optional<QList<ClockRow>> WeekRows(int employeeId, const QDate &weekStart)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from TimeInOut where employeeid = ? and timein >= ? and "
                                                   "timein < ? order by timein, id"),
                                    {employeeId, DateText::toDb(weekStart), DateText::toDb(weekStart.addDays(7))});
    if (!rs)
        return std::nullopt;
    QList<ClockRow> rows;
    for (int r = 0; r < rs->rowCount(); ++r) {
        ClockRow row;
        row.id = rs->value(r, QStringLiteral("id")).toInt();
        row.timeIn = DateText::fromDb(rs->value(r, QStringLiteral("timein")));
        row.timeOut = DateText::fromDb(rs->value(r, QStringLiteral("timeout")));
        row.note = rs->text(r, QStringLiteral("note"));
        row.minutes = PayWeek::MinutesBetween(row.timeIn, row.timeOut);
        rows.append(row);
    }
    return rows;
}

qint64 TotalMinutes(const QList<ClockRow> &rows)
{
    qint64 total = 0;
    for (const ClockRow &row : rows)
        total += row.minutes;
    return total;
}

std::optional<bool> IsClockedIn(int employeeId)
{
    const auto rs = Database::GetRS(
        QStringLiteral(
            "select count(*) from TimeInOut where employeeid = ? and timeout is null and timein is not null"),
        {employeeId});
    if (!rs)
        return std::nullopt;
    return rs->value(0, 0).toInt() > 0;
}

bool PinAccepted(const QString &entered, const QString &employeePin, int employeeId)
{
    const QString pin = entered.trimmed();
    if (!pin.isEmpty() && pin == employeePin.trimmed())
        return true;
    return AdminGate::PassMasterCode(pin, AuditLog::EmployeeSubject(employeeId));
}

Clocking ClockIn(int employeeId)
{
    // Two counters clocking one employee in at one moment both find no open
    // row; the database's index lets only the first insert stand, and the
    // second counter hears that the employee is clocked in, not an error.
    const Database::DuplicatesExpected secondOpenRow;
    const Clocking result = Database::TransactionOutcome(Clocking::Done, Clocking::Failed, [&] {
        const std::optional<bool> in = IsClockedIn(employeeId);
        if (!in)
            return Clocking::Failed;
        if (*in)
            return Clocking::AlreadyIn;
        return Database::InsertRow(QStringLiteral("TimeInOut"),
                                   {QStringLiteral("employeeid"), QStringLiteral("timein")},
                                   {employeeId, DateText::toDb(Clock::now())})
                > 0
            ? Clocking::Done
            : Clocking::Failed;
    });
    if (result == Clocking::Failed && Database::LastFailureWasDuplicate())
        return Clocking::AlreadyIn;
    return result;
}

Clocking ClockOut(int employeeId)
{
    const qint64 closed = Database::Execute(
        QStringLiteral("update TimeInOut set timeout = ? where employeeid = ? and timeout is null"),
        {DateText::toDb(Clock::now()), employeeId});
    if (closed < 0)
        return Clocking::Failed;
    return closed == 0 ? Clocking::NothingOpen : Clocking::Done;
}

Edit SetTimeIn(int rowId, const QString &typed)
{
    return recordedChange(rowId, [&] { return setTime(rowId, QStringLiteral("timein"), typed, false); });
}

Edit SetTimeOut(int rowId, const QString &typed)
{
    return recordedChange(rowId, [&] { return setTime(rowId, QStringLiteral("timeout"), typed, true); });
}

Edit SetNote(int rowId, const QString &typed)
{
    return recordedChange(rowId, [&] {
        return fromCount(
            Database::Execute(QStringLiteral("update TimeInOut set note = ? where id = ?"), {typed.trimmed(), rowId}));
    });
}

bool AddRow(int employeeId)
{
    return AddRow(employeeId, Clock::now());
}

bool AddRow(int employeeId, const QDateTime &at)
{
    const QString now = DateText::toDb(at);
    return Database::Transaction([&] {
        const qint64 id = Database::InsertRow(
            QStringLiteral("TimeInOut"),
            {QStringLiteral("employeeid"), QStringLiteral("timein"), QStringLiteral("timeout")},
            {employeeId, now, now});
        const std::optional<QString> row = id > 0 ? AuditLog::RowText(QStringLiteral("TimeInOut"), int(id))
                                                  : std::nullopt;
        return row
            && AuditLog::Record(AuditLog::kTimeRowAdded, AuditLog::EmployeeSubject(employeeId),
                                QStringLiteral("row %1: %2").arg(id).arg(*row));
    });
}

bool RemoveRow(int rowId)
{
    return Database::Transaction([&] {
        const auto owner = Database::GetRS(QStringLiteral("select employeeid from TimeInOut where id = ?"), {rowId});
        const std::optional<QString> before = AuditLog::RowText(QStringLiteral("TimeInOut"), rowId);
        if (!owner || !before)
            return false;
        if (owner->isEmpty())
            return true; // removed already: nothing to record
        return Database::Execute(QStringLiteral("delete from TimeInOut where id = ?"), {rowId}) >= 0
            && AuditLog::Record(AuditLog::kTimeRowRemoved, AuditLog::EmployeeSubject(owner->value(0, 0).toInt()),
                                QStringLiteral("row %1 before: %2").arg(rowId).arg(*before));
    });
}

} // namespace TimeClockStore
