#pragma once
// The first day of the demo plants the tests write: a Tuesday, so that a weekend falls
// inside the first week.

#include <QDate>

inline const QDate DemoStart{2026, 12, 8};
