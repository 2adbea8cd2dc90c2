#pragma once

#include <QString>

// What the host knows of a request beyond its text: who sent it (through a
// trusted proxy, the address the proxy names) and how it came.
struct CPageVisit
{
    QString remoteAddress;
    QString hostName;      // the Host header without its port, lower case
    quint16 serverPort = 0;
    bool https = false;
};
