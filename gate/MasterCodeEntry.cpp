#include "gate/MasterCodeEntry.h"

#include "data/AuditLog.h"
#include "data/UserPrompts.h"
#include "gate/AdminGate.h"
#include "gate/MasterCode.h"

namespace MasterCodeEntry {
namespace {

const QString kTitle = QStringLiteral("Master Code");

// Typed hidden, both times: a code shown on screen is a code seen.
std::optional<QString> ask(const QString &prompt)
{
    std::optional<QString> typed = Prompts().inputHidden(prompt, kTitle);
    if (typed)
        *typed = typed->trimmed();
    return typed;
}

void refuse(const QString &why)
{
    Prompts().message(why + QStringLiteral(" The master code was not changed."), kTitle);
}

} // namespace

void Run()
{
    const std::optional<QString> admin = AdminGate::Pass();
    if (!admin)
        return;
    const AuditLog::Acting acting(*admin);
    const std::optional<QString> code = ask(QStringLiteral("The new master code (4 or 5 digits):"));
    if (!code)
        return;
    if (!MasterCode::IsWellFormed(*code))
        return refuse(QStringLiteral("A master code is 4 or 5 digits, nothing else: the PIN keypad takes "
                                     "no more than 5."));
    if (*code == MasterCode::kDefault)
        return refuse(QStringLiteral("The new master code must differ from the one every copy of Tessaly "
                                     "starts with."));
    const std::optional<bool> someonesPin = MasterCode::IsAnEmployeesPin(*code);
    if (!someonesPin)
        return;
    if (*someonesPin)
        return refuse(QStringLiteral("The new master code is an employee's PIN, which would let that employee "
                                     "open every gate as the master code. Choose a code no employee uses."));
    const std::optional<QString> again = ask(QStringLiteral("The new master code once more:"));
    if (!again)
        return;
    if (*again != *code)
        return refuse(QStringLiteral("The two codes typed differ."));
    if (!MasterCode::Change(*code))
        return refuse(QStringLiteral("The new code could not be stored."));
    Prompts().message(QStringLiteral("The master code was changed for every counter of this database. "
                                     "The old one opens nothing any more."),
                      kTitle);
}

} // namespace MasterCodeEntry
