#pragma once

#include <QByteArray>
#include <QtGlobal>

// Many loopback clients at once, each sending one request over its kept-alive
// connection as soon as the answer to the last has come in whole.
namespace ParallelClients {

struct Outcome
{
    int answered = 0;
    int ok = 0; // status 200
};

// Runs the event loop until every client has had `perClient` answers or
// `timeoutMs` passed.
Outcome run(quint16 port, const QByteArray &request, int clients, int perClient, int timeoutMs);

} // namespace ParallelClients
