// The serial port the CIU hangs on, over termios and poll().
//
// The port is opened non-blocking and exclusive, set raw with the configured line
// settings, and read and written against deadlines.  A read waits for a frame end (0x0D)
// the way the CIU link needs it.  interrupt() ends a pending wait at once from another
// thread, so closing a connection never waits out a receive time-out; after it, reads
// wait a short grace at most, enough for the CIU to acknowledge a last command.  A device
// that goes away (a USB adapter pulled out) hangs up for good; the port notes it, fails
// at once from then on, and can be opened again on the same path when it is back.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <termios.h>

namespace vantor {

struct LineSettings {
    int baudRate = 9600;
    int dataBits = 8;
    int parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0;  // 0 one, 1 one and a half (taken as two), 2 two
};

// Fills tio with the raw line settings; returns false when a setting has no termios
// equivalent (an unsupported baud rate, data bits outside 5 to 8, an unknown code).
bool applyLineSettings(const LineSettings &settings, termios &tio);

// Where the line's error counts (framing, parity, overrun, break) come from: the device's
// interrupt counters, or, when a source is installed, that source (tests inject noise on
// a pseudo-terminal, which keeps no counters).  A source returns false when it has none.
using LineErrorSource = bool (*)(int fd, long long &errors);
void setLineErrorSource(LineErrorSource source);

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;

    // Opens the device for reading and writing, exclusively: in the terminal's exclusive
    // mode and under an advisory lock.  Returns false and fills error with the system's
    // text when it cannot ("Device or resource busy" while another program holds it).
    bool open(const std::string &path, std::string &error);
    // Applies the line settings, keeping the previous ones to restore at close.  Returns
    // false when the settings are refused.
    bool configure(const LineSettings &settings);
    // Restores the previous line settings and closes the device.
    void close();
    // True once the device has hung up (it went away: a hang-up, end of file or an error
    // such as EIO); reads and writes then fail at once until it is opened again.
    bool hungUp() const { return m_hungUp; }
    // Closes the device and opens the same path again with the same line settings, for a
    // device that went away and came back; interrupt() stays in force.  Only the thread that
    // reads and writes may call it.  Returns false and fills error when it cannot.
    bool reopen(std::string &error);

    // Raises or drops DTR and RTS.  Devices without modem lines refuse; that is ignored.
    void setControlLines(bool on);
    // Discards everything queued in both directions and clears the line's error state:
    // only errors counted after it discard a reply.
    void purge();
    // Writes all bytes within timeoutMs and waits until they have left.  Returns false on
    // time-out or error.
    bool write(const std::uint8_t *data, std::size_t size, int timeoutMs);
    // Reads until a 0x0D has arrived, capacity bytes are held or timeoutMs has passed.
    // Returns the number of bytes read when a 0x0D or a full buffer ended the read, and
    // 0 on time-out, line error, hang-up, read error or interrupt().
    std::size_t readFrame(std::uint8_t *buffer, std::size_t capacity, int timeoutMs);
    // Ends a pending readFrame() at once and limits later ones to kGraceAfterInterruptMs,
    // until the port is opened again.  Safe from any thread while the port is open.
    void interrupt();
    static constexpr int kGraceAfterInterruptMs = 250;

private:
    bool openDevice(std::string &error);
    void closeDevice();
    // Marks the device as gone when a failed call's error says so; returns false.
    bool noteFailure(int error);
    bool lineErrorSinceLastCheck();
    void clearLineErrors();
    bool waitReadable(long long deadlineMs, bool watchWake);

    std::string m_path;
    LineSettings m_settings;
    bool m_haveSettings = false;
    bool m_hungUp = false;
    int m_fd = -1;
    int m_wakeFd = -1;
    std::atomic<bool> m_interrupted{false};
    bool m_haveSavedSettings = false;
    termios m_savedSettings{};
    long long m_lineErrors = -1;  // frame, parity, overrun and break counts seen last
};

}  // namespace vantor
