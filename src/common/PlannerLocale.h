#pragma once
// The planners' language for what Qt writes by itself: the month and weekday names of the
// date pickers and Qt's own buttons and captions (its Japanese translations).

#include <QLocale>

namespace plant {

inline QLocale plannerLocale()
{
    return QLocale(QLocale::Japanese, QLocale::Japan);
}

} // namespace plant
