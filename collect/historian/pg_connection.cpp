// PgConnection: see pg_connection.h.
#include "collect/historian/pg_connection.h"

#include "collect/historian/historian_clock.h"

#include <cerrno>
#include <chrono>
#include <libpq-fe.h>
#include <memory>
#include <poll.h>

namespace tk70 {

namespace {

struct ResultFree {
    void operator()(PGresult *result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

// libpq's messages end with a line end, some have several lines; the first says it.
std::string firstLine(const char *message)
{
    std::string text = message ? message : "";
    const std::size_t end = text.find('\n');
    if (end != std::string::npos)
        text.resize(end);
    return text.empty() ? std::string("unknown error") : text;
}

bool succeeded(ExecStatusType status)
{
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_COPY_IN;
}

// A connection the server has answered: it has our start-up message and speaks.
bool serverAnswered(ConnStatusType status)
{
    return status == CONNECTION_AWAITING_RESPONSE || status == CONNECTION_AUTH_OK || status == CONNECTION_SETENV;
}

}  // namespace

PgConnection::~PgConnection() { disconnect(); }

long long PgConnection::deadline() const { return monotonicMs() + m_timeoutMs; }

bool PgConnection::fail(const std::string &why)
{
    m_error = why;
    m_refused = false;
    return false;
}

bool PgConnection::failWait(Wait wait)
{
    if (wait == Wait::Woken)
        return fail("the historian output stopped");
    if (wait == Wait::TimedOut)
        return fail("the server did not answer within " + (m_timeoutMs < 1000
                                                               ? std::to_string(m_timeoutMs) + " ms"
                                                               : std::to_string(m_timeoutMs / 1000) + " s"));
    return fail(m_conn ? firstLine(PQerrorMessage(m_conn)) : std::string("not connected"));
}

// Waits until the socket can be read (or written), the wake-up descriptor fires, or the
// deadline passes; a signal does not end the wait.
PgConnection::Wait PgConnection::waitFor(bool forWrite, long long deadlineMs)
{
    pollfd fds[2] = {{PQsocket(m_conn), short(forWrite ? POLLOUT : POLLIN), 0}, {m_wakeFd, POLLIN, 0}};
    if (fds[0].fd < 0)
        return Wait::Failed;
    for (;;) {
        const long long left = deadlineMs - monotonicMs();
        if (left <= 0)
            return Wait::TimedOut;
        const int ready = ::poll(fds, m_wakeFd >= 0 ? 2 : 1, int(left > 1000000 ? 1000000 : left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Wait::Failed;
        if (m_wakeFd >= 0 && (fds[1].revents & POLLIN))
            return Wait::Woken;
        if (ready > 0)
            return Wait::Ready;
    }
}

bool PgConnection::connect(const std::string &conninfo)
{
    disconnect();
    // expand_dbname: dbname is a whole connection string or URI.  It comes last, so that
    // what it sets wins over the defaults given here.
    const char *keys[] = {"application_name", "keepalives_idle", "dbname", nullptr};
    const char *values[] = {"TK70 Pro", "30", conninfo.c_str(), nullptr};
    m_conn = PQconnectStartParams(keys, values, 1);
    if (!m_conn)
        return fail("out of memory");
    if (PQstatus(m_conn) == CONNECTION_BAD) {
        fail(firstLine(PQerrorMessage(m_conn)));
        disconnect();
        return false;
    }
    // The server's notices ("relation ... already exists, skipping") are not for the user.
    PQsetNoticeProcessor(
        m_conn, [](void *, const char *) {}, nullptr);
    const long long until = deadline();
    for (PostgresPollingStatusType status = PGRES_POLLING_WRITING;;) {
        if (status == PGRES_POLLING_OK && PQsetnonblocking(m_conn, 1) == 0)
            return true;
        const Wait wait = status == PGRES_POLLING_READING || status == PGRES_POLLING_WRITING
                              ? waitFor(status == PGRES_POLLING_WRITING, until)
                              : Wait::Failed;
        const bool answered = serverAnswered(PQstatus(m_conn));
        if (wait != Wait::Ready || (status = PQconnectPoll(m_conn)) == PGRES_POLLING_FAILED) {
            failWait(wait == Wait::Ready ? Wait::Failed : wait);
            m_refused = wait == Wait::Ready && answered;
            disconnect();
            return false;
        }
    }
}

void PgConnection::disconnect()
{
    if (m_conn)
        PQfinish(m_conn);
    m_conn = nullptr;
}

bool PgConnection::connected() const { return m_conn && PQstatus(m_conn) == CONNECTION_OK; }

// Sends what libpq holds for the server.
bool PgConnection::flush(long long deadlineMs)
{
    for (;;) {
        const int pending = PQflush(m_conn);
        if (pending == 0)
            return true;
        const Wait wait = pending < 0 ? Wait::Failed : waitFor(true, deadlineMs);
        if (wait != Wait::Ready)
            return failWait(wait);
        if (!PQconsumeInput(m_conn))
            return failWait(Wait::Failed);
    }
}

// Reads the results of what was sent until libpq has no more (or until a COPY IN
// begins, when wanted is PGRES_COPY_IN).  True when none failed; the last one is kept in
// *last when asked for.
bool PgConnection::results(long long deadlineMs, PGresult **last, int wanted)
{
    bool ok = true;
    for (;;) {
        while (PQisBusy(m_conn)) {
            const Wait wait = waitFor(false, deadlineMs);
            if (wait != Wait::Ready || !PQconsumeInput(m_conn))
                return failWait(wait);
        }
        Result result(PQgetResult(m_conn));
        if (!result) {
            m_refused = !ok && connected();  // a statement refused, not a connection lost
            return ok;
        }
        const ExecStatusType status = PQresultStatus(result.get());
        if (!succeeded(status) && ok) {
            ok = false;
            fail(firstLine(PQresultErrorMessage(result.get())));
        }
        const bool copyBegins = status == PGRES_COPY_IN;
        if (last && ok) {
            PQclear(*last);
            *last = result.release();
        }
        if (copyBegins && wanted == PGRES_COPY_IN)
            return ok;
    }
}

bool PgConnection::exec(const std::string &sql, const std::vector<std::string> &params)
{
    if (!connected())
        return fail("not connected");
    std::vector<const char *> values;
    for (const std::string &param : params)
        values.push_back(param.c_str());
    const bool sent = params.empty() ? PQsendQuery(m_conn, sql.c_str())
                                     : PQsendQueryParams(m_conn, sql.c_str(), int(values.size()), nullptr,
                                                         values.data(), nullptr, nullptr, 0);
    const long long until = deadline();
    return (sent || failWait(Wait::Failed)) && flush(until) && results(until, nullptr, 0);
}

bool PgConnection::queryValue(const std::string &sql, std::string &value)
{
    if (!connected() || !PQsendQuery(m_conn, sql.c_str()))
        return m_conn ? failWait(Wait::Failed) : fail("not connected");
    const long long until = deadline();
    PGresult *raw = nullptr;
    const bool ok = flush(until) && results(until, &raw, 0);
    const Result last(raw);
    if (!ok)
        return false;
    if (!last || PQntuples(last.get()) < 1 || PQnfields(last.get()) < 1)
        return fail("the server's answer held no value");
    value = PQgetvalue(last.get(), 0, 0);
    return true;
}

bool PgConnection::copyIn(const std::string &copySql, const std::string &data)
{
    if (!connected() || !PQsendQuery(m_conn, copySql.c_str()))
        return m_conn ? failWait(Wait::Failed) : fail("not connected");
    const long long until = deadline();
    PGresult *raw = nullptr;
    const bool begun = flush(until) && results(until, &raw, PGRES_COPY_IN);
    const Result started(raw);
    if (!begun || !started || PQresultStatus(started.get()) != PGRES_COPY_IN)
        return begun ? fail("the server did not begin the COPY") : false;
    for (int put = 0; (put = PQputCopyData(m_conn, data.data(), int(data.size()))) != 1;) {
        const Wait wait = put < 0 ? Wait::Failed : waitFor(true, until);
        if (wait != Wait::Ready)
            return failWait(wait);
    }
    for (int end = 0; (end = PQputCopyEnd(m_conn, nullptr)) != 1;) {
        const Wait wait = end < 0 ? Wait::Failed : waitFor(true, until);
        if (wait != Wait::Ready)
            return failWait(wait);
    }
    return flush(until) && results(until, nullptr, 0);
}

}  // namespace tk70
