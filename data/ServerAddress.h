#pragma once

#include <QString>

// A database server as the settings store names it: "host" or "host:port",
// blank for this machine. A port that is not a number is left on the host,
// where the connection then fails with the server's name as typed.
struct ServerAddress
{
    QString host;
    int port = 0;

    static ServerAddress parse(const QString &server, int defaultPort);
};
