#pragma once
// One run of kalvuner-cli as the command-line tests make it, and the first day of the demo
// plant they run it on.

#include <QDate>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

inline const QDate CliPlantStart{2026, 12, 14};

struct ToolRun
{
    int exitCode = -1;
    QString out, err;
};

inline ToolRun runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(KALVUNER_CLI), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
