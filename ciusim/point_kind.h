// The kinds of point the CIU handles, by the driver's point type codes.
#pragma once

namespace ciusim {

enum class PointKind {
    None,           // a type the CIU does not establish
    Analog,         // 1, 2, 3, 5, 19: 3-byte real, exception reporting
    Digital,        // 7: one bit, exception reporting
    Status,         // 6, 15, 80: status and value bytes, miscellaneous status reports
    ModuleStatus,   // 14: a module's status in bits 5 and 6, miscellaneous status reports
    AnalogOutput,   // 12: written by output value
    DigitalOutput,  // 13: written by output value
};

PointKind kindOfType(int type);

// Kinds read by the exception report and the value list.
bool isValuePoint(PointKind kind);

// Kinds read by the miscellaneous status exceptions and list.
bool isStatusPoint(PointKind kind);

}  // namespace ciusim
