#pragma once
// Where a long loop (plan loading, saving) reports how far it has come. The splash window
// shows the text and lets pending window events run before it returns.

#include <QString>

class ProgressText
{
public:
    virtual ~ProgressText() = default;
    virtual void show(const QString &text) = 0;
};
