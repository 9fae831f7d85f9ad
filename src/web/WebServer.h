#pragma once

#include "web/WebGate.h"

#include <QAbstractHttpServer>
#include <QHostAddress>

// Qt's HTTP server on one listening address, answering every request
// through the gate.
class WebServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    explicit WebServer(WebGate &gate, QObject *parent = nullptr);

    // Listens on `address`:`port` (0: any free port); returns the port, or 0
    // with `error` set.
    quint16 start(const QHostAddress &address, quint16 port, QString *error);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    void send(const QHttpServerRequest &request, QTcpSocket *socket, const WebResponse &response,
              bool withBody);

    WebGate &m_gate;
};
