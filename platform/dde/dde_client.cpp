// A client of the DDE layer over POSIX sockets: see dde_client.h.
#include "platform/dde/dde_client.h"

#include "platform/dde/dde_protocol.h"

#include <QDeadlineTimer>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tk70::dde {

DdeClient::~DdeClient() { close(); }

bool DdeClient::connectTo(const QString &path)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return false;
    if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        close();
        return false;
    }
    return true;
}

void DdeClient::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    m_eof = false;
}

bool DdeClient::send(const QList<QString> &fields) { return sendRaw(formatLine(fields)); }

bool DdeClient::sendRaw(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        ssize_t n = ::send(m_fd, bytes.constData() + done, std::size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return m_fd >= 0;
}

// Reads what arrives within timeoutMs; false when nothing came.
bool DdeClient::readAvailable(int timeoutMs)
{
    if (m_fd < 0 || m_eof)
        return false;
    pollfd entry{m_fd, POLLIN, 0};
    if (::poll(&entry, 1, timeoutMs) <= 0)
        return false;
    char chunk[8192];
    ssize_t n = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
    if (n <= 0) {
        m_eof = n == 0 || (errno != EAGAIN && errno != EINTR);
        return false;
    }
    m_buffer.append(chunk, n);
    return true;
}

std::optional<QList<QString>> DdeClient::takeLine()
{
    while (!m_buffer.contains('\n') && readAvailable(0)) {}
    const qsizetype end = m_buffer.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    const QByteArray line = m_buffer.left(end);
    m_buffer.remove(0, end + 1);
    return splitLine(line);
}

std::optional<QList<QString>> DdeClient::waitLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
    while (!m_buffer.contains('\n')) {
        if (m_eof || deadline.hasExpired())
            return std::nullopt;
        readAvailable(int(std::min<qint64>(deadline.remainingTime(), 1000)));
    }
    return takeLine();
}

}  // namespace tk70::dde
