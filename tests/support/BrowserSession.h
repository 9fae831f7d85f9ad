#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Headless chromium driven over its DevTools pipe (file descriptors 3 and 4),
// so a test can type into a page and click like an operator: one page, its
// own profile, every wait bounded.
class BrowserSession
{
public:
    BrowserSession() = default;
    ~BrowserSession();
    BrowserSession(const BrowserSession &) = delete;
    BrowserSession &operator=(const BrowserSession &) = delete;

    // Starts the browser on `url` and attaches to its page; false (with
    // lastError()) when it could not.
    bool open(const QString &url);
    // The value of a JavaScript expression in the page; undefined on failure.
    QJsonValue evaluate(const QString &expression);
    // Waits for the pages' login form, fills it in and sends it; false when
    // no form came.
    bool submitLogin(const QString &name, const QString &password);
    // Evaluates `expression` until it is true or `timeoutMs` passes.
    bool waitUntil(const QString &expression, int timeoutMs = 20000);
    QString lastError() const { return m_error; }

private:
    QJsonObject call(const QString &method, const QJsonObject &params, bool inPage, int timeoutMs = 20000);
    void closePipes();

    QTemporaryDir m_profile;
    QProcess m_browser;
    int m_toBrowser = -1;
    int m_fromBrowser = -1;
    int m_nextId = 1;
    QString m_session;
    QByteArray m_pending;
    QString m_error;
};
