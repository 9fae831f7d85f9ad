#include "support/ParallelClients.h"
#include "support/ServeProcess.h"
#include "support/TestStation.h"

#include "data/DemoStation.h"
#include "journal/JournalFile.h"
#include "staff/LoginLockout.h"
#include "staff/PasswordHash.h"
#include "staff/StaffPasswords.h"
#include "station/SettingsStore.h"
#include "web/GuardedTcpServer.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

// `tavran serve` over a demo station, spoken to on loopback sockets: who gets
// in, what the cookie says, what bad requests get, and that nothing stops it.
class TestWebServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void withoutAccess_data();
    void withoutAccess();
    void loginThroughTheForm();
    void token_data();
    void token();
    void wrongPasswordsLock();
    void badRequests_data();
    void badRequests();
    void burstOfRequests();
    void connectionsAtOnce();
    void stopsCleanly();

private:
    std::unique_ptr<TestStation> m_station;
    ServeProcess m_server;
};

namespace {

const QString Member = u"Ayşe Demir"_s;
const QString Guessed = u"Ahmet Yılmaz"_s;
const QByteArray Token = "duvar-ekrani-7f3a9c1e5b2d4086";

QByteArray form(const QString &name, const QString &password, const QString &next = {})
{
    // As a browser sends it: UTF-8, spaces as '+'.
    QByteArray body = "ad=" + QUrl::toPercentEncoding(name).replace("%20", "+") + "&sifre="
                      + QUrl::toPercentEncoding(password);
    if (!next.isEmpty())
        body += "&sonra=" + QUrl::toPercentEncoding(next);
    return body;
}

QByteArray sessionCookie(const HttpReply &reply)
{
    static const QRegularExpression pair(u"^tavran_oturum=([^;]*)"_s);
    return pair.match(QString::fromLatin1(reply.header("Set-Cookie"))).captured(1).toLatin1();
}

} // namespace

void TestWebServer::initTestCase()
{
    m_station = std::make_unique<TestStation>();
    QVERIFY(DemoStation::create(m_station->stationDir()));
    PasswordHash::setCost(PasswordHash::lightest());
    QVERIFY(StaffPasswords().store(Member, u"1234"_s));
    QVERIFY(StaffPasswords().store(Guessed, u"5678"_s));
    QVERIFY(SaveAppSetting(u"Properties"_s, u"WebToken"_s, QString::fromLatin1(Token)));
    QVERIFY2(m_server.start({u"--folder"_s, m_station->stationDir()}), m_server.errors().constData());
}

void TestWebServer::withoutAccess_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QByteArray>("accept");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("location");

    const QByteArray browser = "text/html,application/xhtml+xml,*/*;q=0.8";
    QTest::newRow("today, browser") << QByteArray("/") << browser << 303 << QByteArray("/giris?sonra=%2F");
    QTest::newRow("a day, browser keeps where it was going")
        << QByteArray("/gun?tarih=2026-12-09") << browser << 303
        << QByteArray("/giris?sonra=%2Fgun%3Ftarih%3D2026-12-09");
    QTest::newRow("unknown path, browser") << QByteArray("/yok") << browser << 303 << QByteArray();
    QTest::newRow("CSV, browser") << QByteArray("/csv/report?month=2026-12") << browser << 401 << QByteArray();
    QTest::newRow("today, a program") << QByteArray("/") << QByteArray("*/*") << 401 << QByteArray();
    QTest::newRow("polling") << QByteArray("/veri") << QByteArray("application/json") << 401 << QByteArray();
    QTest::newRow("a session that never was")
        << QByteArray("/") << QByteArray() << 401 << QByteArray();
}

void TestWebServer::withoutAccess()
{
    QFETCH(QByteArray, target);
    QFETCH(QByteArray, accept);
    QFETCH(QByteArray, location);
    QList<QByteArray> headers{"Cookie: tavran_oturum=" + QByteArray(64, 'a')};
    if (!accept.isEmpty())
        headers << "Accept: " + accept;
    const HttpReply reply = m_server.get(target, headers);
    QTEST(reply.status, "status");
    if (!location.isEmpty())
        QCOMPARE(reply.header("Location"), location);
    if (reply.status == 401)
        QVERIFY(reply.header("WWW-Authenticate").startsWith("Bearer"));
    QVERIFY(!reply.body.contains("Bugün"));
}

