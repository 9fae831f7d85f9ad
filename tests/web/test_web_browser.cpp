#include "support/BrowserSession.h"
#include "support/HeadlessBrowser.h"
#include "support/ServeProcess.h"
#include "support/TestStation.h"

#include "data/DemoStation.h"
#include "staff/PasswordHash.h"
#include "staff/StaffPasswords.h"

#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;

// A real browser in front of `tavran serve`.
class TestWebBrowser : public QObject
{
    Q_OBJECT

private slots:
    void withoutLoginLandsOnTheForm();
    void loginThroughTheForm();
};

void TestWebBrowser::withoutLoginLandsOnTheForm()
{
    if (HeadlessBrowser::executable().isEmpty())
        QSKIP(qPrintable(HeadlessBrowser::missingReason()));
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    ServeProcess server;
    QVERIFY2(server.start(), server.errors().constData());
    const QString base = u"http://127.0.0.1:%1"_s.arg(server.port());

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
    QCOMPARE(server.stop(), 0);
}

void TestWebBrowser::loginThroughTheForm()
{
    if (HeadlessBrowser::executable().isEmpty())
        QSKIP(qPrintable(HeadlessBrowser::missingReason()));
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    PasswordHash::setCost(PasswordHash::lightest());
    QVERIFY(StaffPasswords().store(u"Ayşe Demir"_s, u"2468"_s));
    ServeProcess server;
    QVERIFY2(server.start(), server.errors().constData());

    BrowserSession browser;
    QVERIFY2(browser.open(u"http://127.0.0.1:%1/"_s.arg(server.port())), qPrintable(browser.lastError()));
    QVERIFY2(browser.submitLogin(u"Ayşe Demir"_s, u"2468"_s), qPrintable(browser.lastError()));
    // Back on the page it first asked for, loaded whole.
    QVERIFY2(browser.waitUntil(u"location.pathname === '/' && document.readyState === 'complete'"
                               u" && document.getElementById('giris') === null"_s),
             qPrintable(browser.evaluate(u"location.href"_s).toString()));
    QCOMPARE(browser.evaluate(u"performance.getEntriesByType('navigation')[0].responseStatus"_s).toInt(), 200);
    // The session cookie is there for the server only.
    QVERIFY(!browser.evaluate(u"document.cookie"_s).toString().contains(u"tavran_oturum"_s));
    QCOMPARE(server.stop(), 0);
}

QTEST_GUILESS_MAIN(TestWebBrowser)
#include "test_web_browser.moc"
