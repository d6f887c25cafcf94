#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The record of what was done behind the administrator gate. Rows are only
// ever added (the schema's triggers refuse anything else); each is written
// through the connection of the action it records, so inside the action's
// transaction it stands or falls with it.
namespace AuditLog {

// The actions recorded, as stored in `action`.
inline const QString kReopen = QStringLiteral("re-open");
inline const QString kFinalizeAfterReopen = QStringLiteral("finalize after re-open");
inline const QString kTicketDelete = QStringLiteral("ticket delete");
// A quantity, price, charge or note of a line changed.
inline const QString kLineChanged = QStringLiteral("line changed");
inline const QString kTaxExemptChanged = QStringLiteral("tax exempt changed");
inline const QString kLineRemoved = QStringLiteral("line removed");
inline const QString kPaymentRemoved = QStringLiteral("payment removed");
inline const QString kTimeRowAdded = QStringLiteral("time row added");
inline const QString kTimeRowChanged = QStringLiteral("time row changed");
inline const QString kTimeRowRemoved = QStringLiteral("time row removed");
inline const QString kEmployeeAdded = QStringLiteral("employee added");
inline const QString kEmployeeChanged = QStringLiteral("employee changed");
inline const QString kCleanup = QStringLiteral("database clean-up");
inline const QString kRestore = QStringLiteral("restore");
inline const QString kImport = QStringLiteral("import");
// Customers, products, labor or tickets written to a file.
inline const QString kExport = QStringLiteral("export");
inline const QString kPinRefused = QStringLiteral("PIN refused");
// Refused unread while the gate is shut after too many wrong PINs (not
// counted again).
inline const QString kPinRefusedShut = QStringLiteral("PIN refused, gate shut");
inline const QString kGateOpened = QStringLiteral("gate opened");
inline const QString kMasterCodeChanged = QStringLiteral("master code changed");

// Every action above, in the order the audit log window offers them.
QStringList Actions();

// Who opened the gate: an employee ("Ann Admin (#3)") or "master".
inline const QString kMaster = QStringLiteral("master");

// This counter's name in the log: the machine's host name.
QString CounterName();

// Names the administrator behind the actions recorded while it lives (the
// gate's opener, held for as long as the window it opened stays open).
// Nested scopes restore the outer name.
class Acting
{
public:
    explicit Acting(const QString &who);
    ~Acting();
    Acting(const Acting &) = delete;
    Acting &operator=(const Acting &) = delete;

private:
    QString m_before;
};
// The administrator acting now; "" outside any gate.
QString ActingAdministrator();

// Adds one row for the acting administrator (or `who` when given) at this
// counter, now. False after a failure, which the data layer has shown.
bool Record(const QString &action, const QString &subject, const QString &details = QString());
bool RecordAs(const QString &who, const QString &action, const QString &subject, const QString &details = QString());

// "ticket 42", "employee 7".
QString TicketSubject(int salesId);
QString EmployeeSubject(int employeeId);

// Who last re-opened a ticket behind the gate: "" when it never was (so
// it has never been closed and re-opened since the log began), nullopt
// after a failure.
std::optional<QString> ReopenedBy(int salesId);

// A stored row as the log keeps it: "column=value" pairs, joined by " | ", of every column
// but the id, NULL as an empty value, so a "before" and an "after" compare
// by eye. nullopt when the row can't be read; "" when there is none.
std::optional<QString> RowText(const QString &table, int id);
// A ticket as the log keeps it: its own row, then each equipment line, labor
// line and payment, one a line ("ticket: …", "equipment: …", "labor: …",
// "payment: …"), so what a removed or re-closed ticket held can be read
// back. nullopt when it can't be read.
std::optional<QString> TicketText(int salesId);

struct Entry
{
    int id = 0;
    QDateTime at;
    QString counter, who, action, subject, details;
};

// The entries from `from` to `to` (whole days), newest first; an empty
// filter takes every action or person. nullopt after a failure.
std::optional<QList<Entry>> Entries(const QDate &from, const QDate &to, const QString &action = QString(),
                                    const QString &who = QString());

// How many PINs this counter had refused since `since` and since the gate
// last opened here, and when the latest was; nullopt after a failure.
struct Refusals
{
    int count = 0;
    QDateTime latest;
};
std::optional<Refusals> RefusedHere(const QDateTime &since);

} // namespace AuditLog
