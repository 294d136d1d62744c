#pragma once
// The numbers a lot split gives the arrangements it cuts off until the save gives them their
// own: -1, -2, -3, ... The plan session keeps one counter that never goes back (an undone
// split does not return its numbers), so two provisional arrangements never share a number.

#include <QtGlobal>

class ProvisionalNumbers
{
public:
    // The next provisional number: one below the last one given.
    qint64 next() { return --m_last; }
    qint64 last() const { return m_last; }

private:
    qint64 m_last = 0;
};
