#include "export/ui/PlanListCsvActions.h"

#include "export/PlanListCsv.h"
#include "gantt/PlanGridModel.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace {

// A bare file name opens the dialog in the folder last chosen in any export (the chart's PDF
// and pictures too), not in the home folder every time.
QString dialogChoice(QWidget &window, const QString &caption, const QString &suggested)
{
    return QFileDialog::getSaveFileName(&window, caption, suggested, QStringLiteral("CSV ファイル (*.csv)"));
}

} // namespace

PlanListCsvActions::PlanListCsvActions(QMenu &menu, const PlanGridModel &list, Prompter &prompter, QWidget &window)
    : QObject(&menu), m_list(list), m_prompter(prompter), m_window(window),
      m_chooseFile([&window](const QString &caption, const QString &suggested) {
          return dialogChoice(window, caption, suggested);
      })
{
    m_utf8 = menu.addAction(QStringLiteral("一覧をCSVで保存…"), this, [this] { save(TextEncoding::Utf8); });
    m_utf8->setObjectName(QStringLiteral("ActPlanListCsv"));
    m_shiftJis = menu.addAction(QStringLiteral("一覧をCSVで保存 (Shift_JIS)…"), this,
                                [this] { save(TextEncoding::ShiftJis); });
    m_shiftJis->setObjectName(QStringLiteral("ActPlanListCsvShiftJis"));
}

void PlanListCsvActions::save(TextEncoding encoding)
{
    const QString suggested = QStringLiteral("計画一覧_%1.csv").arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    const QString path = m_chooseFile(QStringLiteral("一覧をCSVで保存 (%1)").arg(textEncodingLabel(encoding)), suggested);
    if (path.isEmpty() || !savePlanListCsv(m_list, path, encoding, m_prompter))
        return;
    if (auto *main = qobject_cast<QMainWindow *>(&m_window))
        main->statusBar()->showMessage(
            QStringLiteral("一覧 %1 件を %2 に保存しました。").arg(m_list.lotCount()).arg(QDir::toNativeSeparators(path)),
            10000);
}
