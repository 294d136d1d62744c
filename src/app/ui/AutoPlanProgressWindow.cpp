#include "app/ui/AutoPlanProgressWindow.h"

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
    return !wasCanceled();
}
