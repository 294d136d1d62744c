#pragma once
// Cycle times, in seconds per piece or per shot. They are kept and shown to the thousandth of
// a second: molding machines time their cycles to a hundredth, the load compares the rates
// and the work minutes round up to whole minutes, so finer digits are only the noise of
// dividing and multiplying (25.9999133336222 for 26).

#include <QString>

namespace plant {

constexpr int CycleDecimals = 3;

// Rounded to the thousandth, halves away from zero.
double cycleSeconds(double seconds);
// The shortest text of the rounded value: 26 -> "26", 12.5 -> "12.5", 1/3 -> "0.333".
QString cycleSecondsText(double seconds);

} // namespace plant
