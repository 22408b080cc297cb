// The simulator's pseudo-terminal: see pseudo_terminal.h.
#include "ciusim/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace ciusim {

namespace {

std::string failure(const char *what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PseudoTerminal::~PseudoTerminal() { close(); }

bool PseudoTerminal::open(std::string &error)
{
    close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        error = failure("cannot open a pseudo-terminal");
        return false;
    }
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = failure("cannot unlock the pseudo-terminal");
        close();
        return false;
    }
    int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0 || !openSlave(error)) {
        if (error.empty())
            error = failure("cannot make the pseudo-terminal non-blocking");
        close();
        return false;
    }
    return true;
}

bool PseudoTerminal::openSlave(std::string &error)
{
    char name[256];
    if (::ptsname_r(m_master, name, sizeof name) != 0) {
        error = failure("cannot name the pseudo-terminal");
        return false;
    }
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        error = failure("cannot open the pseudo-terminal device");
        return false;
    }
    termios settings{};
    if (::tcgetattr(m_slave, &settings) != 0) {
        error = failure("cannot read the terminal settings");
        return false;
    }
    ::cfmakeraw(&settings);
    if (::tcsetattr(m_slave, TCSANOW, &settings) != 0) {
        error = failure("cannot make the terminal raw");
        return false;
    }
    m_slavePath = name;
    return true;
}

void PseudoTerminal::close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
    m_slavePath.clear();
}

}  // namespace ciusim
