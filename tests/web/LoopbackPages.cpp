#include "LoopbackPages.h"

#include <QTcpSocket>
#include <QUrl>

using namespace Qt::StringLiterals;

LoopbackPages::LoopbackPages(const PageResponder &pages, QObject *parent)
    : QObject(parent)
    , m_pages(pages)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool LoopbackPages::listen()
{
    return m_server.listen(QHostAddress::LocalHost);
}

void LoopbackPages::answer(QTcpSocket *socket)
{
    if (!socket->canReadLine() || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    const QList<QByteArray> words = socket->readLine().trimmed().split(' ');
    const QUrl url(u"http://127.0.0.1"_s + QString::fromUtf8(words.value(1)));
    const WebRequest request{url.path(), QUrlQuery(url)};
    if (m_hook)
        m_hook(request);
    const WebResponse response = m_pages.respond(request);
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status)
        + " X\r\nContent-Type: " + response.contentType
        + "\r\nContent-Length: " + QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n";
    for (const auto &[name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    socket->write(head + "\r\n" + response.body);
    socket->disconnectFromHost();
}
