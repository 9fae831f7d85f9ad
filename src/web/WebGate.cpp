#include "web/WebGate.h"

#include "web/LoginPage.h"
#include "web/StatusText.h"

#include <QUrl>

using namespace Qt::StringLiterals;

QByteArray IncomingRequest::header(QByteArrayView name, QByteArrayView separator) const
{
    QByteArray value;
    for (const auto &field : headers) {
        if (QByteArrayView(field.first).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!value.isEmpty())
            value += separator;
        value += field.second.trimmed();
    }
    return value;
}

namespace {

const QString LoginPath = u"/giris"_s;
const QString LogoutPath = u"/cikis"_s;

// Pages and their SVG charts come from here only; the login form posts here.
constexpr QByteArrayView Policy = "default-src 'self'; img-src 'self' data:; style-src 'self' 'unsafe-inline'; "
                                  "script-src 'self'; object-src 'none'; base-uri 'none'; "
                                  "form-action 'self'; frame-ancestors 'none'";

void addHeader(WebResponse &response, const QByteArray &name, const QByteArray &value)
{
    response.headers.append({name, value});
}

WebResponse plain(int status)
{
    WebResponse response;
    response.status = status;
    response.body = StatusText::page(status);
    return response;
}

WebResponse redirect(const QString &location)
{
    WebResponse response = plain(303);
    addHeader(response, "Location", QUrl(location, QUrl::TolerantMode).toEncoded());
    return response;
}

// Only a path of this server: never another site, never a header break.
QString localTarget(const QString &next)
{
    if (!next.startsWith(u'/') || next.startsWith(u"//"_s) || next.startsWith(u"/\\"_s)
        || next.contains(u'\r') || next.contains(u'\n') || next.startsWith(LoginPath))
        return u"/"_s;
    return next;
}

QByteArray cookieValue(const IncomingRequest &request)
{
    for (const QByteArray &pair : request.header("cookie", ";").split(';')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0 && pair.first(equals).trimmed() == WebGate::CookieName)
            return pair.sliced(equals + 1).trimmed();
    }
    return {};
}

QByteArray cookie(const IncomingRequest &request, const QByteArray &value, qint64 maxAge)
{
    QByteArray text = WebGate::CookieName.toByteArray() + '=' + value + "; Path=/; Max-Age="
                      + QByteArray::number(maxAge) + "; HttpOnly; SameSite=Strict";
    // Behind a proxy that speaks TLS the cookie must never travel in clear.
    if (request.header("x-forwarded-proto").compare("https", Qt::CaseInsensitive) == 0)
        text += "; Secure";
    return text;
}

QUrlQuery formFields(const QByteArray &body)
{
    // A form's spaces come as '+', which QUrlQuery keeps as it is.
    QByteArray text = body;
    text.replace('+', "%20");
    return QUrlQuery(QString::fromUtf8(text));
}

} // namespace

WebGate::WebGate(const PageResponder &pages, WebLogin login, BearerToken token, WebSessions sessions)
    : m_pages(pages)
    , m_login(std::move(login))
    , m_token(std::move(token))
    , m_sessions(std::move(sessions))
{
}

WebResponse WebGate::answer(const IncomingRequest &request)
{
    const bool reading = request.method == "GET" || request.method == "HEAD";
    WebResponse response;
    if (request.path == LoginPath && (reading || request.method == "POST")) {
        response = reading ? loginForm(request) : login(request);
    } else if (request.path == LogoutPath && (reading || request.method == "POST")) {
        response = logout(request);
    } else if (!reading) {
        response = plain(405);
        const bool formPath = request.path == LoginPath || request.path == LogoutPath;
        addHeader(response, "Allow", formPath ? "GET, HEAD, POST" : "GET, HEAD");
    } else if (!allowed(request)) {
        response = refuseAccess(request);
    } else {
        response = m_pages.respond({request.path, request.query});
    }
    addSecurityHeaders(response);
    return response;
}

WebResponse WebGate::loginForm(const IncomingRequest &request)
{
    const QString next = localTarget(request.query.queryItemValue(u"sonra"_s, QUrl::FullyDecoded));
    return {200, "text/html; charset=utf-8", LoginPage::html({}, {}, next), {}};
}

WebResponse WebGate::login(const IncomingRequest &request)
{
    if (!request.header("content-type").toLower().startsWith("application/x-www-form-urlencoded"))
        return plain(415);
    // A form another site posts here could lock the staff out of the station
    // with wrong passwords; browsers say where a form came from.
    if (request.header("sec-fetch-site").compare("cross-site", Qt::CaseInsensitive) == 0)
        return plain(403);
    const QUrlQuery form = formFields(request.body);
    const QString name = form.queryItemValue(u"ad"_s, QUrl::FullyDecoded).trimmed();
    const QString next = localTarget(form.queryItemValue(u"sonra"_s, QUrl::FullyDecoded));
    const WebLogin::Result result = m_login.check(name, form.queryItemValue(u"sifre"_s, QUrl::FullyDecoded));
    if (result.outcome == WebLogin::Outcome::Correct) {
        WebResponse response = redirect(next);
        addHeader(response, "Set-Cookie", cookie(request, m_sessions.open(name), WebSessions::LifetimeSeconds));
        return response;
    }
    WebResponse response{403, "text/html; charset=utf-8", LoginPage::html(result.message, name, next), {}};
    if (result.outcome == WebLogin::Outcome::Locked) {
        response.status = 429;
        addHeader(response, "Retry-After", QByteArray::number(result.lockedSeconds));
    } else if (result.outcome == WebLogin::Outcome::Unreadable) {
        response.status = 503;
    }
    return response;
}

WebResponse WebGate::logout(const IncomingRequest &request)
{
    if (const QByteArray id = cookieValue(request); !id.isEmpty())
        m_sessions.close(id);
    WebResponse response = redirect(LoginPath);
    addHeader(response, "Set-Cookie", cookie(request, {}, 0));
    return response;
}

bool WebGate::allowed(const IncomingRequest &request)
{
    if (const QByteArray id = cookieValue(request); !id.isEmpty() && m_sessions.staff(id))
        return true;
    return m_token.matches(request.header("authorization"));
}

WebResponse WebGate::refuseAccess(const IncomingRequest &request)
{
    // A browser goes to the form; a program (CSV, the page's polling) is told.
    const bool browser = request.header("accept").contains("text/html") && !request.path.startsWith(u"/csv/"_s);
    if (browser) {
        QString target = request.path;
        if (!request.query.isEmpty())
            target += u'?' + request.query.toString(QUrl::FullyEncoded);
        return redirect(LoginPath + u"?sonra="_s + QString::fromLatin1(QUrl::toPercentEncoding(target)));
    }
    WebResponse response = plain(401);
    addHeader(response, "WWW-Authenticate", "Bearer realm=\"Tavran\"");
    return response;
}

void WebGate::addSecurityHeaders(WebResponse &response)
{
    addHeader(response, "Cache-Control", "no-store");
    addHeader(response, "X-Content-Type-Options", "nosniff");
    addHeader(response, "Content-Security-Policy", Policy.toByteArray());
    addHeader(response, "X-Frame-Options", "DENY");
    addHeader(response, "Referrer-Policy", "no-referrer");
}
