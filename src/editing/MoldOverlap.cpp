#include "editing/MoldOverlap.h"

namespace molds {

bool needsMold(const PlanRecord &lot)
{
    return lot.Active > 0 && !lot.MoldNo.trimmed().isEmpty();
}

bool holdsMoldOnMachine(const PlanRecord &lot)
{
    return needsMold(lot) && !lot.MachineCode.trimmed().isEmpty();
}

} // namespace molds
