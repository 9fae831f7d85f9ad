#pragma once

#include "web/BearerToken.h"
#include "web/WebExchange.h"
#include "web/WebLogin.h"
#include "web/WebSessions.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrlQuery>

// One request as it came, before anything is decided about it.
struct IncomingRequest
{
    QByteArray method; // "GET", "POST", ...
    QString path;
    QUrlQuery query;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    // The value of a header (names compare case-insensitively); several
    // fields of one name joined by `separator`.
    QByteArray header(QByteArrayView name, QByteArrayView separator = ", ") const;
};

// What the web server decides for each request: the login form and logout,
// the access check (session cookie or a wall screen's token), then the pages.
// Every answer gets the security headers.
class WebGate
{
public:
    static constexpr QByteArrayView CookieName = "tavran_oturum";

    WebGate(const PageResponder &pages, WebLogin login, BearerToken token, WebSessions sessions = WebSessions());

    WebResponse answer(const IncomingRequest &request);

private:
    static WebResponse loginForm(const IncomingRequest &request);
    WebResponse login(const IncomingRequest &request);
    WebResponse logout(const IncomingRequest &request);
    bool allowed(const IncomingRequest &request);
    static WebResponse refuseAccess(const IncomingRequest &request);
    static void addSecurityHeaders(WebResponse &response);

    const PageResponder &m_pages;
    WebLogin m_login;
    BearerToken m_token;
    WebSessions m_sessions;
};
