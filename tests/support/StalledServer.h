#pragma once

#include <QString>
#include <vector>

// A database server on the loopback that never answers: it accepts and stays
// silent, or its backlog is full so the handshake never completes.
class StalledServer
{
public:
    enum class Kind { Silent, Backlogged };

    explicit StalledServer(Kind kind);
    ~StalledServer();
    StalledServer(const StalledServer &) = delete;
    StalledServer &operator=(const StalledServer &) = delete;

    bool isListening() const { return m_port != 0; }
    QString url() const; // the Database setting's value

private:
    std::vector<int> m_sockets; // the listener first, then the backlog's fillers
    quint16 m_port = 0;
};
