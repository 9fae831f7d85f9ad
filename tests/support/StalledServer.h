#pragma once

#include <QString>
#include <vector>

// A server on the loopback that never answers a database client: either it
// accepts the connection and stays silent, or its backlog is full so the
// handshake never completes. The client's own time-outs must end the wait.
class StalledServer
{
public:
    enum class Kind { Silent, Backlogged };

    explicit StalledServer(Kind kind);
    ~StalledServer();
    StalledServer(const StalledServer &) = delete;
    StalledServer &operator=(const StalledServer &) = delete;

    bool isListening() const { return m_port != 0; }
    // The Database setting's URL of a server at this address.
    QString url() const;

private:
    int m_listener = -1;
    std::vector<int> m_fillers; // connections that keep the backlog full
    quint16 m_port = 0;
};
