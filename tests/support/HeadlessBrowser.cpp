#include "support/HeadlessBrowser.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

HeadlessBrowser::HeadlessBrowser() = default;

QString HeadlessBrowser::executable()
{
    if (QFileInfo(u"/usr/bin/chromium"_s).isExecutable())
        return u"/usr/bin/chromium"_s;
    return QStandardPaths::findExecutable(u"chromium"_s);
}

QString HeadlessBrowser::missingReason()
{
    return u"chromium is not installed (Debian package chromium)"_s;
}

QStringList HeadlessBrowser::baseArguments() const
{
    return {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-quic"_s, u"--no-first-run"_s,
            u"--disable-background-networking"_s, u"--disable-component-update"_s, u"--disable-sync"_s,
            u"--user-data-dir="_s + m_profile.path()};
}

bool HeadlessBrowser::run(const QStringList &arguments, int timeoutMs, QByteArray *output)
{
    QProcess browser;
    browser.start(executable(), baseArguments() + arguments);
    const bool finished = browser.waitForFinished(timeoutMs);
    if (!finished) {
        browser.kill();
        browser.waitForFinished(5000);
    }
    m_errors = QString::fromUtf8(browser.readAllStandardError());
    if (output)
        *output = browser.readAllStandardOutput();
    return finished && browser.exitStatus() == QProcess::NormalExit && browser.exitCode() == 0;
}

QString HeadlessBrowser::dumpDom(const QString &url, int timeoutMs)
{
    QByteArray dom;
    if (!run({u"--dump-dom"_s, url}, timeoutMs, &dom))
        return {};
    return QString::fromUtf8(dom);
}

bool HeadlessBrowser::screenshot(const QString &url, const QString &pngPath, const QString &windowSize,
                                 int timeoutMs)
{
    QFile::remove(pngPath);
    run({u"--screenshot="_s + pngPath, u"--window-size="_s + windowSize, url}, timeoutMs, nullptr);
    return QFileInfo(pngPath).size() > 0;
}
