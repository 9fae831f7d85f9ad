#include "StalledServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

StalledServer::StalledServer(Kind kind)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    // A silent server's kernel completes every handshake; a backlog of
    // none, once filled, drops every new one.
    if (m_listener < 0
        || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(m_listener, kind == Kind::Silent ? 16 : 0) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return;
    const quint16 port = ntohs(address.sin_port);
    if (kind == Kind::Backlogged) {
        for (int i = 0; i < 3; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            if (filler < 0)
                return;
            m_fillers.push_back(filler);
            const sockaddr_in target = loopback(port);
            ::connect(filler, reinterpret_cast<const sockaddr *>(&target), sizeof target);
        }
    }
    m_port = port;
}

StalledServer::~StalledServer()
{
    for (int filler : m_fillers)
        ::close(filler);
    if (m_listener >= 0)
        ::close(m_listener);
}

QString StalledServer::url() const
{
    return u"postgresql://tavran@127.0.0.1:%1/tavran"_s.arg(m_port);
}
