#include "gate/DefaultCodeReminder.h"

#include "data/Clock.h"
#include "data/Settings.h"
#include "data/UserPrompts.h"
#include "gate/AdminGate.h"
#include "gate/MasterCode.h"

namespace DefaultCodeReminder {
namespace {

const QString kSection = QStringLiteral("Gate");
const QString kToldOn = QStringLiteral("DefaultCodeToldOn");

} // namespace

std::optional<QString> PassAndRemind()
{
    std::optional<QString> opener = AdminGate::Pass();
    if (opener)
        TellIfDue();
    return opener;
}

void TellIfDue()
{
    const QString today = Clock::today().toString(Qt::ISODate);
    if (Settings::get(kSection, kToldOn) == today || !MasterCode::IsDefault())
        return;
    Prompts().message(QStringLiteral("The master code is still the one every copy of Tessaly starts with (%1). "
                                     "Change it today: Admin \u2192 Settings \u2192 Master Code.")
                          .arg(MasterCode::kDefault));
    Settings::save(kSection, kToldOn, today);
}

} // namespace DefaultCodeReminder
