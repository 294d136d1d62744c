#include "export/ui/ChartOutputDialog.h"

#include "common/PlannerLocale.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace {

const double Scales[] = {0.5, 1.0, 1.5, 2.0};

QDateEdit *dateBox(const QDate &date, const QDate &first, const QDate &last, const char *name, QWidget *parent)
{
    auto *box = new QDateEdit(date, parent);
    box->setObjectName(QLatin1String(name));
    box->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    box->setCalendarPopup(true);
    box->setDateRange(first, last);
    // The popup calendar is a window of its own and does not take the box's locale.
    box->setLocale(plant::plannerLocale());
    box->calendarWidget()->setLocale(plant::plannerLocale());
    return box;
}

QRadioButton *radio(const QString &text, const char *name, bool checked, QWidget *parent)
{
    auto *button = new QRadioButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setChecked(checked);
    return button;
}

QWidget *pair(QWidget *left, QWidget *right, QWidget *between = nullptr)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(left);
    if (between)
        layout->addWidget(between);
    layout->addWidget(right);
    layout->addStretch();
    return row;
}

} // namespace

ChartOutputDialog::ChartOutputDialog(ChartOutputKind kind, const ChartOutputOptions &initial, const QDate &first,
                                     const QDate &last, QWidget *parent)
    : QDialog(parent), m_kind(kind)
{
    setObjectName(QStringLiteral("ChartOutputDialog"));
    setWindowTitle(kind == ChartOutputKind::Paper ? QStringLiteral("印刷の設定") : QStringLiteral("画像の設定"));
    auto *form = new QFormLayout(this);
    if (kind == ChartOutputKind::Picture) {
        m_visible = radio(QStringLiteral("表示中の範囲"), "VisibleArea", initial.visibleArea, this);
        auto *days = radio(QStringLiteral("期間と機械を指定"), "ChosenDays", !initial.visibleArea, this);
        form->addRow(QStringLiteral("範囲:"), pair(m_visible, days));
        connect(m_visible, &QRadioButton::toggled, this, &ChartOutputDialog::followArea);
    }
    m_from = dateBox(initial.firstDay, first, last, "FirstDay", this);
    m_to = dateBox(initial.lastDay, first, last, "LastDay", this);
    m_to->setMinimumDate(std::max(first, initial.firstDay));
    // The last day never stands before the first.
    connect(m_from, &QDateEdit::dateChanged, m_to, [this](const QDate &date) { m_to->setMinimumDate(date); });
    form->addRow(QStringLiteral("期間:"), pair(m_from, m_to, new QLabel(QStringLiteral("～"))));
    m_allRows = radio(QStringLiteral("すべての機械"), "AllRows", initial.allRows, this);
    m_screenRows = radio(QStringLiteral("表示中の機械"), "ScreenRows", !initial.allRows, this);
    form->addRow(QStringLiteral("機械:"), pair(m_allRows, m_screenRows));
    if (kind == ChartOutputKind::Paper) {
        m_paper = new QComboBox(this);
        m_paper->setObjectName(QStringLiteral("Paper"));
        m_paper->addItem(QStringLiteral("A3 横"));
        m_paper->addItem(QStringLiteral("A4 横"));
        m_paper->setCurrentIndex(initial.paper == PaperSize::A3 ? 0 : 1);
        form->addRow(QStringLiteral("用紙:"), m_paper);
    } else {
        m_scale = new QComboBox(this);
        m_scale->setObjectName(QStringLiteral("Scale"));
        for (double scale : Scales) {
            m_scale->addItem(QStringLiteral("%1%").arg(scale * 100));
            if (scale == initial.scale)
                m_scale->setCurrentIndex(m_scale->count() - 1);
        }
        form->addRow(QStringLiteral("倍率:"), m_scale);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    followArea();
}

void ChartOutputDialog::followArea()
{
    const bool days = !m_visible || !m_visible->isChecked();
    for (QWidget *box : {static_cast<QWidget *>(m_from), static_cast<QWidget *>(m_to),
                         static_cast<QWidget *>(m_allRows), static_cast<QWidget *>(m_screenRows)})
        box->setEnabled(days);
}

ChartOutputOptions ChartOutputDialog::options() const
{
    ChartOutputOptions options;
    options.firstDay = m_from->date();
    options.lastDay = m_to->date();
    options.allRows = m_allRows->isChecked();
    options.visibleArea = m_visible && m_visible->isChecked();
    if (m_paper)
        options.paper = m_paper->currentIndex() == 0 ? PaperSize::A3 : PaperSize::A4;
    if (m_scale)
        options.scale = Scales[m_scale->currentIndex()];
    return options;
}
