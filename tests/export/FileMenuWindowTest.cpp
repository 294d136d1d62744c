// The main window's ファイル menu as a planner uses it: it is the first menu, its エクスポート
// submenu saves the plan list as CSV with the search the list shows, and the status bar says
// where the file went.

#include "CsvReader.h"
#include "Screenshots.h"
#include "DemoMainWindowTest.h"
#include "app/ui/FileMenu.h"
#include "export/PlanListCsv.h"
#include "export/ui/PlanListCsvActions.h"
#include "gantt/PlanGridModel.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>

namespace {

class FileMenuWindow : public DemoMainWindowTest
{
protected:
    void SetUp() override
    {
        openDemo(300, Start);
        QDir().mkpath(QStringLiteral("/tmp/shots"));
        editing->planListCsv().setFileChooser([this](const QString &caption, const QString &suggested) {
            captions.append(caption);
            suggestions.append(suggested);
            return chosen;
        });
    }

    // Opens ファイル → エクスポート with the mouse and clicks the entry `text`.
    void clickExportEntry(const QString &text)
    {
        QMenuBar *bar = form->menuBar();
        QMenu *file = editing->fileMenu().menu();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
        QMenu *exports = editing->fileMenu().exportMenu();
        // The arrow keys down to エクスポート, and the right arrow key opens it.
        for (int step = 0; step < file->actions().size() && file->activeAction() != exports->menuAction(); ++step)
            QTest::keyClick(file, Qt::Key_Down);
        ASSERT_EQ(file->activeAction(), exports->menuAction());
        QTest::keyClick(file, Qt::Key_Right);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(exports));
        QAction *entry = nullptr;
        for (QAction *action : exports->actions())
            if (action->text() == text)
                entry = action;
        ASSERT_NE(entry, nullptr) << text.toStdString();
        keepScreenshot(*exports, QStringLiteral("file-menu-export.png"));
        QTest::mouseClick(exports, Qt::LeftButton, {}, exports->actionGeometry(entry).center());
    }

    const PlanGridModel &list() const
    {
        return *static_cast<const PlanGridModel *>(form->findChild<QTableView *>(QStringLiteral("PlanDataGrid"))->model());
    }

    static QByteArray fileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static inline const QDate Start{2026, 12, 8};
    QTemporaryDir folder;
    QString chosen;
    QStringList captions;
    QStringList suggestions;
};

TEST_F(FileMenuWindow, FileIsTheFirstMenuAndSavesTheListAsSearched)
{
    const QList<QAction *> menus = form->menuBar()->actions();
    ASSERT_GE(menus.size(), 3);
    EXPECT_EQ(menus.first()->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(menus.first()->menu(), editing->fileMenu().menu());

    // The planner narrows the list to one item code's lots first.
    const int all = list().lotCount();
    const QString prefix = list().data(list().index(0, plangrid::ItemCode)).toString();
    auto *partId = form->findChild<QLineEdit *>(QStringLiteral("TxtSerchPartID"));
    partId->setText(prefix);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("ComPlanDataRefresh")), Qt::LeftButton);
    ASSERT_GT(list().lotCount(), 0);
    ASSERT_LT(list().lotCount(), all);

    chosen = folder.filePath(QStringLiteral("一覧.csv"));
    clickExportEntry(QStringLiteral("一覧をCSVで保存…"));
    ASSERT_EQ(captions, QStringList{QStringLiteral("一覧をCSVで保存 (UTF-8)")});
    EXPECT_TRUE(suggestions.first().endsWith(QStringLiteral(".csv")));
    const QByteArray written = fileBytes(chosen);
    ASSERT_TRUE(written.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> read = readCsv(QString::fromUtf8(written.sliced(3)));
    ASSERT_EQ(read.size(), list().lotCount() + 1);
    for (int row = 0; row < list().lotCount(); ++row)
        for (int column = 1; column < plangrid::ColumnCount; ++column)
            EXPECT_EQ(read[row + 1][column - 1], list().data(list().index(row, column)).toString());
    EXPECT_TRUE(prompter.said().empty());
    EXPECT_TRUE(form->statusBar()->currentMessage().contains(QStringLiteral("一覧 %1 件を").arg(list().lotCount())));

    // Shift_JIS from its own entry; a cancelled dialog writes nothing.
    chosen = folder.filePath(QStringLiteral("sjis.csv"));
    clickExportEntry(QStringLiteral("一覧をCSVで保存 (Shift_JIS)…"));
    EXPECT_EQ(captions.last(), QStringLiteral("一覧をCSVで保存 (Shift_JIS)"));
    QStringDecoder decoder("windows-31j");
    EXPECT_TRUE(readCsv(QString(decoder(fileBytes(chosen)))) == read);
    chosen.clear();
    clickExportEntry(QStringLiteral("一覧をCSVで保存…"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
    keepScreenshot(*form, QStringLiteral("file-menu-window.png"));
}

} // namespace
