#include "data/CentralLink.h"

#include "data/CentralDatabase.h"

using namespace Qt::StringLiterals;

CentralLink::CentralLink(const DatabaseLocation &location, QObject *parent)
    : QObject(parent)
    , m_location(location)
    , m_worker(std::make_unique<QObject>())
{
    m_thread.setObjectName(u"tavran-central"_s);
    m_worker->moveToThread(&m_thread);
    m_thread.start();
}

CentralLink::~CentralLink()
{
    // Queued behind the work still waiting, so a booking under way ends
    // first; the connection goes on the thread that made it.
    QMetaObject::invokeMethod(
        m_worker.get(),
        [this] {
            m_central.reset();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    m_thread.wait();
}

void CentralLink::post(std::function<void(CentralDatabase &)> work)
{
    QMetaObject::invokeMethod(
        m_worker.get(),
        [this, work = std::move(work)] {
            if (!m_central)
                m_central = std::make_unique<CentralDatabase>(m_location);
            work(*m_central);
        },
        Qt::QueuedConnection);
}
