#pragma once
// The plant the export tests write out: the demo plant's molding class for a month, loaded
// into a plan session as the main window and kalvuner-cli load it, with helpers to give lots
// awkward texts and to read the plan list the way the window shows it. The tests run on each
// backend the test run has (SQLite, and PostgreSQL when it is set up).

#include "CsvReader.h"
#include "DemoMainWindowTest.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "app/PlantStartup.h"
#include "common/PlantValues.h"
#include "gantt/PlanGridModel.h"
#include "plan/PlanStore.h"
#include "session/PlanSession.h"

#include <QDir>
#include <QProcess>
#include <QStringDecoder>
#include <gtest/gtest.h>
#include <memory>

class ExportPlant : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        demo::writePlant(plant.db(), {300, 5, Start}, false);
        load();
    }

    // (Re)loads the class for a month from Start.
    void load()
    {
        run.PlantCode = demo::PlantCode;
        run.ProcessClassCode = demo::MoldingClass;
        run.PeriodStart = plant::dateText(Start);
        run.PeriodEnd = plant::dateText(Start.addMonths(1));
        startup::readPlant(plant.db(), run); // the grid the tool reads
        session.reset();
        prompter.loading = true;
        session = std::make_unique<PlanSession>(run, plant.db(), prompter);
        ASSERT_EQ(session->load(nullptr), PlanSession::LoadResult::Loaded);
        prompter.loading = false;
        prompter.clear();
    }

    // The store index of the n-th lot (from 0) with an arrangement number.
    qint64 lot(int n) const
    {
        const PlanStore &store = session->store();
        for (qint64 i = 2; i <= store.lastIndex(); ++i)
            if (store[i].ArrangementNo != 0 && n-- == 0)
                return i;
        return 0;
    }
    qint64 arrangement(int n) const { return session->store()[lot(n)].ArrangementNo; }

    // Gives the arrangement the loose item name the list shows as 品名 (read at the next load).
    void nameItem(qint64 arrangementNo, const QString &name)
    {
        plant.db().run(QStringLiteral("UPDATE DB0253 SET 品名＿諸口 = ? WHERE 手配番号 = ?"), {name, arrangementNo});
    }

    // The list as the window shows it: the headers from 表示 to KEY, then each row's cells.
    static QList<QStringList> shown(const PlanGridModel &list)
    {
        QList<QStringList> rows;
        QStringList cells;
        for (int column = 1; column < plangrid::ColumnCount; ++column)
            cells.append(list.headerData(column, Qt::Horizontal).toString());
        rows.append(cells);
        for (int row = 0; row < list.rowCount(); ++row) {
            cells.clear();
            for (int column = 1; column < plangrid::ColumnCount; ++column)
                cells.append(list.data(list.index(row, column)).toString());
            rows.append(cells);
        }
        return rows;
    }

    // The records of a file written in UTF-8 with its byte-order mark or in Windows Shift_JIS.
    static QList<QStringList> readBack(const QByteArray &bytes, bool utf8)
    {
        if (utf8) {
            EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << "the byte-order mark opens the file";
            QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
            const QString text = decoder(bytes.sliced(3));
            EXPECT_FALSE(decoder.hasError());
            return readCsv(text);
        }
        QStringDecoder decoder("windows-31j");
        const QString text = decoder(bytes);
        EXPECT_FALSE(decoder.hasError());
        return readCsv(text);
    }

    // What kalvuner-cli said and how it ended.
    struct ToolRun
    {
        int status = -1;
        QString out;
        QString err;
    };

    // kalvuner-cli export of the class from Start, as a separate program without a display.
    ToolRun exportTool(const QString &classCode, const QStringList &options) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KALVUNER_CLI),
                      QStringList{QStringLiteral("export"), QStringLiteral("--db"), plant.dataSourceField(),
                                  QStringLiteral("--user"), plant.user(), QStringLiteral("--class"), classCode,
                                  QStringLiteral("--start"), Start.toString(QStringLiteral("yyyyMMdd"))}
                          + options);
        EXPECT_TRUE(process.waitForFinished(120000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // A command line the tool refuses: the status it ends with and a text it says.
    struct Refusal
    {
        QStringList options;
        int status;
        QString says;
    };

    // Each refused command line ends as it should, says why, and leaves nothing in `folder`.
    void expectRefusals(const QString &classCode, const std::vector<Refusal> &refusals, const QString &folder) const
    {
        for (const Refusal &refusal : refusals) {
            SCOPED_TRACE(refusal.options.join(u' ').toStdString());
            const ToolRun run = exportTool(classCode, refusal.options);
            EXPECT_EQ(run.status, refusal.status);
            EXPECT_TRUE(run.err.contains(refusal.says)) << run.err.toStdString();
        }
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    static inline const QDate Start{2026, 12, 8};
    TestPlant plant{GetParam(), TestPlant::Contents::Empty};
    RunContext run;
    LoadingPrompter prompter;
    std::unique_ptr<PlanSession> session;
};
