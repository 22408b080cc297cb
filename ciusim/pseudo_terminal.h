// A pseudo-terminal for the simulated CIU: the master side for the simulator, the slave
// device for the driver.  The slave is made raw at once (a new pty echoes and translates
// until then), and the simulator keeps its own slave descriptor open so that the master
// never sees a hang-up when the driver closes and reopens the device.
#pragma once

#include <string>

namespace ciusim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Opens a new pair; the master is non-blocking.  On failure error says why.
    bool open(std::string &error);
    void close();

    int master() const { return m_master; }
    const std::string &slavePath() const { return m_slavePath; }

private:
    bool openSlave(std::string &error);

    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};

}  // namespace ciusim
