#pragma once
// The four zoom levels of the chart and what each shows.

#include <QString>

enum class DisplayMode { Day = 1, ThreeDays = 2, Week = 3, FourWeeks = 4 };

// The caption of the mode box Text1: "１日表示モード" … "４週間表示モード".
QString displayModeCaption(DisplayMode mode);

// The mode the mode button goes to next: day → 3 days → week → four weeks → day.
DisplayMode nextDisplayMode(DisplayMode mode);

// The mode of a number 1..4 (a command-line choice); anything else gives the week.
DisplayMode displayModeFromNumber(int number);
