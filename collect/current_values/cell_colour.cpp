// The state colours of the current-values cells.
#include "collect/current_values/cell_colour.h"

namespace tk70 {

int stateColour(const PointReading &reading, bool printing)
{
    if (printing)
        return kColourPrinting;
    if (reading.errorCode < 0)
        return kColourNegativeStatus;
    if (reading.errorCode > 0)
        return kColourPointError;
    return reading.badQuality ? kColourBadQuality : kColourGood;
}

}  // namespace tk70
