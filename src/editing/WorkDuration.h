#pragma once
// How long a lot works: the work-time formula every recalculation uses, and the conversion
// of a routing's machine productivity into seconds per piece.

#include <QtGlobal>

// Minutes of work for `quantity` pieces at `secondsPerPiece` (0 means five seconds a piece),
// shared among `persons` (below 1 counts as one): the whole minutes rounded up, then divided
// and rounded halves to even.
qint64 ComputeWorkMinutes(double secondsPerPiece, qint64 quantity, qint64 persons);

// Seconds per piece of a productivity expressed in `unitCode`: 1 seconds, 2 minutes or
// 3 hours per piece; 4 pieces per second, 5 per minute, 6 per hour. Other codes up to 3 read
// as seconds per piece, those above 3 as pieces per second. `productivity` must not be 0.
double secondsPerPiece(double productivity, double unitCode);
