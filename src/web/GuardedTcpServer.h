#pragma once

#include "web/RequestGuard.h"

#include <QTcpServer>

// The listening socket of the web server. It hands the HTTP server only
// connections it watches: at most MaxConnections at once, each closed when a
// request stalls or sits idle longer than IdleSeconds, and answered with a
// clear status and closed when a request breaks the limits or the HTTP parser
// gives up on it (the parser of Qt 6.4 would leave such a socket open).
class GuardedTcpServer : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr int MaxConnections = 256;
    static constexpr int IdleSeconds = 30;

    explicit GuardedTcpServer(QObject *parent = nullptr);

    int openConnections() const { return m_open; }

    // Writes `status` with a short Turkish text and closes the connection.
    static void refuse(QTcpSocket *socket, int status);

protected:
    void incomingConnection(qintptr handle) override;

private:
    int m_open = 0;
};
