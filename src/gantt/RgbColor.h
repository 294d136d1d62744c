#pragma once
// A colour as the plant's screens give it: red, green and blue, 0..255 each.

#include <QtGlobal>

struct RgbColor
{
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;

    bool operator==(const RgbColor &) const = default;
};
