#pragma once
// A save progress that shows nothing, for tests that save and look only at the result.

#include "persist/SaveProgress.h"

class QuietProgress : public SaveProgress
{
public:
    void started(qint64) override {}
    void advanced(qint64, qint64, bool) override {}
    void finished() override {}
};
