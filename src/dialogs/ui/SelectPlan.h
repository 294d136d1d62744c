#pragma once
// SelectPlan "手配選択": the arrangement selection window that the bar search opens when
// several lots match. One line per lot (NList) with the lot's store index as item data; the
// button "選択" (Command1) or a double-click chooses the line and closes the window.

#include <QDialog>

class QListWidget;

class SelectPlan : public QDialog
{
    Q_OBJECT
public:
    explicit SelectPlan(QWidget *parent = nullptr);

    void addLine(const QString &text, qint64 lot);
    QListWidget *list() const { return m_list; }

    // SelectedPlan: the chosen line's position + 1; 0 when the window closed without a choice.
    int selectedPlan() const { return m_selected; }
    // The store index of the chosen lot; 0 when nothing was chosen.
    qint64 selectedLot() const;

private:
    void choose();

    QListWidget *m_list = nullptr;
    int m_selected = 0;
};