void TestWebServer::loginThroughTheForm()
{
    const HttpReply formPage = m_server.get("/giris?sonra=%2Fgun%3Ftarih%3D2026-12-09");
    QCOMPARE(formPage.status, 200);
    QVERIFY(formPage.body.contains("<form id=\"giris\" method=\"post\" action=\"/giris\">"));
    QVERIFY(formPage.body.contains("value=\"/gun?tarih=2026-12-09\""));

    const HttpReply login = m_server.postForm("/giris", form(Member, u"1234"_s, u"/"_s));
    QCOMPARE(login.status, 303);
    QCOMPARE(login.header("Location"), QByteArray("/"));
    const QByteArray setCookie = login.header("Set-Cookie");
    const QByteArray id = sessionCookie(login);
    QVERIFY2(QRegularExpression(u"^[0-9a-f]{64}$"_s).match(QString::fromLatin1(id)).hasMatch(), setCookie.constData());
    for (const QByteArray attribute : {"HttpOnly", "SameSite=Strict", "Path=/"})
        QVERIFY2(setCookie.contains(QByteArray(QByteArray("; ") + attribute)), setCookie.constData());
    QVERIFY2(!setCookie.contains("Secure"), setCookie.constData()); // plain HTTP on the loopback

    const QByteArray withCookie = "Cookie: lang=tr; tavran_oturum=" + id;
    const HttpReply page = m_server.get("/", {withCookie, "Accept: text/html"});
    QCOMPARE(page.status, 200);
    QVERIFY(!page.body.isEmpty());
    QCOMPARE(page.header("Cache-Control"), QByteArray("no-store"));
    QCOMPARE(page.header("X-Content-Type-Options"), QByteArray("nosniff"));
    QVERIFY(page.header("Content-Security-Policy").contains("default-src 'self'"));

    // Another login gets another id; behind a TLS proxy the cookie is Secure.
    const HttpReply proxied = m_server.postForm("/giris", form(Member, u"1234"_s), {"X-Forwarded-Proto: https"});
    QVERIFY(proxied.header("Set-Cookie").contains("; Secure"));
    QVERIFY(sessionCookie(proxied) != id);

    const HttpReply logout = m_server.get("/cikis", {withCookie});
    QCOMPARE(logout.status, 303);
    QVERIFY(logout.header("Set-Cookie").contains("Max-Age=0"));
    QCOMPARE(m_server.get("/", {withCookie}).status, 401);

    // In the journal as a login, marked as made on the web.
    QList<JournalEntry> entries;
    QVERIFY(JournalFile::read(JournalFile::path(m_station->stationDir()), {{}, {}, Member}, entries));
    QVERIFY(!entries.isEmpty());
    QCOMPARE(entries.first().kind, JournalKind::Login);
    QCOMPARE(entries.first().reason, u"web"_s);
}

void TestWebServer::token_data()
{
    QTest::addColumn<QByteArray>("authorization");
    QTest::addColumn<int>("status");

    QTest::newRow("the token") << "Bearer " + Token << 200;
    QTest::newRow("scheme in any case") << "bearer " + Token << 200;
    QTest::newRow("one letter off") << "Bearer " + Token.chopped(1) + 'x' << 401;
    QTest::newRow("a prefix of it") << "Bearer " + Token.left(8) << 401;
    QTest::newRow("empty") << QByteArray("Bearer ") << 401;
    QTest::newRow("as a password") << "Basic " + QByteArray("x:" + Token).toBase64() << 401;
}

void TestWebServer::token()
{
    QFETCH(QByteArray, authorization);
    const HttpReply reply = m_server.get("/", {"Authorization: " + authorization});
    QTEST(reply.status, "status");
}

void TestWebServer::wrongPasswordsLock()
{
    QList<int> statuses;
    for (int attempt = 0; attempt < LoginLockout::FreeAttempts + 1; ++attempt)
        statuses << m_server.postForm("/giris", form(Guessed, u"0000"_s)).status;
    QCOMPARE(statuses, (QList<int>{403, 403, 403, 403, 429}));
    // Locked means locked: the right password waits too, here and at the station.
    const HttpReply locked = m_server.postForm("/giris", form(Guessed, u"5678"_s));
    QCOMPARE(locked.status, 429);
    QVERIFY(locked.body.contains("KİLİTLİ"));
    QVERIFY(locked.header("Retry-After").toInt() > 0);
    QVERIFY(sessionCookie(locked).isEmpty());
    QVERIFY(LoginLockout().secondsLeft(Guessed) > 0);
    QList<JournalEntry> entries;
    QVERIFY(JournalFile::read(JournalFile::path(m_station->stationDir()), {{}, {}, Guessed}, entries));
    QCOMPARE(entries.size(), LoginLockout::FreeAttempts + 1); // the wrong ones, not the waits
    QCOMPARE(entries.last().reason, u"web: şifre yanlış, kilitlendi"_s);

    // A name not on the staff list never reaches the station key: another
    // value there would pass for an old clear password and be overwritten.
    QVERIFY(StationKey().write(u"StationName"_s, u"Kesimhane 2"_s));
    QCOMPARE(m_server.postForm("/giris", form(u"StationName"_s, u"Kesimhane 2"_s)).status, 403);
    QCOMPARE(StationKey().read(u"StationName"_s), u"Kesimhane 2"_s);
    QCOMPARE(m_server.postForm("/giris", form(u"ayşe demir"_s, u"1234"_s)).status, 403);
    // Another site's form does not count against anyone.
    const qint64 lockBefore = LoginLockout().secondsLeft(Member);
    for (int attempt = 0; attempt < LoginLockout::FreeAttempts + 1; ++attempt)
        QCOMPARE(m_server.postForm("/giris", form(Member, u"0000"_s), {"Sec-Fetch-Site: cross-site"}).status, 403);
    QCOMPARE(LoginLockout().secondsLeft(Member), lockBefore);
}

