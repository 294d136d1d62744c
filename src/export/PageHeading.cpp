#include "export/PageHeading.h"

#include "plan/RunContext.h"

QString PageHeading::text() const
{
    const QString date = QStringLiteral("yyyy/MM/dd");
    const QString text = QStringLiteral("工場 %1　工程分類 %2　期間 %3～%4　印刷日時 %5")
                             .arg(plantCode)
                             .arg(processClass, firstDay.toString(date), lastDay.toString(date),
                                  printedAt.toString(QStringLiteral("yyyy/MM/dd hh:mm")));
    // The command-line tool prints for nobody in particular.
    return operatorCode.isEmpty() ? text : text + QStringLiteral("　担当者 ") + operatorCode;
}

PageHeading pageHeading(const RunContext &run, const QDate &firstDay, const QDate &lastDay, const QDateTime &printedAt)
{
    PageHeading heading;
    heading.plantCode = run.PlantCode;
    heading.processClass = run.ProcessClassLabel.trimmed().isEmpty() ? run.ProcessClassCode : run.ProcessClassLabel.trimmed();
    heading.firstDay = firstDay;
    heading.lastDay = lastDay;
    heading.printedAt = printedAt;
    heading.operatorCode = run.OperatorCode;
    return heading;
}
