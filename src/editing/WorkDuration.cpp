#include "editing/WorkDuration.h"

#include "common/PlantValues.h"

#include <cmath>

namespace {
constexpr double DefaultSecondsPerPiece = 5;
}

qint64 ComputeWorkMinutes(double secondsPerPiece, qint64 quantity, qint64 persons)
{
    const double rate = secondsPerPiece == 0 ? DefaultSecondsPerPiece : secondsPerPiece;
    const qint64 minutes = plant::ceilWhole(std::fabs(rate * double(quantity) / 60.0));
    const qint64 sharedBy = persons >= 1 ? persons : 1;
    return plant::roundHalfEven(double(minutes) / double(sharedBy));
}

double secondsPerPiece(double productivity, double unitCode)
{
    if (unitCode <= 3) {
        if (unitCode == 3)
            return productivity * 3600;
        if (unitCode == 2)
            return productivity * 60;
        return productivity;
    }
    if (unitCode == 6)
        return 3600 / productivity;
    if (unitCode == 5)
        return 60 / productivity;
    return 1 / productivity;
}
