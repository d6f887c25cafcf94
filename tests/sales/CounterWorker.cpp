// One counter of the two-counter test: finalizes and re-opens its tickets a
// fixed number of times on the PostgreSQL catalog it is given.
//   counter_worker HOST:PORT CATALOG CYCLES TICKET...
#include "data/Database.h"
#include "sales/TicketStore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: counter_worker HOST:PORT CATALOG CYCLES TICKET...\n");
        return 2;
    }
    Database::ConnectionSettings s;
    s.engine = Engine::PostgreSQL;
    s.serverName = args[1];
    s.catalog = args[2];
    Database::SetOverride(s);
    const int cycles = args[3].toInt();
    QList<int> tickets;
    for (int i = 4; i < args.size(); ++i)
        tickets << args[i].toInt();
    int failures = 0;
    for (int c = 0; c < cycles; ++c) {
        for (int t : tickets)
            failures += TicketStore::CloseTicket(t) != TicketChange::Done;
        // The last cycle leaves every ticket closed.
        if (c + 1 == cycles)
            break;
        for (int t : tickets)
            failures += TicketStore::ReopenTicket(t) != TicketChange::Done;
    }
    Database::CloseConnections();
    if (failures)
        std::fprintf(stderr, "counter_worker: %d steps failed\n", failures);
    return failures ? 1 : 0;
}
