#include "web/WebServer.h"

#include "web/GuardedTcpServer.h"
#include "web/StatusText.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>

namespace {

QByteArray methodName(QHttpServerRequest::Method method)
{
    using Method = QHttpServerRequest::Method;
    switch (method) {
    case Method::Get:
        return "GET";
    case Method::Head:
        return "HEAD";
    case Method::Post:
        return "POST";
    case Method::Put:
        return "PUT";
    case Method::Delete:
        return "DELETE";
    case Method::Options:
        return "OPTIONS";
    case Method::Patch:
        return "PATCH";
    default:
        break;
    }
    return "OTHER";
}

} // namespace

WebServer::WebServer(WebGate &gate, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_gate(gate)
{
}

quint16 WebServer::start(const QHostAddress &address, quint16 port, QString *error)
{
    auto *server = new GuardedTcpServer(this);
    if (!server->listen(address, port)) {
        if (error)
            *error = server->errorString();
        delete server;
        return 0;
    }
    bind(server);
    return server->serverPort();
}

bool WebServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    const IncomingRequest incoming{methodName(request.method()), request.url().path(), request.query(),
                                   request.headers(), request.body()};
    send(request, socket, m_gate.answer(incoming), incoming.method != "HEAD");
    return true;
}

void WebServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    send(request, socket, {404, "text/html; charset=utf-8", StatusText::page(404), {}}, true);
}

void WebServer::send(const QHttpServerRequest &request, QTcpSocket *socket, const WebResponse &response,
                     bool withBody)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(response.status));
    responder.writeHeader("Content-Type", response.contentType);
    for (const auto &header : response.headers)
        responder.writeHeader(header.first, header.second);
    responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
    responder.writeBody(withBody ? response.body : QByteArray());
}
