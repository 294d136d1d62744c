#pragma once
// The save progress of the bench rows: shows nothing.

#include "persist/SaveProgress.h"

class NoProgress : public SaveProgress
{
public:
    void started(qint64) override {}
    void advanced(qint64, qint64, bool) override {}
    void finished() override {}
};
