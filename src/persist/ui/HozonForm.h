#pragma once
// The progress window of the save, "保存フォーム": the label "保存中", the bar HozonBar
// running over the records of the plan and the text HozonText ("i/last"). Shown without
// blocking while the save runs; the pointer is the hourglass meanwhile.

#include "persist/SaveProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;

class HozonForm : public QDialog, public SaveProgress
{
    Q_OBJECT
public:
    explicit HozonForm(QWidget *parent = nullptr);

    void started(qint64 lastIndex) override;
    void advanced(qint64 index, qint64 lastIndex, bool repaintNow) override;
    void finished() override;

private:
    QProgressBar *m_bar;
    QLabel *m_text;
    bool m_waitCursor = false;
};
