#include "web/RequestGuard.h"

#include <QTest>

using Verdict = RequestGuard::Verdict;
Q_DECLARE_METATYPE(RequestGuard::Verdict)

// The limits judged on bytes as they come off a connection, cut anywhere.
class TestRequestGuard : public QObject
{
    Q_OBJECT

private slots:
    void verdict_data();
    void verdict();
};

void TestRequestGuard::verdict_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Verdict>("expected");
    QTest::addColumn<bool>("midRequest");

    const QByteArray get = "GET /gun?tarih=2026-12-09 HTTP/1.1\r\nHost: x\r\n\r\n";
    QTest::newRow("a plain GET") << get << Verdict::Fine << false;
    QTest::newRow("bare line feeds") << QByteArray("GET / HTTP/1.0\nHost: x\n\n") << Verdict::Fine << false;
    QTest::newRow("three pipelined") << get + get + get << Verdict::Fine << false;
    QTest::newRow("a form within the limit, then a GET")
        << "POST /giris HTTP/1.1\r\nContent-Length: 10\r\n\r\nad=x&sifre" + get << Verdict::Fine << false;
    QTest::newRow("a body that looks like a request is no request")
        << QByteArray("POST /giris HTTP/1.1\r\nContent-Length: 6\r\n\r\nGARBAG") << Verdict::Fine << false;
    QTest::newRow("half a header block") << QByteArray("GET / HTTP/1.1\r\nHost:") << Verdict::Fine << true;
    QTest::newRow("half a body")
        << QByteArray("POST /giris HTTP/1.1\r\nContent-Length: 10\r\n\r\nad=") << Verdict::Fine << true;
    QTest::newRow("header block just within")
        << "GET / HTTP/1.1\r\nX: " + QByteArray(16 * 1024 - 25, 'a') + "\r\n\r\n" << Verdict::Fine << false;
    QTest::newRow("header block past the limit")
        << "GET / HTTP/1.1\r\nX: " + QByteArray(17 * 1024, 'a') << Verdict::HeaderTooLarge << true;
    QTest::newRow("endless header without a line end")
        << "GET /" + QByteArray(20 * 1024, 'a') << Verdict::HeaderTooLarge << true;
    QTest::newRow("body past the limit")
        << QByteArray("POST /giris HTTP/1.1\r\nContent-Length: 8193\r\n\r\n") << Verdict::BodyTooLarge << false;
    QTest::newRow("chunked body")
        << QByteArray("POST /giris HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n")
        << Verdict::LengthRequired << false;
    QTest::newRow("two lengths")
        << QByteArray("POST /giris HTTP/1.1\r\nContent-Length: 3\r\ncontent-length: 40\r\n\r\nabc")
        << Verdict::Malformed << false;
    QTest::newRow("a header line without a name")
        << QByteArray("GET / HTTP/1.1\r\n: x\r\nno colon\r\n\r\n") << Verdict::Malformed << false;
    QTest::newRow("negative length")
        << QByteArray("POST /giris HTTP/1.1\r\nContent-Length: -1\r\n\r\n") << Verdict::Malformed << false;
    QTest::newRow("no request line") << QByteArray("GARBAGE\r\n\r\n") << Verdict::Malformed << false;
    QTest::newRow("a second request that is garbage") << get + "\x16\x03\x01\x02\r\n" << Verdict::Malformed << false;
}

void TestRequestGuard::verdict()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Verdict, expected);
    QFETCH(bool, midRequest);
    // Whole, then a byte at a time: a limit must not depend on how TCP cut the stream.
    for (const qsizetype piece : {bytes.size(), qsizetype(1), qsizetype(7)}) {
        RequestGuard guard;
        Verdict verdict = Verdict::Fine;
        for (qsizetype at = 0; at < bytes.size() && verdict == Verdict::Fine; at += piece)
            verdict = guard.feed(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
        QCOMPARE(verdict, expected);
        if (verdict == Verdict::Fine)
            QCOMPARE(guard.midRequest(), midRequest);
    }
}

QTEST_GUILESS_MAIN(TestRequestGuard)
#include "test_request_guard.moc"
