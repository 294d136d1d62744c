// The right-hand side of the main window: the exit and save buttons, the bar search, the
// list search and the bulk confirmation panel, with their Enter-key order.

#include "app/ui/MainForm.h"

#include "calendar/DateEntry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// Moves the focus on Enter: each watched control names the one that follows it. A date box
// first completes its entry into "yyyy/mm/dd". Text boxes select their text on entry.
class EnterOrder : public QObject
{
public:
    using QObject::QObject;

    void chain(const QList<QWidget *> &order)
    {
        for (qsizetype i = 0; i + 1 < order.size(); ++i) {
            m_next.insert(order[i], order[i + 1]);
            order[i]->installEventFilter(this);
        }
    }
    void dateBox(QLineEdit *box)
    {
        m_dateBoxes.insert(box);
        box->installEventFilter(this);
    }
    void selectOnEntry(QLineEdit *box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (edit && event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        if (edit && m_dateBoxes.contains(edit))
            edit->setText(ParseDateEntry(edit->text(), QDate::currentDate()));
        if (QWidget *next = m_next.value(watched))
            next->setFocus();
        return m_next.contains(watched) || m_dateBoxes.contains(edit);
    }

private:
    QHash<QObject *, QWidget *> m_next;
    QSet<QLineEdit *> m_dateBoxes;
};

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *label(const QString &text, const char *name, QWidget *parent)
{
    return named(new QLabel(text, parent), name);
}

QLabel *heading(const QString &text, const char *name, const char *lineName, QWidget *parent)
{
    auto *line = named(new QFrame(parent), lineName);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QLabel *title = label(text, name, parent);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    return title;
}

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    return named(new QPushButton(text, parent), name);
}

QLineEdit *textBox(const char *name, QWidget *parent)
{
    return named(new QLineEdit(parent), name);
}

} // namespace

void MainForm::buildSidePanel(QWidget *central)
{
    button(QStringLiteral("終了"), "Command9", central);
    button(QStringLiteral("保存"), "ComHozon", central);
    button(QStringLiteral("予定一覧"), "cmdYoteiIchiran", central);

    heading(QStringLiteral("■ バー検索"), "LblBarSearch", "LineBarSearch", central);
    label(QStringLiteral("品名ｺｰﾄﾞ："), "LblKCode", central);
    QLineEdit *kCode = textBox("KCode", central);
    label(QStringLiteral("品　　名："), "LblKName", central);
    QLineEdit *kName = textBox("KName", central);
    QPushButton *kensaku = button(QStringLiteral("検索"), "ComKensaku", central);

    heading(QStringLiteral("■ 一覧検索"), "LblListSearch", "LineListSearch", central);
    label(QStringLiteral("品名ｺｰﾄﾞ："), "LblSerchPartID", central);
    QLineEdit *partId = textBox("TxtSerchPartID", central);
    label(QStringLiteral("品　　名："), "LblSerchHinmei", central);
    QLineEdit *hinmei = textBox("TxtSerchHinmei", central);
    label(QStringLiteral("金　　型："), "LblSerchKanagataBango", central);
    QLineEdit *kanagata = textBox("TxtSerchKanagataBango", central);
    label(QStringLiteral("表　　示："), "LblPlanHyouji", central);
    auto *hyouji = named(new QCheckBox(QStringLiteral("表示指定分のみ"), central), "CheckPlanHyouji");
    label(QStringLiteral("機　　械："), "LblMachine", central);
    auto *machine = named(new QComboBox(central), "CmbMachine");
    QPushButton *refresh = button(QStringLiteral("再表示"), "ComPlanDataRefresh", central);

    heading(QStringLiteral("■ 確定区分一括変更"), "LblKakutei", "LineKakutei", central);
    label(QStringLiteral("機　械　　："), "LblKakuteiMachine", central);
    auto *kakuteiMachine = named(new QComboBox(central), "CmbKakuteiMachine");
    label(QStringLiteral("納　期　　："), "LblKakuteiNouki", central);
    QLineEdit *from = textBox("strYYMMDD", central);
    named(new QLabel(QStringLiteral("～"), central), "Label14")->setAlignment(Qt::AlignCenter);
    QLineEdit *to = textBox("endYYMMDD", central);
    QPushButton *kakutei = button(QStringLiteral("確定"), "ComKakutei", central);
    button(QStringLiteral("予定"), "ComYotei", central);

    auto *order = new EnterOrder(this);
    order->chain({kCode, kName, kensaku});
    order->chain({partId, hinmei, kanagata, hyouji, machine, refresh});
    order->chain({kakuteiMachine, from, to, kakutei});
    order->dateBox(from);
    order->dateBox(to);
}
