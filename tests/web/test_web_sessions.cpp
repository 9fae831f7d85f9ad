#include "web/WebSessions.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// Logged-in browsers on a clock the test turns.
class TestWebSessions : public QObject
{
    Q_OBJECT

private slots:
    void endsAfterAShift_data();
    void endsAfterAShift();
    void fullTableDropsTheNearestEnd();
};

namespace {

const QDateTime Start(QDate(2026, 12, 9), QTime(6, 0), Qt::UTC);

} // namespace

void TestWebSessions::endsAfterAShift_data()
{
    QTest::addColumn<qint64>("secondsLater");
    QTest::addColumn<bool>("live");

    QTest::newRow("at once") << qint64(0) << true;
    QTest::newRow("a second before its end") << WebSessions::LifetimeSeconds - 1 << true;
    QTest::newRow("at its end") << WebSessions::LifetimeSeconds << false;
    QTest::newRow("a day later") << qint64(24 * 3600) << false;
}

void TestWebSessions::endsAfterAShift()
{
    QFETCH(qint64, secondsLater);
    QFETCH(bool, live);
    QDateTime now = Start;
    WebSessions sessions([&now] { return now; });
    const QByteArray id = sessions.open(u"Ayşe Demir"_s);
    QCOMPARE(id.size(), 64);
    now = Start.addSecs(secondsLater);
    QCOMPARE(sessions.staff(id).has_value(), live);
    if (live)
        QCOMPARE(*sessions.staff(id), u"Ayşe Demir"_s);
    QVERIFY(!sessions.staff(id.toUpper()));
    sessions.close(id);
    QVERIFY(!sessions.staff(id));
}

void TestWebSessions::fullTableDropsTheNearestEnd()
{
    QDateTime now = Start;
    WebSessions sessions([&now] { return now; });
    const QByteArray first = sessions.open(u"ilk"_s);
    now = now.addSecs(1);
    QSet<QByteArray> ids{first};
    for (int i = 1; i < WebSessions::MaxSessions; ++i)
        ids.insert(sessions.open(QString::number(i)));
    QCOMPARE(ids.size(), WebSessions::MaxSessions); // no id twice
    const QByteArray last = sessions.open(u"son"_s);
    QCOMPARE(sessions.size(), WebSessions::MaxSessions);
    QVERIFY(!sessions.staff(first));
    QVERIFY(sessions.staff(last));
}

QTEST_GUILESS_MAIN(TestWebSessions)
#include "test_web_sessions.moc"
