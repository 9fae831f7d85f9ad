#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Debian's chromium, headless, with its own profile and no traffic of its
// own (no sync, updates or background requests), each run bounded in time.
// Tests call QSKIP with missingReason() when it is not installed.
class HeadlessBrowser
{
public:
    HeadlessBrowser();

    static QString executable(); // empty when chromium is missing
    static QString missingReason();

    // The page's DOM after loading `url`; empty when the run failed.
    QString dumpDom(const QString &url, int timeoutMs = 60000);
    // A PNG of the page at `url` into `pngPath`; false when none was written.
    bool screenshot(const QString &url, const QString &pngPath, const QString &windowSize = QStringLiteral("1280,800"),
                    int timeoutMs = 60000);
    QString lastErrors() const { return m_errors; }

private:
    QStringList baseArguments() const;
    bool run(const QStringList &arguments, int timeoutMs, QByteArray *output);

    QTemporaryDir m_profile;
    QString m_errors;
};
