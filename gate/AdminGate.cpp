#include "gate/AdminGate.h"

#include "data/Database.h"
#include "data/UserPrompts.h"
#include "gate/MasterCode.h"

namespace AdminGate {

bool IsMasterCode(const QString &pin)
{
    return MasterCode::Matches(pin);
}

bool IsAdminPin(const QString &pin)
{
    const QString entered = pin.trimmed();
    if (entered.isEmpty())
        return false;
    // An employee made inactive opens nothing, whatever the role; active
    // NULL counts as active, as on the time clock.
    const auto admins = Database::GetRS(
        QStringLiteral("select pin from employee where %1 and coalesce(active, 1) <> 0")
            .arg(Database::CurrentDialect().textEquals(QStringLiteral("role"))),
        {QStringLiteral("admin")});
    if (admins) {
        for (int r = 0; r < admins->rowCount(); ++r) {
            if (admins->value(r, 0).toString().trimmed() == entered)
                return true;
        }
    }
    return IsMasterCode(entered);
}

bool Pass(PinSource &source)
{
    const std::optional<QString> pin = source.askPin();
    if (!pin)
        return false;
    if (IsAdminPin(*pin))
        return true;
    Prompts().message(QStringLiteral("Invalid PIN"));
    return false;
}

bool Pass()
{
    return Pass(CurrentPinSource());
}

} // namespace AdminGate
