#pragma once
// ShowPlan "工程照会": the process chain around the lot of the detail window (Command5): the
// arrangements that feed it at the top, then the lot's own process and its next processes,
// each with its due date "mm/dd". "照会終了" (Command1) closes it; nothing changes.

#include <QDialog>

class ChainList;
class QLineEdit;

class ShowPlan : public QDialog
{
    Q_OBJECT
public:
    ShowPlan(const QString &arrangement, const QStringList &lines, QWidget *parent = nullptr);

    ChainList *list() const { return m_list; }
    QLineEdit *arrangementBox() const { return m_text1; } // Text1

private:
    ChainList *m_list = nullptr;
    QLineEdit *m_text1 = nullptr;
};
