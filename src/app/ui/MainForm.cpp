#include "app/ui/MainForm.h"

#include "app/MainFormLayout.h"
#include "app/StartupError.h"
#include "app/ui/SchedulerSplash.h"
#include "gantt/ChartAxis.h"
#include "plan/RunContext.h"
#include "session/PlanSession.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
constexpr int kTwipsPerPixel = 15;
constexpr int kVisibleRows = 10;
constexpr int kRowPageStep = 9;

QRect toPixels(const mainform::TwipRect &r)
{
    auto px = [](qint64 twips) { return int((twips + kTwipsPerPixel / 2) / kTwipsPerPixel); };
    return QRect(px(r.left), px(r.top), px(r.width), px(r.height));
}

QWidget *placeholder(const QString &name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    return frame;
}

void install(QWidget *area, QWidget *widget)
{
    area->layout()->addWidget(widget);
    widget->show();
}

// Restores the normal pointer however the load ends.
struct BusyPointer
{
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};
} // namespace

QString MainForm::baseCaption()
{
    return QStringLiteral("生産計画支援システム");
}

MainForm::MainForm(RunContext &context, Database &db, Prompter &prompter, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_prompter(prompter),
      m_plan(new PlanSession(context, db, prompter, this)), m_unsaved(context.inquiryMode())
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(baseCaption());
    QFont font = this->font();
    font.setPointSize(9);
    setFont(font);
    buildControls();
    connect(&m_unsaved, &UnsavedChanges::unsavedChangesChanged, m_comHozon, &QWidget::setEnabled);
    connect(m_plan, &PlanSession::unsavedChangesChanged, &m_unsaved, [this](bool unsaved) {
        if (unsaved)
            m_unsaved.markChanged();
        else
            m_unsaved.markSaved();
    });
    setMinimumSize(toPixels({0, 0, mainform::kMinimumFormWidth, mainform::minimumFormHeight()}).size());
}

void MainForm::buildControls()
{
    m_central = new QWidget(this);
    setCentralWidget(m_central);

    m_kTbun = new QLabel(m_central);
    m_kTbun->setObjectName(QStringLiteral("KTbun"));
    m_kTbun->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_kTbun->setToolTip(QStringLiteral("ダブルクリックで工程分類を選び直します"));
    m_kTbun->installEventFilter(this);

    m_dayDispArea = new QLineEdit(m_central);
    m_dayDispArea->setObjectName(QStringLiteral("DayDispArea"));
    m_text1 = new QLineEdit(m_central);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setReadOnly(true);
    m_text1->setAlignment(Qt::AlignCenter);
    m_command4 = new QPushButton(QStringLiteral("表示モード変更"), m_central);
    m_command4->setObjectName(QStringLiteral("Command4"));

    auto *strip = new QLabel(QStringLiteral("未割付"), m_central);
    strip->setObjectName(QStringLiteral("LblStrip"));
    strip->setAlignment(Qt::AlignCenter);
    m_picture2 = placeholder(QStringLiteral("Picture2"), m_central);
    m_picture1 = placeholder(QStringLiteral("Picture1"), m_central);
    for (int slot = 1; slot <= mainform::kRowLabels; ++slot) {
        auto *label = new QLabel(m_central);
        label->setObjectName(mainform::rowLabelName(slot));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // Two lines, code and name, fit the 600-twip row.
        QFont small = label->font();
        small.setPixelSize(11);
        label->setFont(small);
    }
    m_kScroll = new QScrollBar(Qt::Vertical, m_central);
    m_kScroll->setObjectName(QStringLiteral("KScroll"));
    m_kScroll->setRange(0, 0);
    m_hScroll1 = new QScrollBar(Qt::Horizontal, m_central);
    m_hScroll1->setObjectName(QStringLiteral("HScroll1"));
    m_gridArea = placeholder(QStringLiteral("PlanDataGrid"), m_central);

    buildSidePanel(m_central);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    m_comHozon = m_central->findChild<QPushButton *>(QStringLiteral("ComHozon"));
    m_comHozon->setEnabled(false);
    m_cmbMachine = m_central->findChild<QComboBox *>(QStringLiteral("CmbMachine"));
    m_cmbKakuteiMachine = m_central->findChild<QComboBox *>(QStringLiteral("CmbKakuteiMachine"));
    connect(m_central->findChild<QPushButton *>(QStringLiteral("Command9")), &QPushButton::clicked, this,
            &QWidget::close);
}

