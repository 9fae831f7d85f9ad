#include "app/DriveHook.h"

#include <QLabel>
#include <QListWidget>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

// The outside driver's view of a window: what it may tap, what it reads back,
// and which red strips it is told about.
class TestDriveHook : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void answers_data();
    void answers();
    void tellsEachNoticeOnce();
    void aDialogInFrontStopsTaps();

private:
    QByteArray ask(const QByteArray &request);

    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<DriveHook> m_hook;
    QLocalSocket m_client;
    QListWidget *m_list = nullptr;
    QLabel *m_notice = nullptr;
    int m_clicks = 0;
};

void TestDriveHook::init()
{
    m_window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(m_window.get());
    auto *enabled = new QPushButton(u"Tartım Tamam"_s);
    enabled->setObjectName(u"Command4(1)"_s);
    connect(enabled, &QPushButton::clicked, this, [this] { ++m_clicks; });
    auto *disabled = new QPushButton(u"Müşteri Seçimine Dön"_s);
    disabled->setObjectName(u"Command2(0)"_s);
    disabled->setEnabled(false);
    connect(disabled, &QPushButton::clicked, this, [this] { ++m_clicks; });
    auto *twoLines = new QLabel(u"Toplam\n3,750"_s);
    twoLines->setObjectName(u"ToplamLbl"_s);
    m_list = new QListWidget;
    m_list->setObjectName(u"List1"_s);
    m_list->addItems({u"Akın Kasap"_s, u"Şükrü'nün Kasabı"_s, u"Zafer Et"_s});
    m_notice = new QLabel;
    m_notice->setObjectName(u"PrintNotice"_s);
    m_notice->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{enabled, disabled, twoLines, m_list, m_notice})
        layout->addWidget(w);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    const QString path = m_dir.filePath(u"drive"_s);
    qputenv("TAVRAN_DRIVE_SOCKET", path.toUtf8());
    m_hook = std::make_unique<DriveHook>(*m_window);
    m_client.connectToServer(path);
    QTRY_COMPARE(m_client.state(), QLocalSocket::ConnectedState);
    m_clicks = 0;
}

void TestDriveHook::cleanup()
{
    m_client.abort();
    m_hook.reset();
    m_window.reset();
    qunsetenv("TAVRAN_DRIVE_SOCKET");
}

QByteArray TestDriveHook::ask(const QByteArray &request)
{
    m_client.write(request + '\n');
    // The window answers from its own event loop, which this wait keeps turning.
    if (!QTest::qWaitFor([this] { return m_client.canReadLine(); }, 5000))
        return "(no answer)";
    return m_client.readLine().chopped(1);
}

void TestDriveHook::answers_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("picked");
    QTest::newRow("heartbeat") << "ping"_ba << "ok pong"_ba << 0 << QString();
    QTest::newRow("tap") << "tap Command4(1)"_ba << "ok"_ba << 1 << QString();
    QTest::newRow("disabled button") << "tap Command2(0)"_ba << "err unavailable Command2(0)"_ba << 0
                                     << QString();
    QTest::newRow("no such control") << "tap Command9(9)"_ba << "err missing Command9(9)"_ba << 0
                                     << QString();
    QTest::newRow("state") << "state Command2(0)"_ba << "ok 1 0"_ba << 0 << QString();
    QTest::newRow("text on two lines") << "text ToplamLbl"_ba << "ok Toplam\\n3,750"_ba << 0
                                       << QString();
    QTest::newRow("entries") << "entries List1"_ba
                             << "ok Akın Kasap\tŞükrü'nün Kasabı\tZafer Et"_ba << 0 << QString();
    QTest::newRow("pick by the whole text") << "pick List1 Şükrü'nün Kasabı"_ba << "ok"_ba << 0
                                            << u"Şükrü'nün Kasabı"_s;
    QTest::newRow("pick a part of a name") << "pick List1 Zafer"_ba << "err no entry Zafer"_ba << 0
                                           << QString();
}

void TestDriveHook::answers()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    QFETCH(int, clicks);
    QFETCH(QString, picked);
    QCOMPARE(ask(request), answer);
    QTest::qWait(50);
    QCOMPARE(m_clicks, clicks);
    if (!picked.isEmpty())
        QTRY_COMPARE(m_list->currentItem() ? m_list->currentItem()->text() : QString(), picked);
}

void TestDriveHook::tellsEachNoticeOnce()
{
    QCOMPARE(ask("notices"), "ok"_ba);
    m_notice->setText(u"Etiket yazdırılamadı: yazıcı yok"_s);
    m_notice->show();
    QTest::qWait(250);
    m_notice->setText(u"Fiş yazdırılamadı: yazıcı yok"_s);
    // A strip shown and gone between two questions is told all the same.
    QTest::qWait(250);
    m_notice->hide();
    QCOMPARE(ask("notices"), "ok PrintNotice\tEtiket yazdırılamadı: yazıcı yok\x1f"
                             "PrintNotice\tFiş yazdırılamadı: yazıcı yok"_ba);
    QCOMPARE(ask("notices"), "ok"_ba);
}

void TestDriveHook::aDialogInFrontStopsTaps()
{
    QMessageBox box(QMessageBox::Warning, u"Tavran"_s, u"Yazıcı yok"_s, QMessageBox::Ok,
                    m_window.get());
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QTRY_VERIFY(QApplication::activeModalWidget() == &box);
    QCOMPARE(ask("tap Command4(1)"), "err unavailable Command4(1)"_ba);
    QCOMPARE(ask("dismiss"), "ok QMessageBox\tYazıcı yok"_ba);
    QTRY_VERIFY(!box.isVisible());
    QCOMPARE(ask("modal"), "ok"_ba);
    QCOMPARE(ask("tap Command4(1)"), "ok"_ba);
    QTRY_COMPARE(m_clicks, 1);
}

QTEST_MAIN(TestDriveHook)
#include "test_drive_hook.moc"
