#include "app/DriveHook.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcDrive, "tavran.app.drive")

namespace {

const QStringList WatchedNotices = {u"PrintNotice"_s, u"TartiNotice"_s};

QByteArray line(const QString &text)
{
    QString flat = text;
    flat.replace(u'\n', u"\\n"_s);
    return flat.toUtf8() + '\n';
}

// "ok", a blank and the answer's text, if it has one.
QByteArray ok(const QString &text = {})
{
    return line(text.isEmpty() ? u"ok"_s : u"ok "_s + text);
}

QString shownText(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    return {};
}

// A finger's press and release at one point; posted so the answer goes out
// before whatever the tap starts, and a long job shows as a silent heartbeat.
void postTap(QWidget *target, QPoint at)
{
    QTimer::singleShot(0, target, [target = QPointer<QWidget>(target), at] {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            if (!target)
                return;
            const QPointF local(at);
            const QPointF global(target->mapToGlobal(at));
            QMouseEvent event(type, local, local, global, Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        }
    });
}

} // namespace

DriveHook::DriveHook(QWidget &window)
    : QObject(&window)
    , m_window(window)
{
    const QString path = qEnvironmentVariable("TAVRAN_DRIVE_SOCKET");
    if (path.isEmpty())
        return;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        qCWarning(lcDrive) << "cannot listen on" << path << m_server->errorString();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &DriveHook::accept);
    m_watch = new QTimer(this);
    connect(m_watch, &QTimer::timeout, this, &DriveHook::watchNotices);
    m_watch->start(100);
}

void DriveHook::accept()
{
    while (QLocalSocket *client = m_server->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] { serve(client); });
    }
}

void DriveHook::serve(QLocalSocket *client)
{
    while (client->canReadLine())
        client->write(answer(QString::fromUtf8(client->readLine()).trimmed()));
}

QWidget *DriveHook::find(const QString &name) const
{
    return m_window.findChild<QWidget *>(name);
}

void DriveHook::watchNotices()
{
    for (const QString &name : WatchedNotices) {
        const QWidget *notice = find(name);
        const QString text = notice && notice->isVisible() ? shownText(notice) : QString();
        const QString seen = name + u'\t' + text;
        if (!text.isEmpty() && seen != m_lastNotice && !m_notices.contains(seen))
            m_notices.append(seen);
        if (!text.isEmpty())
            m_lastNotice = seen;
    }
}

QByteArray DriveHook::answer(const QString &request)
{
    const QString verb = request.section(u' ', 0, 0);
    const QString name = request.section(u' ', 1, 1);
    const QString rest = request.section(u' ', 2);
    if (verb == u"ping"_s)
        return ok(u"pong"_s);
    if (verb == u"modal"_s || verb == u"dismiss"_s) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return ok();
        auto *box = qobject_cast<QMessageBox *>(modal);
        const QString text = box ? box->text() : modal->windowTitle();
        if (verb == u"dismiss"_s) {
            if (box && box->escapeButton())
                postTap(box->escapeButton(), box->escapeButton()->rect().center());
            else if (auto *dialog = qobject_cast<QDialog *>(modal))
                QTimer::singleShot(0, dialog, &QDialog::reject);
        }
        return ok(QString::fromLatin1(modal->metaObject()->className()) + u'\t' + text);
    }
    if (verb == u"notices"_s) {
        watchNotices();
        const QString all = m_notices.join(u'\x1f');
        m_notices.clear();
        return ok(all);
    }
    QWidget *target = find(name);
    if (!target)
        return line(u"err missing "_s + name);
    if (verb == u"text"_s)
        return ok(shownText(target));
    if (verb == u"state"_s)
        return ok(u"%1 %2"_s.arg(int(target->isVisible())).arg(int(target->isEnabled())));
    auto *list = qobject_cast<QAbstractItemView *>(target);
    if (verb == u"entries"_s && list) {
        QStringList texts;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            texts.append(list->model()->index(row, 0).data().toString());
        return ok(texts.join(u'\t'));
    }
    if (!target->isVisible() || !target->isEnabled() || QApplication::activeModalWidget())
        return line(u"err unavailable "_s + name);
    if (verb == u"tap"_s) {
        postTap(target, target->rect().center());
        return ok();
    }
    if (verb == u"pick"_s && list) {
        const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                           rest, 1, Qt::MatchExactly);
        if (found.isEmpty())
            return line(u"err no entry "_s + rest);
        list->scrollTo(found.first());
        postTap(list->viewport(), list->visualRect(found.first()).center());
        return ok();
    }
    return line(u"err unknown "_s + request);
}
