#pragma once
// The row labels MachineName(1..10) beside the chart: a double-click or a right press on a
// label packs the row it shows (label k shows row k + the KScroll value). The label takes the
// press itself, so nothing else opens and no drag starts from it.

#include <QList>
#include <QObject>

class QLabel;
class QScrollBar;
class PlanActions;

class RowLabelPacking : public QObject
{
    Q_OBJECT
public:
    // `labels` are MachineName(1) .. MachineName(10) in order.
    RowLabelPacking(PlanActions &actions, const QList<QLabel *> &labels, QScrollBar *kScroll,
                    QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PlanActions &m_actions;
    QList<QLabel *> m_labels;
    QScrollBar *m_kScroll;
};
