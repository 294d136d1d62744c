#pragma once
// The save as the main window runs it: the saved lots and written days go back into the
// plan through the edit path (so the views hear of them and the per-row indexes follow a
// changed destination), and a complete save makes the saved plan the clean one. After a save
// that stopped or failed the plan is not clean, so the save button stays enabled and closing
// still asks; what it did write is settled in the history as a complete save settles it.

#include "persist/SavePlan.h"
#include "persist/SaveTarget.h"

class EditPath;

class EditPathSaveTarget : public SaveTarget
{
public:
    explicit EditPathSaveTarget(EditPath &path) : m_path(path) {}
    const PlanStore &store() const override;
    const WorkCalendar &calendar() const override;
    void lotSaved(qint64 index, const PlanRecord &saved) override;
    void dayWritten(int row, qint64 day, const StoredDay &stored) override;

private:
    EditPath &m_path;
};

// Runs savePlan with `request.plan` set to the edit path's plan and marks the clean state
// when everything was saved. Refused in inquiry mode like savePlan itself.
struct EditPathSaveRequest
{
    const ChartRows &rows;
    const RunContext &run;
    Database &db;
    Prompter &prompter;
    SaveProgress &progress;
    QString accountName;
    QDateTime now;
    RetryPolicy retry{};
    ArrangementFingerprints *fingerprints = nullptr;
    std::vector<qint64> overwriteLots{};
};

SaveResult saveThroughEditPath(EditPath &path, const EditPathSaveRequest &request);
