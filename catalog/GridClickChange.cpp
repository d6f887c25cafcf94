#include "catalog/GridClickChange.h"

#include "data/Database.h"
#include "data/UserPrompts.h"

bool RunGridClickChange(const std::function<bool()> &change)
{
    bool done = false;
    {
        Database::HeldErrors held; // told below, under the handler's label
        done = change();
    }
    if (!done && !Database::LastError().isEmpty())
        Prompts().message(QStringLiteral("Vbalgrid1_mouseup:") + Database::LastReason());
    return done;
}
