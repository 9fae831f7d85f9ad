#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

// While it lives (one at a time), SIGTERM and SIGINT end the application's
// event loop (the handler only writes a byte into a pipe; the loop reads it
// and quits), so a long-running command stops cleanly and returns from exec().
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;

    bool isReady() const { return m_notifier != nullptr; }

private:
    QSocketNotifier *m_notifier = nullptr;
};
