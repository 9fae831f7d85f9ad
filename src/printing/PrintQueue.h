#pragma once

#include <QString>

// What the print scheduler says about one queue, asked over IPP through
// libcups: the local scheduler, a plant's remote one, or the one CUPS_SERVER
// names. Each call asks again; nothing is remembered.
struct PrintQueueState
{
    enum class Status { Ready, NoScheduler, Missing, Stopped, Refusing };

    QString queue;
    Status status = Status::NoScheduler;
    int dotsPerInch = 0; // the queue's default resolution; 0 when it has none
    QString server;      // the scheduler that was asked

    bool isReady() const { return status == Status::Ready; }
    // Why a job for the queue cannot be printed, in Turkish; empty when ready.
    QString reason() const;
};

namespace PrintQueue {

PrintQueueState ask(const QString &queue);

} // namespace PrintQueue
