#include "support/ParallelClients.h"

#include "support/ServeProcess.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace ParallelClients {

Outcome run(quint16 port, const QByteArray &request, int clients, int perClient, int timeoutMs)
{
    struct Client
    {
        QTcpSocket socket;
        QByteArray pending;
        int answered = 0;
        int ok = 0;
    };
    QEventLoop loop;
    int finished = 0;
    std::vector<std::unique_ptr<Client>> all;
    for (int i = 0; i < clients; ++i) {
        auto client = std::make_unique<Client>();
        Client *c = client.get();
        QObject::connect(&c->socket, &QTcpSocket::connected, &loop, [c, &request] { c->socket.write(request); });
        QObject::connect(&c->socket, &QTcpSocket::readyRead, &loop, [c, &request, &loop, &finished, clients, perClient] {
            c->pending += c->socket.readAll();
            for (;;) {
                const qsizetype end = c->pending.indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                const HttpReply head = ServeProcess::parse(c->pending.first(end + 4));
                const qsizetype total = end + 4 + head.header("Content-Length").toLongLong();
                if (c->pending.size() < total)
                    return;
                c->pending.remove(0, total);
                c->ok += head.status == 200 ? 1 : 0;
                if (++c->answered < perClient) {
                    c->socket.write(request);
                } else if (++finished == clients) {
                    loop.quit();
                    return;
                }
            }
        });
        QObject::connect(&c->socket, &QTcpSocket::disconnected, &loop, [&loop, &finished, clients, c, perClient] {
            if (c->answered < perClient && ++finished == clients)
                loop.quit();
        });
        c->socket.connectToHost(u"127.0.0.1"_s, port);
        all.push_back(std::move(client));
    }
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    Outcome outcome;
    for (const auto &c : all) {
        outcome.answered += c->answered;
        outcome.ok += c->ok;
    }
    return outcome;
}

} // namespace ParallelClients