void TestWebServer::badRequests_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");

    const QByteArray auth = "Authorization: Bearer " + Token + "\r\n";
    QTest::newRow("unknown path") << "GET /yok HTTP/1.1\r\n" + auth + "\r\n" << 404;
    QTest::newRow("a write method") << "DELETE / HTTP/1.1\r\n" + auth + "\r\n" << 405;
    QTest::newRow("not HTTP") << QByteArray("GARBAGE\r\n\r\n") << 400;
    QTest::newRow("TLS on the plain port") << QByteArray("\x16\x03\x01\x00\xa5\x01\x00\x00\xa1\x03\x03\n\n", 13) << 400;
    QTest::newRow("header with no name") << QByteArray("GET / HTTP/1.1\r\n: x\r\n\r\n") << 400;
    QTest::newRow("huge header") << "GET / HTTP/1.1\r\nX-Pad: " + QByteArray(64 * 1024, 'a') + "\r\n\r\n" << 431;
    QTest::newRow("huge URL") << "GET /?" + QByteArray(32 * 1024, 'a') + " HTTP/1.1\r\n\r\n" << 431;
    QTest::newRow("body over the limit")
        << "POST /giris HTTP/1.1\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 1000000\r\n\r\n"
               + QByteArray(64 * 1024, 'a')
        << 413;
    QTest::newRow("chunked body")
        << QByteArray("POST /giris HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nad=x\r\n0\r\n\r\n") << 411;
    QTest::newRow("two lengths")
        << QByteArray("POST /giris HTTP/1.1\r\nContent-Length: 4\r\nContent-Length: 5\r\n\r\nad=xy") << 400;
    QTest::newRow("login as JSON")
        << QByteArray("POST /giris HTTP/1.1\r\nContent-Type: application/json\r\nContent-Length: 2\r\n\r\n{}") << 415;
}

void TestWebServer::badRequests()
{
    QFETCH(QByteArray, request);
    const HttpReply reply = m_server.raw(request);
    QTEST(reply.status, "status");
    QVERIFY(reply.body.contains("<html lang=\"tr\">"));
    QVERIFY(m_server.isRunning());
    QCOMPARE(m_server.get("/giris").status, 200);
}

void TestWebServer::burstOfRequests()
{
    // 10,000 requests over 50 kept-alive connections, bounded in time.
    const QByteArray request = "GET / HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer " + Token + "\r\n\r\n";
    const ParallelClients::Outcome outcome = ParallelClients::run(m_server.port(), request, 50, 200, 240000);
    QCOMPARE(outcome.answered, 10000);
    QCOMPARE(outcome.ok, 10000);
    QVERIFY(m_server.isRunning());
    QCOMPARE(m_server.get("/", {"Authorization: Bearer " + Token}).status, 200);
}

void TestWebServer::connectionsAtOnce()
{
    // Held open up to the cap, the next is turned away with a status...
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < GuardedTcpServer::MaxConnections; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        held.back()->connectToHost(u"127.0.0.1"_s, m_server.port());
        QVERIFY(held.back()->waitForConnected(5000));
    }
    QCOMPARE(m_server.get("/giris").status, 503);
    // ...and once they close, the server counts them gone: many more one by one.
    held.clear();
    QTRY_COMPARE_WITH_TIMEOUT(m_server.get("/giris").status, 200, 10000);
    int answered = 0;
    for (int i = 0; i < GuardedTcpServer::MaxConnections + 50; ++i)
        answered += m_server.get("/giris").status == 200 ? 1 : 0;
    QCOMPARE(answered, GuardedTcpServer::MaxConnections + 50);
}

void TestWebServer::stopsCleanly()
{
    QCOMPARE(m_server.stop(), 0);
}

QTEST_GUILESS_MAIN(TestWebServer)
#include "test_web_server.moc"
