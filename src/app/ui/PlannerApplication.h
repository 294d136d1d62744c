#pragma once
// The program's run: start-up in its fixed order (command line, settings file, one-copy
// check, database, the plant's display settings and the operator, class window, splash, main window), then the
// main window until it closes, with the restart cycle back to the class window in between.
// Any start-up failure is reported with what failed and ends the run with exit code 1.

#include "app/CommandLine.h"
#include "db/Database.h"
#include "plan/RunContext.h"
#include "app/SingleInstance.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

class MainForm;
class Prompter;
class SchedulerSplash;
class StartupError;

class PlannerApplication : public QObject
{
    Q_OBJECT
public:
    PlannerApplication();
    ~PlannerApplication() override;

    // Runs the program on the given command line; returns the exit code.
    int run(const QStringList &arguments);

private:
    enum class Outcome { Started, LeftAtClassWindow, SecondCopy };
    Outcome startUp(const QStringList &arguments);
    // The class window until the chosen class can be planned at the plant; false when the
    // planner left the program there.
    bool chooseClass();
    bool takeClass();
    void openMainWindow();
    void restart();
    void saveScreenshot();
    void reportFailure(const StartupError &error);

    LaunchOptions m_options;
    bool m_unattended = false;
    RunContext m_context;
    std::optional<QString> m_operatorNote; // an operator code the plant has not registered
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Prompter> m_prompter;
    std::unique_ptr<SchedulerSplash> m_splash;
    QPointer<MainForm> m_mainForm;
};
