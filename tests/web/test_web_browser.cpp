#include "support/BrowserSession.h"
#include "support/HeadlessBrowser.h"
#include "support/ServeProcess.h"
#include "support/TestStation.h"

#include "data/DemoStation.h"
#include "staff/PasswordHash.h"
#include "staff/StaffPasswords.h"

#include <QImage>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

// A real browser in front of `tavran serve`.
class TestWebBrowser : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void withoutLoginLandsOnTheForm();
    void loginThroughTheForm();
    void openPageGoesToTheFormWhenItsSessionEnds();

private:
    bool logIn(BrowserSession &browser, const QString &path) const;

    std::unique_ptr<TestStation> m_station;
    std::unique_ptr<ServeProcess> m_server;
};

// A demo station where Ayşe Demir has a password, and the server over it.
void TestWebBrowser::init()
{
    if (HeadlessBrowser::executable().isEmpty())
        QSKIP(qPrintable(HeadlessBrowser::missingReason()));
    m_station = std::make_unique<TestStation>();
    QVERIFY(DemoStation::create(m_station->stationDir()));
    PasswordHash::setCost(PasswordHash::lightest());
    QVERIFY(StaffPasswords().store(u"Ayşe Demir"_s, u"2468"_s));
    m_server = std::make_unique<ServeProcess>();
    QVERIFY2(m_server->start(), m_server->errors().constData());
}

// Opens `path` and logs in through the form it lands on.
bool TestWebBrowser::logIn(BrowserSession &browser, const QString &path) const
{
    return browser.open(u"http://127.0.0.1:%1%2"_s.arg(m_server->port()).arg(path))
        && browser.submitLogin(u"Ayşe Demir"_s, u"2468"_s);
}

void TestWebBrowser::cleanup()
{
    m_server.reset();
    m_station.reset();
}

void TestWebBrowser::withoutLoginLandsOnTheForm()
{
    const QString base = u"http://127.0.0.1:%1"_s.arg(m_server->port());

    HeadlessBrowser browser;
    const QString dom = browser.dumpDom(base + u"/gun?tarih=2026-12-09"_s);
    QVERIFY2(dom.contains(u"<form id=\"giris\""_s), qPrintable(browser.lastErrors()));
    // Where a correct login will go on to.
    QVERIFY2(dom.contains(u"value=\"/gun?tarih=2026-12-09\""_s), qPrintable(dom));

    QTemporaryDir shots;
    const QString png = shots.filePath(u"giris.png"_s);
    QVERIFY2(browser.screenshot(base + u"/"_s, png), qPrintable(browser.lastErrors()));
    const QImage image(png);
    QCOMPARE(image.size(), QSize(1280, 800));
    QCOMPARE(m_server->stop(), 0);
}

void TestWebBrowser::loginThroughTheForm()
{
    BrowserSession browser;
    QVERIFY2(logIn(browser, u"/"_s), qPrintable(browser.lastError()));
    // Back on the page it first asked for, loaded whole.
    QVERIFY2(browser.waitUntil(u"location.pathname === '/' && document.readyState === 'complete'"
                               u" && document.getElementById('giris') === null"_s),
             qPrintable(browser.evaluate(u"location.href"_s).toString()));
    QCOMPARE(browser.evaluate(u"performance.getEntriesByType('navigation')[0].responseStatus"_s).toInt(), 200);
    // The session cookie is there for the server only.
    QVERIFY(!browser.evaluate(u"document.cookie"_s).toString().contains(u"tavran_oturum"_s));
    QCOMPARE(m_server->stop(), 0);
}

void TestWebBrowser::openPageGoesToTheFormWhenItsSessionEnds()
{
    BrowserSession browser;
    QVERIFY2(logIn(browser, u"/son"_s), qPrintable(browser.lastError()));
    QVERIFY(browser.waitUntil(u"location.pathname === '/son' && performance.getEntriesByType('resource')"
                              u".some(function(e){return new URL(e.name).pathname === '/veri';})"_s));
    // Logged out elsewhere, as when the session's shift is over or the
    // server started again: the page must not go on looking live.
    browser.evaluate(u"fetch('/cikis'); true"_s);
    QVERIFY2(browser.waitUntil(u"location.pathname === '/giris' && document.getElementById('giris') !== null"_s,
                               5000),
             qPrintable(browser.evaluate(u"location.href"_s).toString()));
    QCOMPARE(browser.evaluate(u"document.querySelector('#giris [name=sonra]').value"_s).toString(), u"/son"_s);
    QCOMPARE(m_server->stop(), 0);
}

QTEST_GUILESS_MAIN(TestWebBrowser)
#include "test_web_browser.moc"
