// src/web/WebExchange.h
#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrlQuery>

// One GET as the pages see it: the path and its query, already past the access check.
struct WebRequest
{
    QString path;   // "/", "/gun", "/csv/report", ...
    QUrlQuery query;
};

// What a page answers; the server adds nothing but its own security headers.
struct WebResponse
{
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
};

// Answers the read-only pages; the server owns access, limits and sockets.
class PageResponder
{
public:
    virtual ~PageResponder() = default;
    virtual WebResponse respond(const WebRequest &request) const = 0;
};
