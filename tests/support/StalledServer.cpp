#include "StalledServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

StalledServer::StalledServer(Kind kind)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    auto *generic = reinterpret_cast<sockaddr *>(&address);
    socklen_t length = sizeof address;
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    m_sockets.push_back(listener);
    // Nobody accepts: with a backlog of none, once filled, the kernel drops
    // every further handshake.
    if (listener < 0 || ::bind(listener, generic, length) != 0
        || ::listen(listener, kind == Kind::Silent ? 16 : 0) != 0
        || ::getsockname(listener, generic, &length) != 0)
        return;
    for (int i = 0; kind == Kind::Backlogged && i < 3; ++i) {
        m_sockets.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(m_sockets.back(), generic, length);
    }
    m_port = ntohs(address.sin_port);
}

StalledServer::~StalledServer()
{
    for (int socket : m_sockets)
        if (socket >= 0)
            ::close(socket);
}

QString StalledServer::url() const
{
    return u"postgresql://tavran@127.0.0.1:%1/tavran"_s.arg(m_port);
}
