// The program started by an operator code the plant does not know: not every planner is
// registered, so the plan opens with full rights and the status bar names the code. The whole
// start runs as the program runs it: settings file, database, class window, main window.

#include "app/ui/MainForm.h"
#include "Screenshots.h"
#include "app/ui/PlannerApplication.h"

#include "TestPlant.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

void keepPicture(QWidget *window, const QString &name)
{
    keepScreenshot(*window, name);
}

// What the planner meets during the start, one window after another; each step waits until
// its window is there, acts on it as the planner would, and hands on to the next. A start that
// stalls (a window nobody expected) ends the program after half a minute instead of hanging.
class StartScript : public QObject
{
public:
    using Step = std::function<bool()>; // true once the step's window was found and handled

    explicit StartScript(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_next < m_steps.size() && m_steps[m_next]())
                ++m_next;
        });
        m_timer.start(20);
        QTimer::singleShot(30000, this, [] {
            ADD_FAILURE() << "the start stalled";
            QCoreApplication::exit(99);
        });
    }
    size_t done() const { return m_next; }

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
    QTimer m_timer;
};

MainForm *shownMainForm()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<MainForm *>(widget); form && form->isVisible())
            return form;
    return nullptr;
}

class UnknownOperatorStart : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        // The one-copy lock and the remembered class live in this test's own folders, not in
        // the user's.
        for (const char *variable : kUserFolders) {
            m_userFolders.append(qgetenv(variable));
            const QString folder = dir.filePath(QString::fromLatin1(variable));
            QDir(dir.path()).mkdir(QString::fromLatin1(variable));
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv(variable, folder.toLocal8Bit());
        }

        plant.insert("DB0003", {{"担当者コード", "OP1"}, {"Kalvuner権限区分", "1"}});
        plant.insert("DB0399", {{"工程分類コード", "12"}, {"工程分類名", "成形"}});
        plant.insert("DB0496", {{"自社企業コード", "1"}, {"開始時刻１", 120000}, {"終了時刻１", 130000}});
        plant.insert("DB0394", {{"機械コード", "M01     "}, {"機械名", "成形機1"}, {"生産工場コード", 1},
                                {"工程分類コード", "12"}});
        QFile settings(settingsPath());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(QStringLiteral("0,1,0,0,0,0,08:00,1200,800,\"%1\",\"\",\"%2\"\n")
                           .arg(plant.user(), plant.dataSourceField())
                           .toUtf8());
    }

    void TearDown() override
    {
        for (qsizetype k = 0; k < m_userFolders.size(); ++k) {
            if (m_userFolders[k].isNull())
                qunsetenv(kUserFolders[k]);
            else
                qputenv(kUserFolders[k], m_userFolders[k]);
        }
        QApplication::setQuitOnLastWindowClosed(true);
    }

    QString settingsPath() const { return dir.filePath(QStringLiteral("planner.ini")); }

    // Runs the program on the three tokens with the planner's steps; returns its exit code.
    int start(const QString &tokens, std::vector<StartScript::Step> steps, size_t &done)
    {
        StartScript script(std::move(steps));
        PlannerApplication planner;
        const int code = planner.run(QStringList{QStringLiteral("kalvuner"), QStringLiteral("--settings"), settingsPath()}
                                     + tokens.split(u' '));
        done = script.done();
        return code;
    }

    TestPlant plant{GetParam()};
    QTemporaryDir dir;
    static constexpr const char *kUserFolders[] = {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"};
    QList<QByteArray> m_userFolders;
};

// The class window: the class of the command line is selected, 表示 takes it.
bool pressShowInClassWindow()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window || window->objectName() != QStringLiteral("KBunSelect"))
        return false;
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("CmdDisp")), Qt::LeftButton);
    return true;
}

TEST_P(UnknownOperatorStart, UnregisteredOperatorPlansWithFullRightsAndIsNamedInTheStatusBar)
{
    QString caption;
    QString status;
    bool saveEnabled = false;
    size_t done = 0;
    const int code = start(QStringLiteral("20240401 12 OP9"),
                           {[&] {
                                // No box before the class window: the plant's rule is not a fault.
                                QWidget *window = QApplication::activeModalWidget();
                                if (window && window->objectName() != QStringLiteral("KBunSelect"))
                                    ADD_FAILURE() << "a window stood in the way: " << window->objectName().toStdString();
                                return pressShowInClassWindow();
                            },
                            [&] {
                                // The note comes once the plan is loaded.
                                MainForm *form = shownMainForm();
                                if (!form || form->statusBar()->currentMessage().isEmpty())
                                    return false;
                                caption = form->windowTitle();
                                status = form->statusBar()->currentMessage();
                                form->unsavedChanges().markChanged(); // what an edit on the chart does
                                saveEnabled = form->comHozon()->isEnabled();
                                keepPicture(form, QStringLiteral("unknown-operator-main.png"));
                                form->unsavedChanges().markSaved();
                                form->close();
                                return true;
                            }},
                           done);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(done, 2u) << "the start stopped before the main window";
    EXPECT_EQ(caption, QStringLiteral("生産計画支援システム"));
    EXPECT_EQ(status, QStringLiteral("担当者コード「OP9」は登録されていません。"));
    EXPECT_TRUE(saveEnabled);
}

// A known operator meets no message box and may save; authority "1" also skips the class window.
TEST_P(UnknownOperatorStart, KnownOperatorOpensThePlanWithFullRights)
{
    QString caption;
    bool saveEnabled = false;
    size_t done = 0;
    const int code = start(QStringLiteral("20240401 12 OP1"),
                           {[&] {
                               if (QApplication::activeModalWidget())
                                   ADD_FAILURE() << "a window stood in the way: "
                                                 << QApplication::activeModalWidget()->objectName().toStdString();
                               MainForm *form = shownMainForm();
                               if (!form)
                                   return false;
                               caption = form->windowTitle();
                               form->unsavedChanges().markChanged();
                               saveEnabled = form->comHozon()->isEnabled();
                               form->unsavedChanges().markSaved();
                               form->close();
                               return true;
                           }},
                           done);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(done, 1u);
    EXPECT_EQ(caption, QStringLiteral("生産計画支援システム"));
    EXPECT_TRUE(saveEnabled);
}

INSTANTIATE_TEST_SUITE_P(Backends, UnknownOperatorStart, testing::ValuesIn(TestPlant::backends()),
                         TestPlant::backendName);

} // namespace
