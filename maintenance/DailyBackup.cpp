#include "maintenance/DailyBackup.h"

#include "data/Database.h"
#include "maintenance/AutomaticBackup.h"

DailyBackup::DailyBackup() : m_writesBackedUp(Database::WritesMade())
{ }

QString DailyBackup::atStart()
{
    if (!AutomaticBackup::IsOn() || !AutomaticBackup::IsDue())
        return QString();
    return make();
}

QString DailyBackup::atClose()
{
    if (!AutomaticBackup::IsOn())
        return QString();
    if (Database::WritesMade() == m_writesBackedUp && !AutomaticBackup::IsDue())
        return QString();
    return make();
}

QString DailyBackup::make()
{
    const AutomaticBackup::Outcome outcome = AutomaticBackup::Make();
    // Counted after the backup: its own statements are no day's work.
    m_writesBackedUp = Database::WritesMade();
    // A good backup is said only when older ones could not be removed: the
    // folder would fill up unseen.
    if ((outcome.ok && outcome.notRemoved.isEmpty()) || m_failureSaid)
        return QString();
    m_failureSaid = true;
    return outcome.message;
}
