#include "app/ui/PlannerApplication.h"

#include "app/ClassSelection.h"
#include "plan/ConsolePrompter.h"
#include "app/RememberedClass.h"
#include "app/SettingsFile.h"
#include "app/StartupError.h"
#include "app/PlantStartup.h"
#include "app/ui/KBunSelect.h"
#include "app/ui/MainForm.h"
#include "app/ui/QtPrompter.h"
#include "app/ui/SchedulerSplash.h"
#include "app/ui/ChartEditing.h"

#include <QApplication>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int kFailed = 1;

// Runs one start-up step; a database failure becomes a start-up failure that names the step.
template <typename Step>
auto step(const QString &what, Step &&run)
{
    try {
        return run();
    } catch (const DbError &error) {
        throw StartupError(what + u'\n' + error.text);
    }
}
} // namespace

PlannerApplication::PlannerApplication() : m_prompter(std::make_unique<QtPrompter>()) {}

PlannerApplication::~PlannerApplication()
{
    delete m_mainForm.data();
}

void PlannerApplication::reportFailure(const StartupError &error)
{
    std::fputs((error.text + u'\n').toLocal8Bit().constData(), stderr);
    if (!m_unattended && error.shown == StartupError::Shown::No)
        QMessageBox::critical(nullptr, QStringLiteral("生産計画支援システム - 起動エラー"), error.text);
}

int PlannerApplication::run(const QStringList &arguments)
{
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        switch (startUp(arguments)) {
        case Outcome::Started:
            return QApplication::exec();
        case Outcome::LeftAtClassWindow:
            return 0;
        case Outcome::SecondCopy:
            return kFailed;
        }
    } catch (const StartupError &error) {
        reportFailure(error);
    }
    return kFailed;
}

PlannerApplication::Outcome PlannerApplication::startUp(const QStringList &arguments)
{
    // An unattended run reports on the error output only, also when its own command line is wrong.
    m_unattended = std::any_of(arguments.cbegin(), arguments.cend(), [](const QString &argument) {
        return argument.startsWith(QStringLiteral("--screenshot")) || argument.startsWith(QStringLiteral("-screenshot"));
    });
    if (m_unattended)
        m_prompter = std::make_unique<ConsolePrompter>();
    m_options = commandline::parse(arguments);
    m_context.LaunchArgs = m_options.launchArgs;
    m_context.OperatorCode = m_options.operatorCode;

    settings::read(m_options.settingsPath.isEmpty() ? settings::defaultPath() : m_options.settingsPath, m_context);

    m_instance = std::make_unique<SingleInstance>();
    if (!m_instance->acquire()) {
        m_prompter->inform(QStringLiteral("生産計画システムは既に起動されています。"), QStringLiteral("二重起動"),
                           PromptIcon::Information);
        return Outcome::SecondCopy;
    }

    m_db = step(QStringLiteral("データベースに接続できません。"), [this] {
        return Database::open(m_context.DbDataSource, m_context.DbUser, m_context.DbPassword);
    });
    m_operatorNote = step(QStringLiteral("担当者とシステム設定を読み込めません。"), [this] {
        return startup::readPlant(*m_db, m_context);
    });

    if (!chooseClass())
        return Outcome::LeftAtClassWindow;
    openMainWindow();
    return Outcome::Started;
}

bool PlannerApplication::chooseClass()
{
    for (;;) {
        if (!takeClass())
            return false;
        const std::optional<QString> problem = step(QStringLiteral("工程分類を読み込めません。"), [this] {
            return startup::classProblem(*m_db, m_context);
        });
        if (!problem)
            return true;
        if (m_unattended)
            throw StartupError(*problem);
        // A class without machines at this plant would open an empty chart: the planner is
        // told and chooses again, from the list (the command line's class is not taken again).
        m_prompter->inform(*problem);
        m_context.LaunchArgs = m_context.LaunchArgs.section(u' ', 0, 0);
    }
}

bool PlannerApplication::takeClass()
{
    ClassSelection selection(m_context, *m_prompter, remembered::defaultPath(), QDate::currentDate());
    step(QStringLiteral("工程分類を読み込めません。"), [&] { selection.load(*m_db); });
    if (m_unattended) {
        ClassSelection::Focus focus;
        if (!selection.confirm(focus))
            throw StartupError(QStringLiteral("画面保存には、開始日と工程分類をコマンドラインで指定してください。"));
        selection.accept();
        return true;
    }
    KBunSelect window(selection, *m_prompter);
    return window.exec() == QDialog::Accepted;
}

void PlannerApplication::openMainWindow()
{
    m_splash = std::make_unique<SchedulerSplash>();
    m_splash->showNow();
    auto *form = new MainForm(m_context, *m_db, *m_prompter);
    new ChartEditing(*form);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setRequestedDisplayMode(m_options.displayMode);
    m_mainForm = form;
    connect(form, &MainForm::finished, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connect(form, &MainForm::restartRequested, this, &PlannerApplication::restart, Qt::QueuedConnection);
    step(QStringLiteral("計画データを読み込めません。"), [&] { form->load(m_splash.get()); });
    m_splash.reset();
    // An operator the plant has not registered plans with full rights; the status bar says so
    // until another message takes its place.
    if (m_operatorNote)
        form->statusBar()->showMessage(*m_operatorNote);
    if (m_unattended)
        QTimer::singleShot(0, this, &PlannerApplication::saveScreenshot);
}

void PlannerApplication::restart()
{
    try {
        if (!chooseClass()) {
            QCoreApplication::exit(0);
            return;
        }
        openMainWindow();
    } catch (const StartupError &error) {
        reportFailure(error);
        QCoreApplication::exit(kFailed);
    }
}

void PlannerApplication::saveScreenshot()
{
    const QPixmap shot = m_mainForm->grab();
    if (!shot.save(m_options.screenshotPath, "PNG")) {
        reportFailure(StartupError(QStringLiteral("画面を保存できません: ") + m_options.screenshotPath));
        QCoreApplication::exit(kFailed);
        return;
    }
    QCoreApplication::exit(0);
}
