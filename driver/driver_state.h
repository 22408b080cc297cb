// The driver's one static state: the configuration record, the log, the serial port,
// the point table, the link, the tuning state and the connection's thread and flags.
#pragma once

#include "driver/ciu_link.h"
#include "driver/driver_log.h"
#include "driver/point_table.h"
#include "driver/reply_apply.h"
#include "driver/serial_port.h"
#include "driver/tuning.h"
#include "driver/vantor.h"

#include <atomic>
#include <string>
#include <thread>

namespace vantor {

struct DriverState {
    DriverState();
    ~DriverState();  // a connection still open at exit is closed: the thread is stopped and joined

    CiuCommStruct comm{};
    DriverLog log{comm};
    SerialPort port;
    PointTable points{comm};
    CiuLink link{comm, port, log};
    TuneState tune;
    std::atomic<bool> running{false};    // the collection thread loops while set
    std::atomic<bool> connected{false};  // what CiuCheckConnected returns
    std::thread thread;
    std::string portName;  // "COM<n>" of the open connection, for the log
    bool eventsCreated = false;
};

DriverState &driver();

// Fills the record with its defaults.
void setCommDefaults(CiuCommStruct &comm);

// The status masks the reply appliers use, from the record.
StatusMasks statusMasks(const CiuCommStruct &comm);

}  // namespace vantor
