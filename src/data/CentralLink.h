#pragma once

#include "data/DatabaseLocation.h"

#include <QObject>
#include <QPointer>
#include <QThread>
#include <functional>
#include <memory>

class CentralDatabase;

// The window's way to the central server: every piece of work runs on one
// worker thread with that thread's own connection, and its result comes back
// to the caller's thread by a queued call. The window never waits on the
// network; the connection's time-outs bound how long a worker can hang.
class CentralLink : public QObject
{
    Q_OBJECT
public:
    explicit CentralLink(const DatabaseLocation &location, QObject *parent = nullptr);
    // Lets the work already queued finish (each piece bounded by the
    // time-outs), then ends the thread.
    ~CentralLink() override;

    const DatabaseLocation &location() const { return m_location; }

    // Runs `job` on the worker; then `done(result)` on this object's thread,
    // unless `context` is gone by then. Jobs run one at a time, in order.
    template<typename Result>
    void run(std::function<Result(CentralDatabase &)> job, QObject *context,
             std::function<void(Result)> done)
    {
        QPointer<QObject> guard(context);
        post([this, job = std::move(job), guard, done = std::move(done)](CentralDatabase &db) {
            auto result = std::make_shared<Result>(job(db));
            QMetaObject::invokeMethod(
                this,
                [guard, done, result] {
                    if (guard)
                        done(std::move(*result));
                },
                Qt::QueuedConnection);
        });
    }

private:
    void post(std::function<void(CentralDatabase &)> work);

    DatabaseLocation m_location;
    QThread m_thread;
    std::unique_ptr<QObject> m_worker;        // lives on m_thread
    std::unique_ptr<CentralDatabase> m_central; // made and used on m_thread only
};
