#pragma once

#include "web/WebExchange.h"

#include <QTcpServer>
#include <functional>

// Answers plain HTTP GETs on 127.0.0.1 with a PageResponder, one request per
// connection, so a real browser can load the pages and poll them. Only for
// tests: no access check, no limits.
class LoopbackPages : public QObject
{
    Q_OBJECT
public:
    LoopbackPages(const PageResponder &pages, QObject *parent = nullptr);

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    // Called with each request before it is answered.
    void onRequest(std::function<void(const WebRequest &)> hook) { m_hook = std::move(hook); }

private:
    void answer(QTcpSocket *socket);

    const PageResponder &m_pages;
    QTcpServer m_server;
    std::function<void(const WebRequest &)> m_hook;
};
