#pragma once

#include "data/Database.h"

#include <QString>

// While one lives, this thread's connection reads the database but can't
// write to it, as when the server was put in read-only mode or the disk
// went read-only: every statement that writes fails with the engine's
// reason. A fresh connection writes again.
class RefusedWrites
{
public:
    explicit RefusedWrites(Engine engine)
    {
        ok = Database::Execute(engine == Engine::SQLite ? QStringLiteral("pragma query_only = 1")
                                                        : QStringLiteral("set default_transaction_read_only = on"))
            >= 0;
    }
    ~RefusedWrites() { Database::CloseConnections(); }
    RefusedWrites(const RefusedWrites &) = delete;
    RefusedWrites &operator=(const RefusedWrites &) = delete;

    bool ok = false;
};
