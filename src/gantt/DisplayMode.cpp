#include "gantt/DisplayMode.h"

QString displayModeCaption(DisplayMode mode)
{
    switch (mode) {
    case DisplayMode::Day:
        return QStringLiteral("１日表示モード");
    case DisplayMode::ThreeDays:
        return QStringLiteral("３日表示モード");
    case DisplayMode::Week:
        return QStringLiteral("１週間表示モード");
    case DisplayMode::FourWeeks:
        return QStringLiteral("４週間表示モード");
    }
    return {};
}

DisplayMode nextDisplayMode(DisplayMode mode)
{
    switch (mode) {
    case DisplayMode::Day:
        return DisplayMode::ThreeDays;
    case DisplayMode::ThreeDays:
        return DisplayMode::Week;
    case DisplayMode::Week:
        return DisplayMode::FourWeeks;
    case DisplayMode::FourWeeks:
        return DisplayMode::Day;
    }
    return DisplayMode::Week;
}

DisplayMode displayModeFromNumber(int number)
{
    if (number >= 1 && number <= 4)
        return static_cast<DisplayMode>(number);
    return DisplayMode::Week;
}
