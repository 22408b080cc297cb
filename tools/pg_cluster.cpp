// PgCluster: see pg_cluster.h.
#include "tools/pg_cluster.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <glob.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tk70test {

namespace {

const char *const kSuperuser = "tk70";

// Everything fd delivers until its end.
std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, size_t(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return text;
}

// Runs argv with its output and errors into one pipe; the exit status, or -1 when the
// program could not be started.
int runCapturing(const std::vector<std::string> &argv, std::string &output)
{
    // The child of a process with threads may only make async-signal-safe calls: the
    // arguments are ready before the fork.
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    output = pid > 0 ? readAll(pipeFds[0]) : std::string();
    ::close(pipeFds[0]);
    int status = 0;
    while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    return pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string PgCluster::binDir()
{
    if (const char *dir = std::getenv("TK70_PG_BIN"))
        return dir;
    glob_t found{};
    std::string dir;
    if (::glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &found) == 0 && found.gl_pathc > 0) {
        // The newest version: glob sorts, and versions from 10 on have two digits.
        dir = std::filesystem::path(found.gl_pathv[found.gl_pathc - 1]).parent_path().string();
    }
    ::globfree(&found);
    return dir;
}

PgCluster &PgCluster::shared()
{
    static PgCluster cluster;
    return cluster;
}

PgCluster::PgCluster() : m_bin(binDir()), m_asNobody(::geteuid() == 0)
{
    if (m_bin.empty()) {
        m_error = "no PostgreSQL server programs under /usr/lib/postgresql (TK70_PG_BIN names another folder)";
        return;
    }
    if (!makeFolders())
        return;
    const std::vector<std::string> initdb{m_bin + "/initdb", "-D", m_data, "-A",         "trust",    "-U",
                                          kSuperuser,        "-E", "UTF8", "--locale=C", "--no-sync"};
    if (run(initdb, true))
        start();
}

PgCluster::~PgCluster()
{
    if (m_running)
        stop();
    std::error_code ignored;
    if (!m_root.empty())
        std::filesystem::remove_all(m_root, ignored);
}

// The temporary folder (searchable by the server's user), with the data and socket
// folders the server's user owns.
bool PgCluster::makeFolders()
{
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tk70-pg.XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        m_error = "cannot make a temporary folder: " + std::string(std::strerror(errno));
        return false;
    }
    m_root = pattern;
    m_data = m_root + "/data";
    m_socket = m_root + "/socket";
    ::chmod(m_root.c_str(), 0755);
    bool made = ::mkdir(m_data.c_str(), 0700) == 0 && ::mkdir(m_socket.c_str(), 0755) == 0;
    if (made && m_asNobody) {
        const passwd *nobody = ::getpwnam("nobody");
        made = nobody && ::chown(m_data.c_str(), nobody->pw_uid, nobody->pw_gid) == 0 &&
               ::chown(m_socket.c_str(), nobody->pw_uid, nobody->pw_gid) == 0;
    }
    if (!made)
        m_error = "cannot prepare the cluster's folders in " + m_root;
    return made;
}

bool PgCluster::start()
{
    const std::string options = "-c listen_addresses='' -k " + m_socket + " -c fsync=off -c max_connections=200";
    const std::vector<std::string> argv{m_bin + "/pg_ctl",        "-D",   m_data, "-w", "-t", "60", "-o", options, "-l",
                                        m_socket + "/server.log", "start"};
    m_running = run(argv, true);
    return m_running;
}

bool PgCluster::stop()
{
    const bool stopped = run({m_bin + "/pg_ctl", "-D", m_data, "-w", "-m", "immediate", "stop"}, true);
    if (stopped)
        m_running = false;
    return stopped;
}

std::string PgCluster::connectionString(const std::string &database) const
{
    return "host=" + m_socket + " port=5432 user=" + kSuperuser + " dbname=" + database;
}

bool PgCluster::psql(const std::string &sql, std::string *out, const std::string &database)
{
    const std::vector<std::string> argv{
        m_bin + "/psql", "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", "-d", connectionString(database), "-c", sql};
    return run(argv, false, out);
}

// Runs a server program, as nobody when this process is root; false, with its output in
// error(), when it fails.
bool PgCluster::run(const std::vector<std::string> &argv, bool asServerUser, std::string *out)
{
    std::vector<std::string> command;
    if (asServerUser && m_asNobody)
        command = {"runuser", "-u", "nobody", "--"};
    command.insert(command.end(), argv.begin(), argv.end());
    std::string output;
    const int status = runCapturing(command, output);
    if (out)
        *out = output;
    if (status == 0)
        return true;
    m_error = argv.front() + " failed (" + std::to_string(status) + "): " + output;
    return false;
}

}  // namespace tk70test
