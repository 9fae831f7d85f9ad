#include "support/HeadlessBrowser.h"
#include "support/ServeProcess.h"
#include "support/TestStation.h"

#include "data/DemoStation.h"

#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;

// A real browser in front of `tavran serve`.
class TestWebBrowser : public QObject
{
    Q_OBJECT

private slots:
    void withoutLoginLandsOnTheForm();
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

QTEST_GUILESS_MAIN(TestWebBrowser)
#include "test_web_browser.moc"
