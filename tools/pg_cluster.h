// A throwaway PostgreSQL server for the tests and the benchmark: initdb into a temporary
// folder, the server listening on a Unix socket in that folder and on no TCP port,
// stopped and removed with the object.  As root the server runs as the unprivileged
// user nobody (the server refuses to run as root).
#pragma once

#include <string>
#include <vector>

namespace tk70test {

class PgCluster {
public:
    // Makes the cluster and starts its server; ok() says whether that worked.
    PgCluster();
    ~PgCluster();
    PgCluster(const PgCluster &) = delete;
    PgCluster &operator=(const PgCluster &) = delete;

    bool ok() const { return m_running; }
    // What went wrong, with the output of the program that failed.
    const std::string &error() const { return m_error; }

    // A libpq connection string for database on this server as its superuser.
    std::string connectionString(const std::string &database = "postgres") const;
    // Stops the server at once, as a crash or a pulled cable would (pg_ctl -m immediate).
    bool stop();
    // Starts the stopped server again over the same data.
    bool start();
    // Runs sql through psql on database; false (and error()) when psql fails.  out
    // receives the unaligned, tuples-only output.
    bool psql(const std::string &sql, std::string *out = nullptr, const std::string &database = "postgres");

    // One server for the whole process, made at the first call and stopped and removed
    // at its exit: each test program starts one.
    static PgCluster &shared();

    // The folder of the server programs (initdb, pg_ctl, postgres), or empty when none
    // is installed.
    static std::string binDir();

private:
    bool run(const std::vector<std::string> &argv, bool asServerUser, std::string *out = nullptr);
    bool makeFolders();

    std::string m_root;    // the temporary folder, removed at the end
    std::string m_data;    // the cluster's data folder
    std::string m_socket;  // the folder of the server's socket, its log beside it
    std::string m_bin;
    bool m_asNobody = false;
    bool m_running = false;
    std::string m_error;
};

}  // namespace tk70test
