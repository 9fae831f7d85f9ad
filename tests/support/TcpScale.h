#pragma once

#include "station/SettingsStore.h"

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// A scale on a real TCP link on the loopback: the station connects to it at
// start-up, and the test sends the scale's text.
class TcpScale
{
public:
    TcpScale()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *next = server.nextPendingConnection())
                client = next;
        });
    }
    // The station key names this scale as the station's first one.
    void becomeStationScale() const
    {
        WriteRegValue(QStringLiteral("Tart0"), QStringLiteral("True"));
        WriteRegValue(QStringLiteral("IpNo0"), QStringLiteral("127.0.0.1"));
        WriteRegValue(QStringLiteral("PortNo0"), QString::number(server.serverPort()));
    }
    bool waitForStation() { return QTest::qWaitFor([this] { return client != nullptr; }, 10000); }
    void send(const QByteArray &text)
    {
        client->write(text);
        client->flush();
    }

    QTcpServer server;
    QTcpSocket *client = nullptr;
};
