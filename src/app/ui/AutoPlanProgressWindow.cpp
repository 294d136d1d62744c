#include "app/ui/AutoPlanProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr qint64 RedrawEveryMs = 50;

} // namespace

AutoPlanProgressWindow::AutoPlanProgressWindow(QWidget *parent) : QProgressDialog(parent)
{
    setObjectName(QStringLiteral("AutoPlanProgress"));
    setWindowTitle(QStringLiteral("自動計画"));
    setLabelText(QStringLiteral("自動計画を実行しています。中止すると、それまでに見つかった最良の計画を採ります。"));
    auto *stop = new QPushButton(QStringLiteral("中止"), this);
    stop->setObjectName(QStringLiteral("CmdStop"));
    setCancelButton(stop);
    // The window does not go away on 中止: the planner is asked to stop and the window stays
    // modal until it has.
    disconnect(this, SIGNAL(canceled()), this, SLOT(cancel()));
    disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
    connect(this, &QProgressDialog::canceled, this, &AutoPlanProgressWindow::askToStop);
    setWindowModality(Qt::WindowModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setMinimumWidth(420);
    setRange(0, 0);
}

void AutoPlanProgressWindow::start()
{
    show();
    m_sinceShown.start();
    QCoreApplication::processEvents();
}

bool AutoPlanProgressWindow::tell(int done, int total)
{
    const qint64 now = m_sinceShown.isValid() ? m_sinceShown.elapsed() : 0;
    if (m_lastShown < 0 || now - m_lastShown >= RedrawEveryMs || done >= total) {
        m_lastShown = now;
        setRange(0, std::max(total, 1));
        setValue(std::clamp(done, 0, std::max(total, 1)));
        QCoreApplication::processEvents();
    }
    return !m_stopAsked;
}

void AutoPlanProgressWindow::askToStop()
{
    if (m_stopAsked)
        return;
    m_stopAsked = true;
    if (auto *stop = findChild<QPushButton *>(QStringLiteral("CmdStop")))
        stop->setEnabled(false);
    setLabelText(QStringLiteral("中止しています。それまでに見つかった最良の計画を採ります。"));
}

void AutoPlanProgressWindow::reject()
{
    askToStop();
}

void AutoPlanProgressWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    askToStop();
}
