#pragma once
// The splash window shown while the plan is loaded. Its message area MsgBox tells the
// planner what the loading is doing; a key press or a click closes the window.

#include "plan/ProgressText.h"

#include <QElapsedTimer>
#include <QFrame>

class QLabel;

class SchedulerSplash : public QFrame
{
    Q_OBJECT
public:
    static QString initialMessage();

    explicit SchedulerSplash(QWidget *parent = nullptr);
    // Shows the window and paints it at once, before a long load blocks the event loop.
    void showNow();
    // Replaces the message and repaints it at once.
    void setMessage(const QString &text);
    QString message() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLabel *m_msgBox;
};

// Plan loading reports its progress here: the splash shows the text, then pending window
// events run. Without a splash (a reload with the window already open) only the events run.
// Reports that come faster than the eye follows are held back; the last one is shown when
// the load ends.
class SplashProgress : public ProgressText
{
public:
    static constexpr qint64 MinimumIntervalMs = 50;

    explicit SplashProgress(SchedulerSplash *splash) : m_splash(splash) {}
    ~SplashProgress() override;
    void show(const QString &text) override;

private:
    SchedulerSplash *m_splash;
    QElapsedTimer m_sinceShown;
    QString m_heldBack;
};
