#include "app/ui/SchedulerSplash.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QLabel *caption(const QString &text, const QString &name, int pointSize, bool bold, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}
} // namespace

QString SchedulerSplash::initialMessage()
{
    return QStringLiteral("計画データを読み込んでいます。しばらくお待ちください．．．");
}

SchedulerSplash::SchedulerSplash(QWidget *parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SchedulerSplash"));
    setFrameStyle(QFrame::Box | QFrame::Raised);
    setLineWidth(2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 24);
    layout->setSpacing(10);
    layout->addWidget(caption(QStringLiteral("Kalvuner（成形工程用）"), QStringLiteral("lblProductName"), 20, true, this));
    layout->addWidget(caption(QStringLiteral("ガントチャートエディタ"), QStringLiteral("lblProgramName"), 14, false, this));
    layout->addWidget(caption(QStringLiteral("For Tremix"), QStringLiteral("lblPlatform"), 11, false, this));
    layout->addWidget(caption(QStringLiteral("ver.3.0"), QStringLiteral("lblVersion"), 10, false, this));
    layout->addSpacing(12);
    m_msgBox = caption(initialMessage(), QStringLiteral("MsgBox"), 10, false, this);
    m_msgBox->setWordWrap(true);
    m_msgBox->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_msgBox->setMinimumHeight(48);
    layout->addWidget(m_msgBox);
    setFixedSize(520, 300);
}

void SchedulerSplash::showNow()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SchedulerSplash::setMessage(const QString &text)
{
    m_msgBox->setText(text);
    m_msgBox->repaint();
}

QString SchedulerSplash::message() const
{
    return m_msgBox->text();
}

void SchedulerSplash::keyPressEvent(QKeyEvent *)
{
    close();
}

void SchedulerSplash::mousePressEvent(QMouseEvent *)
{
    close();
}

SplashProgress::~SplashProgress()
{
    if (m_splash && !m_heldBack.isEmpty())
        m_splash->setMessage(m_heldBack);
}

void SplashProgress::show(const QString &text)
{
    // The load reports every hundred lots; painting each report and running the window events
    // that often cost more than the load itself on a large plant, so the splash follows at most
    // every MinimumInterval.
    if (m_sinceShown.isValid() && m_sinceShown.elapsed() < MinimumIntervalMs) {
        m_heldBack = text;
        return;
    }
    m_sinceShown.start();
    m_heldBack.clear();
    if (m_splash)
        m_splash->setMessage(text);
    QApplication::processEvents();
}
