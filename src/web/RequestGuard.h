#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Follows the bytes one connection sends, request by request, so that a
// header block or a body past its limit is refused as it arrives instead of
// being held in memory until the HTTP parser has all of it.
class RequestGuard
{
public:
    struct Limits
    {
        qsizetype headerBytes = 16 * 1024; // request line and header fields
        qsizetype bodyBytes = 8 * 1024;    // a login form is a few dozen bytes
    };
    enum class Verdict {
        Fine,
        HeaderTooLarge,   // 431
        BodyTooLarge,     // 413
        LengthRequired,   // 411: a chunked body, whose size is known only at its end
        Malformed,        // 400: no request line, an unreadable or doubled Content-Length
    };

    RequestGuard() = default;
    explicit RequestGuard(Limits limits);

    // Takes the next bytes of the connection; once a verdict other than Fine
    // is given, it stays.
    Verdict feed(QByteArrayView bytes);
    // Whether part of a request has come and the rest is awaited.
    bool midRequest() const;

    static int status(Verdict verdict);

private:
    Verdict endOfHeader(qsizetype end);
    Verdict checkRequestLine();

    Limits m_limits;
    QByteArray m_header;        // the unfinished header block
    bool m_lineChecked = false; // its request line has been looked at
    qint64 m_bodyLeft = 0;      // body bytes still to come
    Verdict m_verdict = Verdict::Fine;
};