QLabel *MainForm::machineName(int slot) const
{
    return m_central->findChild<QLabel *>(mainform::rowLabelName(slot));
}

void MainForm::installChartViewport(QWidget *viewport)
{
    install(m_picture1, viewport);
}

void MainForm::installStripViewport(QWidget *viewport)
{
    install(m_picture2, viewport);
}

void MainForm::installPlanGrid(QWidget *grid)
{
    install(m_gridArea, grid);
}

void MainForm::applyLayout()
{
    // The controls fill the area between the menu bar and the status bar.
    const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    const int statusHeight = statusBar()->sizeHint().height();
    const mainform::Layout layout = mainform::compute(qint64(width()) * kTwipsPerPixel,
                                                      qint64(height() - menuHeight - statusHeight) * kTwipsPerPixel);
    for (auto it = layout.controls.cbegin(); it != layout.controls.cend(); ++it) {
        if (QWidget *control = m_central->findChild<QWidget *>(it.key()))
            control->setGeometry(toPixels(it.value()));
    }
}

void MainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        applyLayout();
}

void MainForm::setRowScrollRange(qsizetype rows)
{
    m_kScroll->setMaximum(rows > kVisibleRows ? int(rows - kVisibleRows) : 0);
    m_kScroll->setPageStep(kRowPageStep);
    m_kScroll->setValue(0);
}

void MainForm::fillMachineSelectors(const QStringList &captions)
{
    for (QComboBox *box : {m_cmbMachine, m_cmbKakuteiMachine}) {
        box->clear();
        for (qsizetype row = 0; row < captions.size(); ++row)
            // A subcontractor's caption has its lines for the row label; an entry has one.
            box->addItem(captions[row].simplified(), int(row + 1));
        box->setCurrentIndex(captions.isEmpty() ? -1 : 0);
    }
}

const PlanStore &MainForm::planStore() const
{
    return m_plan->store();
}

// The settings may ask for any size; a window larger than the screen's free area shows the
// planner nothing more and only costs memory, so it is kept within it (but never below the
// window's minimum size).
QSize MainForm::windowSize(const RunContext &c) const
{
    const QSize wanted = toPixels({0, 0, c.WindowWidth, c.WindowHeight}).size();
    return wanted.boundedTo(screen()->availableGeometry().size()).expandedTo(minimumSize());
}

void MainForm::load(SchedulerSplash *splash)
{
    {
        BusyPointer busy;
        const RunContext &c = m_context;
        SplashProgress progress(splash);
        if (m_plan->load(&progress) == PlanSession::LoadResult::NoBreakMaster)
            // The planner has seen the break master's own warning: one message is enough.
            throw StartupError(QStringLiteral("休憩マスタにデータがないため、計画を表示できません。"),
                               StartupError::Shown::Already);
        move(0, 0);
        resize(windowSize(c));
        QStringList captions;
        for (int row = 1; row <= m_plan->rows().count(); ++row)
            captions.append(m_plan->rows().row(row).caption);
        setRowScrollRange(captions.size());
        m_dayDispArea->setText(longDateText(c.periodStartDate()));
        emit planLoaded();
        show();
        m_kTbun->setText(c.ProcessClassLabel);
        fillMachineSelectors(captions);
        if (c.inquiryMode())
            setWindowTitle(baseCaption() + QStringLiteral("(照会モード)"));
    }
    if (splash)
        splash->close();
    m_unsaved.setRestartPending(false);
}

bool MainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_kTbun && event->type() == QEvent::MouseButtonDblClick) {
        startRestart();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::startRestart()
{
    if (!m_unsaved.mayRestart(m_prompter))
        return;
    // The class is chosen again by hand: only the start date stays of the command line.
    m_context.LaunchArgs = m_context.LaunchArgs.section(u' ', 0, 0);
    m_unsaved.setRestartPending(true);
    close();
}

void MainForm::closeEvent(QCloseEvent *event)
{
    if (!m_unsaved.mayClose(m_prompter)) {
        event->ignore();
        return;
    }
    m_context.WindowWidth = qint64(width()) * kTwipsPerPixel;
    m_context.WindowHeight = qint64(height()) * kTwipsPerPixel;
    emit unloading();
    event->accept();
    QMainWindow::closeEvent(event);
    if (m_unsaved.restartPending())
        emit restartRequested();
    else
        emit finished();
}
