#include "gate/AdminGate.h"

#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/UserPrompts.h"
#include "gate/MasterCode.h"

#include <algorithm>

namespace AdminGate {

namespace {

constexpr int kWrongPinsAllowed = 5;
constexpr int kCountMinutes = 10;
constexpr int kLongestShutMinutes = 60;

QString openerName(const Recordset &admins, int row)
{
    const QString name = (admins.text(row, QStringLiteral("firstname")) + QLatin1Char(' ')
                          + admins.text(row, QStringLiteral("lastname")))
                             .trimmed();
    return QStringLiteral("%1 (#%2)").arg(name, admins.value(row, QStringLiteral("id")).toString());
}

QString shutMessage(int minutes)
{
    return minutes <= 1 ? QStringLiteral("Too many wrong PINs: try again in a minute")
                        : QStringLiteral("Too many wrong PINs: try again in %1 minutes").arg(minutes);
}

using OpenerCheck = std::optional<QString> (*)(const QString &pin);

std::optional<QString> masterCodeOnly(const QString &pin)
{
    const QString entered = pin.trimmed();
    if (!entered.isEmpty() && IsMasterCode(entered))
        return AuditLog::kMaster;
    return std::nullopt;
}

// A refusal the log could not take would never count towards the lockout,
// so guessing could go on for ever: an outcome that can't be written opens
// nothing, and the one message says why, the same for a right PIN as for a
// wrong one, so it tells a guesser nothing either.
bool recorded(const QString &who, const QString &action, const QString &subject)
{
    const Database::HeldErrors held;
    if (AuditLog::RecordAs(who, action, subject))
        return true;
    const QString reason = Database::LastReason().isEmpty() ? Database::LastError() : Database::LastReason();
    Prompts().message(QStringLiteral("The audit log could not be written, so the gate stays shut: %1").arg(reason));
    return false;
}

// One typed PIN behind the lockout: refused unread while the gate is shut,
// else checked by `openerOf`; every outcome goes into the log before it is
// told.
std::optional<QString> checked(const QString &pin, OpenerCheck openerOf, const QString &subject)
{
    const std::optional<int> shut = MinutesShut();
    if (!shut)
        return std::nullopt; // the data layer has said why
    if (*shut > 0) {
        if (recorded(QString(), AuditLog::kPinRefusedShut, subject))
            Prompts().message(shutMessage(*shut));
        return std::nullopt;
    }
    const std::optional<QString> opener = openerOf(pin);
    if (!opener) {
        // The PIN itself is never written down.
        if (recorded(QString(), AuditLog::kPinRefused, subject))
            Prompts().message(QStringLiteral("Invalid PIN"));
        return std::nullopt;
    }
    if (!recorded(*opener, AuditLog::kGateOpened, subject))
        return std::nullopt;
    return opener;
}

} // namespace

bool IsMasterCode(const QString &pin)
{
    return MasterCode::Matches(pin);
}

std::optional<QString> OpenerOf(const QString &pin)
{
    const QString entered = pin.trimmed();
    if (entered.isEmpty())
        return std::nullopt;
    const auto admins = Database::GetRS(
        QStringLiteral("select id, firstname, lastname, pin from employee where %1 and coalesce(active, 1) <> 0")
            .arg(Database::CurrentDialect().textEquals(QStringLiteral("role"))),
        {QStringLiteral("admin")});
    if (admins) {
        for (int r = 0; r < admins->rowCount(); ++r) {
            if (admins->text(r, QStringLiteral("pin")) == entered)
                return openerName(*admins, r);
        }
    }
    if (IsMasterCode(entered))
        return AuditLog::kMaster;
    return std::nullopt;
}

bool IsAdminPin(const QString &pin)
{
    return OpenerOf(pin).has_value();
}

std::optional<int> MinutesShut()
{
    const QDateTime now = Clock::now();
    const auto recent = AuditLog::RefusedHere(now.addSecs(-60 * kCountMinutes));
    if (!recent)
        return std::nullopt;
    if (recent->count < kWrongPinsAllowed)
        return 0;
    const auto today = AuditLog::RefusedHere(now.addDays(-1));
    if (!today)
        return std::nullopt;
    const int doublings = std::min(today->count - kWrongPinsAllowed, 6);
    const int length = std::min(1 << doublings, kLongestShutMinutes);
    const qint64 secondsLeft = now.secsTo(recent->latest.addSecs(60 * length));
    return secondsLeft > 0 ? int((secondsLeft + 59) / 60) : 0;
}

std::optional<QString> Pass(PinSource &source)
{
    const std::optional<QString> pin = source.askPin();
    if (!pin)
        return std::nullopt;
    return checked(*pin, OpenerOf, QString());
}

std::optional<QString> Pass()
{
    return Pass(CurrentPinSource());
}

bool PassMasterCode(const QString &pin, const QString &subject)
{
    return checked(pin, masterCodeOnly, subject).has_value();
}

} // namespace AdminGate
