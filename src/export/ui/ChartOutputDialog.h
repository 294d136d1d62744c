#pragma once
// The small window asked before the chart is printed or exported: which days, which rows
// (every machine or those on screen), which paper, and for a picture the visible area or the
// chosen days at a scale. It opens on the displayed period, every row and A3.

#include "export/ChartPages.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QRadioButton;

enum class ChartOutputKind { Paper, Picture };

struct ChartOutputOptions
{
    QDate firstDay;
    QDate lastDay;
    bool allRows = true;       // false: the rows on screen
    PaperSize paper = PaperSize::A3;
    bool visibleArea = false;  // a picture of what the chart shows now, instead of the days
    double scale = 1.0;        // a picture's pixels per chart pixel
};

class ChartOutputDialog : public QDialog
{
    Q_OBJECT
public:
    // `first` .. `last`: the days the chart holds, the limits of the date boxes.
    ChartOutputDialog(ChartOutputKind kind, const ChartOutputOptions &initial, const QDate &first, const QDate &last,
                      QWidget *parent = nullptr);

    ChartOutputOptions options() const;

private:
    void followArea();

    ChartOutputKind m_kind;
    QRadioButton *m_visible = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QRadioButton *m_allRows = nullptr;
    QRadioButton *m_screenRows = nullptr;
    QComboBox *m_paper = nullptr;
    QComboBox *m_scale = nullptr;
};
