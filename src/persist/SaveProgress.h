#pragma once
// Where the save reports how far it has come; the progress window HozonForm shows it.

#include <QtGlobal>

class SaveProgress
{
public:
    virtual ~SaveProgress() = default;
    // The save begins: the window is shown (without blocking) with its bar running up to the
    // store's last index, and the pointer becomes the hourglass.
    virtual void started(qint64 lastIndex) = 0;
    // Record `index` of `lastIndex` is being saved; `repaint` asks the window to draw itself
    // and let pending window events run (every tenth record).
    virtual void advanced(qint64 index, qint64 lastIndex, bool repaint) = 0;
    // The save is over, on every path: pointer back to normal, window closed.
    virtual void finished() = 0;
};

// A save without a window (the command-line tool, tests, the bench): shows nothing.
class QuietProgress : public SaveProgress
{
public:
    void started(qint64) override {}
    void advanced(qint64, qint64, bool) override {}
    void finished() override {}
};
