#include "support/BrowserSession.h"

#include "support/HeadlessBrowser.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

BrowserSession::~BrowserSession()
{
    if (m_browser.state() != QProcess::NotRunning) {
        if (m_toBrowser >= 0)
            call(u"Browser.close"_s, {}, false, 5000);
        if (!m_browser.waitForFinished(5000)) {
            m_browser.kill();
            m_browser.waitForFinished(5000);
        }
    }
    closePipes();
}

void BrowserSession::closePipes()
{
    for (int *fd : {&m_toBrowser, &m_fromBrowser}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

bool BrowserSession::open(const QString &url)
{
    int commands[2];
    int answers[2];
    if (::pipe2(commands, O_CLOEXEC) != 0)
        return false;
    if (::pipe2(answers, O_CLOEXEC) != 0) {
        ::close(commands[0]);
        ::close(commands[1]);
        return false;
    }
    // The browser reads commands on 3 and writes answers on 4; the child's
    // ends move above those numbers first so that dup2 never meets itself.
    for (int *fd : {&commands[0], &answers[1]}) {
        const int high = ::fcntl(*fd, F_DUPFD_CLOEXEC, 10);
        ::close(*fd);
        *fd = high;
    }
    m_browser.setChildProcessModifier([commands, answers] {
        ::dup2(commands[0], 3);
        ::dup2(answers[1], 4);
    });
    m_browser.start(HeadlessBrowser::executable(),
                    {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-quic"_s,
                     u"--no-first-run"_s, u"--disable-background-networking"_s, u"--disable-component-update"_s,
                     u"--disable-sync"_s, u"--user-data-dir="_s + m_profile.path(), u"--remote-debugging-pipe"_s,
                     url});
    ::close(commands[0]);
    ::close(answers[1]);
    m_toBrowser = commands[1];
    m_fromBrowser = answers[0];
    if (!m_browser.waitForStarted(10000)) {
        m_error = m_browser.errorString();
        return false;
    }
    const QJsonObject targets = call(u"Target.getTargets"_s, {}, false);
    QString page;
    for (const QJsonValue target : targets.value(u"targetInfos"_s).toArray()) {
        if (target[u"type"_s] == u"page"_s)
            page = target[u"targetId"_s].toString();
    }
    if (page.isEmpty()) {
        m_error = u"no page target"_s;
        return false;
    }
    m_session = call(u"Target.attachToTarget"_s, {{u"targetId"_s, page}, {u"flatten"_s, true}}, false)
                    .value(u"sessionId"_s)
                    .toString();
    return !m_session.isEmpty();
}

QJsonObject BrowserSession::call(const QString &method, const QJsonObject &params, bool inPage, int timeoutMs)
{
    const int id = m_nextId++;
    QJsonObject message{{u"id"_s, id}, {u"method"_s, method}, {u"params"_s, params}};
    if (inPage)
        message.insert(u"sessionId"_s, m_session);
    const QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0';
    if (::write(m_toBrowser, bytes.constData(), size_t(bytes.size())) != bytes.size()) {
        m_error = u"the browser's pipe is closed"_s;
        return {};
    }
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        // Events come in between; only our answer counts.
        for (qsizetype end; (end = m_pending.indexOf('\0')) >= 0;) {
            const QJsonObject answer = QJsonDocument::fromJson(m_pending.first(end)).object();
            m_pending.remove(0, end + 1);
            if (answer.value(u"id"_s).toInt() != id)
                continue;
            if (answer.contains(u"error"_s))
                m_error = answer.value(u"error"_s).toObject().value(u"message"_s).toString();
            return answer.value(u"result"_s).toObject();
        }
        pollfd ready{m_fromBrowser, POLLIN, 0};
        if (deadline.hasExpired() || ::poll(&ready, 1, int(deadline.remainingTime())) <= 0) {
            m_error = u"no answer to "_s + method;
            return {};
        }
        char buffer[65536];
        const ssize_t got = ::read(m_fromBrowser, buffer, sizeof buffer);
        if (got <= 0) {
            m_error = u"the browser ended"_s;
            return {};
        }
        m_pending.append(buffer, got);
    }
}

QJsonValue BrowserSession::evaluate(const QString &expression)
{
    const QJsonObject result = call(u"Runtime.evaluate"_s,
                                    {{u"expression"_s, expression}, {u"returnByValue"_s, true}}, true);
    return result.value(u"result"_s).toObject().value(u"value"_s);
}

bool BrowserSession::submitLogin(const QString &name, const QString &password)
{
    if (!waitUntil(u"document.getElementById('giris') !== null"_s))
        return false;
    // JSON quotes the values as JavaScript strings.
    const auto quoted = [](const QString &text) {
        return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
    };
    evaluate(u"document.getElementById('ad').value = %1;"
             u"document.getElementById('sifre').value = %2;"
             u"document.querySelector('#giris button').click(); true"_s.arg(quoted(name), quoted(password)));
    return true;
}

bool BrowserSession::waitUntil(const QString &expression, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (evaluate(expression).toBool())
            return true;
        QThread::msleep(100);
    }
    return false;
}
