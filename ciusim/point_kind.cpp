// Point kinds by type code: see point_kind.h.
#include "ciusim/point_kind.h"

namespace ciusim {

PointKind kindOfType(int type)
{
    switch (type) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 19: return PointKind::Analog;
    case 7: return PointKind::Digital;
    case 6:
    case 15:
    case 80: return PointKind::Status;
    case 14: return PointKind::ModuleStatus;
    case 12: return PointKind::AnalogOutput;
    case 13: return PointKind::DigitalOutput;
    default: return PointKind::None;
    }
}

bool isValuePoint(PointKind kind) { return kind == PointKind::Analog || kind == PointKind::Digital; }

bool isStatusPoint(PointKind kind) { return kind == PointKind::Status || kind == PointKind::ModuleStatus; }

}  // namespace ciusim
