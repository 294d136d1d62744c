#include "common/CycleSeconds.h"

#include <cmath>

namespace plant {

double cycleSeconds(double seconds)
{
    const double scale = std::pow(10.0, CycleDecimals);
    return std::round(seconds * scale) / scale;
}

QString cycleSecondsText(double seconds)
{
    QString text = QString::number(cycleSeconds(seconds), 'f', CycleDecimals);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace plant
