// A client of the DDE layer over plain POSIX sockets, with no event loop: the tk70-dde
// tool, the tests and the benchmark use it.  Lines go out whole; answers are read either
// without waiting (takeLine) or up to a deadline (waitLine).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace tk70::dde {

class DdeClient {
public:
    DdeClient() = default;
    ~DdeClient();
    DdeClient(const DdeClient &) = delete;
    DdeClient &operator=(const DdeClient &) = delete;

    // False when nothing listens on path.
    bool connectTo(const QString &path);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }
    // True once the server has closed the connection and every line has been taken.
    bool atEnd() const { return m_eof && !m_buffer.contains('\n'); }

    // Writes the fields as one line (bytes as given: tests send raw lines with sendRaw).
    bool send(const QList<QString> &fields);
    bool sendRaw(const QByteArray &bytes);
    // The next whole line's fields, reading what has arrived without waiting.
    std::optional<QList<QString>> takeLine();
    // The next whole line, waiting at most timeoutMs (-1: no limit).
    std::optional<QList<QString>> waitLine(int timeoutMs);

private:
    bool readAvailable(int timeoutMs);

    int m_fd = -1;
    QByteArray m_buffer;
    bool m_eof = false;
};

}  // namespace tk70::dde
