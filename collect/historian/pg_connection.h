// One connection to a PostgreSQL server through libpq's asynchronous calls, for the
// historian's worker thread.  Every wait is a poll() on the connection's socket with a
// deadline, which a wake-up descriptor cuts short: a server that stops answering, or a
// network that drops every packet, costs at most the time-out, and a stopping output
// never waits for the network at all.  Errors are the server's (or libpq's) own message.
#pragma once

#include <string>
#include <vector>

struct pg_conn;
struct pg_result;

namespace tk70 {

class PgConnection {
public:
    PgConnection() = default;
    ~PgConnection();
    PgConnection(const PgConnection &) = delete;
    PgConnection &operator=(const PgConnection &) = delete;

    // A descriptor that becomes readable when waiting should end (the output stops); -1
    // for none.  The connection only polls it.
    void setWakeFd(int fd) { m_wakeFd = fd; }
    // How long one operation (a connect, a statement, a COPY) may wait in all.
    void setTimeoutMs(int ms) { m_timeoutMs = ms < 1 ? 1 : ms; }

    // Connects with a libpq connection string or URI; a password comes only from libpq's
    // own places (~/.pgpass, PGPASSFILE, the service file).  False, with error(), when
    // the server cannot be reached or refuses.
    bool connect(const std::string &conninfo);
    void disconnect();
    bool connected() const;

    // Runs sql (several statements allowed) with text parameters ($1, $2, ...; one
    // statement only when there are parameters).  False with error().
    bool exec(const std::string &sql, const std::vector<std::string> &params = {});
    // Runs a query whose result is one value.  False with error().
    bool queryValue(const std::string &sql, std::string &value);
    // COPY ... FROM STDIN with data, already in COPY text format.  False with error().
    bool copyIn(const std::string &copySql, const std::string &data);

    // The last failure's message, one line.
    const std::string &error() const { return m_error; }
    // True when the last failure was the server's own answer: it was reached and refused
    // the login, the database or a statement.  False when it could not be reached, did
    // not answer in time, or went away.
    bool refused() const { return m_refused; }

private:
    enum class Wait { Ready, Woken, TimedOut, Failed };
    Wait waitFor(bool forWrite, long long deadlineMs);
    bool flush(long long deadlineMs);
    bool results(long long deadlineMs, pg_result **last, int wanted);
    bool fail(const std::string &why);
    bool failWait(Wait wait);
    long long deadline() const;

    pg_conn *m_conn = nullptr;
    int m_wakeFd = -1;
    int m_timeoutMs = 30000;
    std::string m_error;
    bool m_refused = false;
};

}  // namespace tk70
