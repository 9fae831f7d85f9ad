#include "web/GuardedTcpServer.h"

#include "web/StatusText.h"

#include <QLoggingCategory>
#include <QTcpSocket>
#include <QTimer>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcGuard, "tavran.web.guard")

namespace {

// Lets the server see whether anyone still reads the socket: the HTTP
// parser drops its connections when a request does not parse.
class GuardedSocket : public QTcpSocket
{
public:
    explicit GuardedSocket(QObject *parent)
        : QTcpSocket(parent)
    {
    }
    // Qt 6.4's parser disconnects every signal of a socket it gives up on.
    bool parserGaveUp() const { return receivers(SIGNAL(readyRead())) == 0; }
};

} // namespace

GuardedTcpServer::GuardedTcpServer(QObject *parent)
    : QTcpServer(parent)
{
}

void GuardedTcpServer::refuse(QTcpSocket *socket, int status)
{
    if (socket->state() != QAbstractSocket::ConnectedState)
        return;
    const QByteArray body = StatusText::page(status);
    socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + StatusText::reason(status)
                  + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
                  + QByteArray::number(body.size())
                  + "\r\nConnection: close\r\nCache-Control: no-store\r\n"
                    "X-Content-Type-Options: nosniff\r\n\r\n"
                  + body);
    socket->disconnectFromHost();
}

void GuardedTcpServer::incomingConnection(qintptr handle)
{
    auto *socket = new GuardedSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    // The timer is the socket's child, so its end is the socket's, and its
    // signals survive the parser disconnecting the socket's.
    auto *timer = new QTimer(socket);
    ++m_open;
    connect(timer, &QObject::destroyed, this, [this] { --m_open; });
    // Whatever the HTTP server does with the socket, it goes once closed.
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (m_open > MaxConnections) {
        qCWarning(lcGuard) << "refused a connection:" << MaxConnections << "are open";
        refuse(socket, 503);
        return;
    }

    timer->setSingleShot(true);
    timer->setInterval(IdleSeconds * 1000);
    connect(timer, &QTimer::timeout, socket, [socket] {
        qCDebug(lcGuard) << "closing a stalled or idle connection";
        socket->abort();
        socket->deleteLater();
    });
    timer->start();

    // Connected before the HTTP server's own reader, so this sees each new
    // piece first; peek leaves it for the parser.
    auto guard = std::make_shared<RequestGuard>();
    connect(socket, &QTcpSocket::readyRead, socket, [socket, guard, timer] {
        if (guard->feed(socket->peek(socket->bytesAvailable())) != RequestGuard::Verdict::Fine) {
            const int status = RequestGuard::status(guard->feed({}));
            qCInfo(lcGuard) << "refused a request with" << status;
            socket->readAll(); // nothing of it reaches the parser
            timer->start(); // a last while for the answer to leave
            refuse(socket, status);
            return;
        }
        if (!guard->midRequest())
            timer->start();
        // The parser reads after this; look again once it has.
        QTimer::singleShot(0, socket, [socket, timer] {
            if (socket->parserGaveUp() && socket->state() == QAbstractSocket::ConnectedState) {
                qCInfo(lcGuard) << "the HTTP parser refused a request";
                timer->start();
                socket->readAll();
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                refuse(socket, 400);
            }
        });
    });
    addPendingConnection(socket);
}
