#include "dialogs/ui/PlanWindow.h"

#include "db/Database.h"
#include "plan/Prompter.h"
#include "dialogs/DetailActions.h"
#include "dialogs/DetailLines.h"
#include "dialogs/ui/AddPlan.h"
#include "dialogs/ui/BunWindow.h"
#include "dialogs/ui/ListFont.h"
#include "dialogs/ui/ShowPlan.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct BoxField
{
    const char *name;
    QString DetailTexts::*text;
    bool readOnly;
};

// Every box with the text it shows; display-only boxes are read-only.
const BoxField BoxFields[] = {
    {"Text14", &DetailTexts::arrangementNo, true},   {"Text7", &DetailTexts::startDate, false},
    {"Text1", &DetailTexts::startTime, false},    {"Text8", &DetailTexts::endDate, false},
    {"Text6", &DetailTexts::endTime, false},    {"Text10", &DetailTexts::itemCode, false},
    {"Text2", &DetailTexts::itemName, false},    {"Text9", &DetailTexts::itemDescription, false},
    {"Text4", &DetailTexts::productionPlanNo, true},     {"Text3", &DetailTexts::quantity, false},
    {"Text13", &DetailTexts::setupMinutes, false},  {"Text19", &DetailTexts::workMinutes, false},
    {"Text16", &DetailTexts::totalMinutes, false},  {"Text15", &DetailTexts::secondsPerPiece, false},
    {"Text24", &DetailTexts::cycle, false},  {"Text25", &DetailTexts::cavities, false},
    {"Text40", &DetailTexts::persons, false},  {"Text18", &DetailTexts::fixingState, false},
    {"Text30", &DetailTexts::acceptanceMode, false},  {"Text11", &DetailTexts::requestedDueDate, false},
    {"Text39", &DetailTexts::remark, false},  {"Text20", &DetailTexts::receivedQuantity, true},
    {"Text21", &DetailTexts::lastActualDate, true},   {"Text42", &DetailTexts::actualMinutes, true},
    {"Text22", &DetailTexts::piecesPerCase, false},  {"Text27", &DetailTexts::cases, true},
    {"Text28", &DetailTexts::loosePieces, true},   {"Text29", &DetailTexts::mold, true},
    {"Text37", &DetailTexts::chosenComposition, true},   {"txt_After_StartYMD", &DetailTexts::txt_After_StartYMD, true},
    {"txt_After_StartTIME", &DetailTexts::txt_After_StartTIME, true},
    {"txt_Before_EndYMD", &DetailTexts::txt_Before_EndYMD, true},
    {"txt_Before_EndTIME", &DetailTexts::txt_Before_EndTIME, true},
};

struct ListField
{
    const char *name;
    QStringList DetailTexts::*lines;
};

const ListField ListFields[] = {{"KList", &DetailTexts::compositions},
                                {"ZList", &DetailTexts::materialLines},
                                {"NList", &DetailTexts::innerMembers},
                                {"GList", &DetailTexts::outerMembers},
                                {"JList", &DetailTexts::relatedOrders}};

// Only tab indices up to this take part in the Enter order.
constexpr int LastEnterIndex = 13;

QLabel *label(const QString &text)
{
    return new QLabel(text);
}

} // namespace

PlanWindow::PlanWindow(DetailActions &actions, QWidget *parent)
    : QDialog(parent), m_actions(actions), m_rules(actions.workingTime(), actions.prompter())
{
    setObjectName(QStringLiteral("PlanWindow"));
    setWindowTitle(QStringLiteral("詳細情報"));
    setModal(true);
    for (const BoxField &field : BoxFields)
        addBox(QString::fromLatin1(field.name), field.readOnly);
    for (const ListField &field : ListFields)
        addList(QString::fromLatin1(field.name));
    m_text5 = new QComboBox(this);
    m_text5->setObjectName(QStringLiteral("Text5"));
    m_text5->setEditable(true);
    m_text12 = new QComboBox(this);
    m_text12->setObjectName(QStringLiteral("Text12"));
    m_text12->setEditable(true);
    for (QComboBox *combo : {m_text5, m_text12}) {
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }

    addButton(QStringLiteral("Command1"), QStringLiteral("変更完了"));
    addButton(QStringLiteral("Command2"), QStringLiteral("×工程分割"));
    addButton(QStringLiteral("Command3"), QStringLiteral("手配分割"));
    addButton(QStringLiteral("Command4"), QStringLiteral("×工程追加"));
    addButton(QStringLiteral("Command5"), QStringLiteral("×工程照会"));
    addButton(QStringLiteral("Command7"), QStringLiteral("××削除××"));
    addButton(QStringLiteral("Command8"), QStringLiteral("キャンセル"));
    // The processes to split off are chosen line by line.
    for (const char *name : {"NList", "GList"})
        list(QString::fromLatin1(name))->setSelectionMode(QAbstractItemView::MultiSelection);

    connect(button(QStringLiteral("Command1")), &QPushButton::clicked, this, [this] {
        m_rules.finish();
        close();
    });
    connect(button(QStringLiteral("Command4")), &QPushButton::clicked, this, &PlanWindow::addProcesses);
    connect(button(QStringLiteral("Command5")), &QPushButton::clicked, this, &PlanWindow::showProcesses);
    connect(button(QStringLiteral("Command7")), &QPushButton::clicked, this, [this] {
        if (m_rules.askHide())
            close();
    });
    connect(button(QStringLiteral("Command8")), &QPushButton::clicked, this, [this] {
        m_rules.cancel();
        close();
    });
    connect(button(QStringLiteral("Command3")), &QPushButton::clicked, this, &PlanWindow::splitLot);
    connect(button(QStringLiteral("Command2")), &QPushButton::clicked, this, &PlanWindow::splitProcesses);
    connect(list(QStringLiteral("KList")), &QListWidget::itemClicked, this, [this] { chooseComposition(); });

    m_entryRules = {
        {box(QStringLiteral("Text7")), &PlanDetail::enterStartDate},
        {box(QStringLiteral("Text1")), &PlanDetail::enterStartTime},
        {box(QStringLiteral("Text8")), &PlanDetail::enterEndDate},
        {box(QStringLiteral("Text6")), &PlanDetail::enterEndTime},
        {box(QStringLiteral("Text3")), &PlanDetail::enterQuantity},
        {box(QStringLiteral("Text13")), &PlanDetail::enterSetupMinutes},
        {box(QStringLiteral("Text15")), &PlanDetail::enterSecondsPerPiece},
        {box(QStringLiteral("Text40")), &PlanDetail::enterPersons},
        {box(QStringLiteral("Text19")), &PlanDetail::enterWorkMinutes},
        {box(QStringLiteral("Text16")), &PlanDetail::enterTotalMinutes},
    };
    buildLayout();
    setTabIndices();
    fitDateBoxes();
}

QLineEdit *PlanWindow::addBox(const QString &name, bool readOnly)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setReadOnly(readOnly);
    edit->installEventFilter(this);
    m_boxes.insert(name, edit);
    return edit;
}

QListWidget *PlanWindow::addList(const QString &name)
{
    auto *list = new QListWidget(this);
    list->setObjectName(name);
    list->setFont(byteWidthListFont());
    list->installEventFilter(this);
    m_lists.insert(name, list);
    return list;
}

QPushButton *PlanWindow::addButton(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    m_buttons.insert(name, button);
    return button;
}

void PlanWindow::buildLayout()
{
    auto *lot = new QGridLayout;
    int r = 0;
    const auto pair = [&](const QString &caption, QWidget *first, QWidget *second = nullptr) {
        lot->addWidget(label(caption), r, 0);
        lot->addWidget(first, r, 1);
        if (second)
            lot->addWidget(second, r, 2);
        ++r;
    };
    pair(QStringLiteral("手配番号"), box(QStringLiteral("Text14")));
    pair(QStringLiteral("開始日付/時間"), box(QStringLiteral("Text7")), box(QStringLiteral("Text1")));
    pair(QStringLiteral("終了日付/時間"), box(QStringLiteral("Text8")), box(QStringLiteral("Text6")));
    pair(QStringLiteral("機械/ライン"), m_text5);
    pair(QStringLiteral("指示先"), m_text12);
    pair(QStringLiteral("品名コード"), box(QStringLiteral("Text10")), box(QStringLiteral("Text2")));
    lot->addWidget(box(QStringLiteral("Text9")), r++, 1, 1, 2);
    pair(QStringLiteral("生産計画番号"), box(QStringLiteral("Text4")));
    pair(QStringLiteral("手配数"), box(QStringLiteral("Text3")));
    pair(QStringLiteral("入り数 / ケース数 / バラ数"), box(QStringLiteral("Text22")), box(QStringLiteral("Text27")));
    lot->addWidget(box(QStringLiteral("Text28")), r++, 2);
    pair(QStringLiteral("備　　考"), box(QStringLiteral("Text39")));
    pair(QStringLiteral("希望納期"), box(QStringLiteral("Text11")));
    pair(QStringLiteral("金型番号"), box(QStringLiteral("Text29")));

    auto *times = new QGridLayout;
    int t = 0;
    const auto row = [&](const QString &caption, QWidget *widget, const QString &note = {}) {
        times->addWidget(label(caption), t, 0);
        times->addWidget(widget, t, 1);
        if (!note.isEmpty())
            times->addWidget(label(note), t, 2);
        ++t;
    };
    row(QStringLiteral("段取時間"), box(QStringLiteral("Text13")), QStringLiteral("分"));
    row(QStringLiteral("作業時間"), box(QStringLiteral("Text19")), QStringLiteral("分"));
    row(QStringLiteral("合計時間"), box(QStringLiteral("Text16")), QStringLiteral("分"));
    row(QStringLiteral("秒/個"), box(QStringLiteral("Text15")));
    row(QStringLiteral("サイクル"), box(QStringLiteral("Text24")));
    row(QStringLiteral("取　数"), box(QStringLiteral("Text25")));
    row(QStringLiteral("必要人員"), box(QStringLiteral("Text40")));
    row(QStringLiteral("スケジューラ固定区分"), box(QStringLiteral("Text18")), QStringLiteral("(0:可動 1:後ろ固定 2:完全固定)"));
    row(QStringLiteral("受入即検収区分"), box(QStringLiteral("Text30")), QStringLiteral("(0:検収,1:受入即検収)"));
    row(QStringLiteral("実績数"), box(QStringLiteral("Text20")));
    row(QStringLiteral("←最終実績日"), box(QStringLiteral("Text21")));
    row(QStringLiteral("実績時間"), box(QStringLiteral("Text42")), QStringLiteral("分"));
    row(QStringLiteral("後工程の開始日付／時刻"), box(QStringLiteral("txt_After_StartYMD")));
    times->addWidget(box(QStringLiteral("txt_After_StartTIME")), t++, 1);
    row(QStringLiteral("前工程の終了日付／時刻"), box(QStringLiteral("txt_Before_EndYMD")));
    times->addWidget(box(QStringLiteral("txt_Before_EndTIME")), t++, 1);

    auto *composition = new QVBoxLayout;
    composition->addWidget(label(QStringLiteral("構成選択")));
    composition->addWidget(list(QStringLiteral("KList")));
    composition->addWidget(box(QStringLiteral("Text37")));

    auto *top = new QHBoxLayout;
    top->addLayout(lot, 3);
    top->addLayout(times, 3);
    top->addLayout(composition, 1);

    auto *materials = new QVBoxLayout;
    materials->addWidget(label(QStringLiteral("使用部材")));
    auto *header = label(QStringLiteral("品名コード                              品名                                                 "
                                        "必要数      原単位分子      原単位分母          歩留率"));
    header->setFont(byteWidthListFont());
    materials->addWidget(header);
    materials->addWidget(list(QStringLiteral("ZList")));

    auto *groups = new QGridLayout;
    groups->addWidget(label(QStringLiteral("内輪")), 0, 0);
    groups->addWidget(label(QStringLiteral("外輪")), 0, 1);
    groups->addWidget(label(QStringLiteral("関連受注")), 0, 2);
    groups->addWidget(list(QStringLiteral("NList")), 1, 0);
    groups->addWidget(list(QStringLiteral("GList")), 1, 1);
    groups->addWidget(list(QStringLiteral("JList")), 1, 2);
    // A member line (number, process, model, quantity) reads whole in the two member lists;
    // the long order lines scroll.
    groups->setColumnStretch(2, 2);
    groups->setColumnStretch(0, 2);
    groups->setColumnStretch(1, 2);

    auto *buttons = new QHBoxLayout;
    for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command7", "Command8"})
        buttons->addWidget(button(QString::fromLatin1(name)));

    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(materials);
    all->addLayout(groups);
    all->addLayout(buttons);
}

void PlanWindow::setTabIndices()
{
    // Tab indices 0..13: the boxes the Enter key walks through; the rest follow.
    m_tabOrder = {box(QStringLiteral("Text7")),  box(QStringLiteral("Text1")),  box(QStringLiteral("Text8")),
                  box(QStringLiteral("Text6")),  m_text5,                        m_text12,
                  box(QStringLiteral("Text10")), box(QStringLiteral("Text3")),  box(QStringLiteral("Text13")),
                  box(QStringLiteral("Text15")), box(QStringLiteral("Text40")), box(QStringLiteral("Text19")),
                  box(QStringLiteral("Text16")), box(QStringLiteral("Text18")), box(QStringLiteral("Text30")),
                  box(QStringLiteral("Text11")), box(QStringLiteral("Text39")), box(QStringLiteral("Text24")),
                  box(QStringLiteral("Text25")), box(QStringLiteral("Text22")), box(QStringLiteral("Text2")),
                  box(QStringLiteral("Text9"))};
    for (size_t i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
    for (const BoxField &field : BoxFields)
        if (field.readOnly)
            box(QString::fromLatin1(field.name))->setFocusPolicy(Qt::ClickFocus);
}

void PlanWindow::fitDateBoxes()
{
    // A date or time is never cut off.
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 16;
    for (const char *name : {"Text7", "Text1", "Text8", "Text6", "Text11", "Text21", "txt_After_StartYMD",
                             "txt_After_StartTIME", "txt_Before_EndYMD", "txt_Before_EndTIME"})
        box(QString::fromLatin1(name))->setMinimumWidth(width);
}

void PlanWindow::openOn(qint64 lot, const DetailTexts &texts)
{
    m_lot = lot;
    m_closing = false;
    m_writeBack = WriteBackResult::NothingWritten;
    m_rules.open(m_actions.store()[lot], texts);
    m_text5->clear();
    m_text5->addItems(texts.machineRows);
    m_text12->clear();
    m_text12->addItems(texts.subcontractors);
    for (const ListField &field : ListFields) {
        QListWidget *widget = list(QString::fromLatin1(field.name));
        widget->clear();
        widget->addItems(texts.*field.lines);
    }
    showBoxes();
}

void PlanWindow::readBoxes()
{
    DetailTexts &texts = m_rules.texts();
    for (const BoxField &field : BoxFields)
        texts.*field.text = box(QString::fromLatin1(field.name))->text();
    texts.machineCode = m_text5->currentText();
    texts.destinationCode = m_text12->currentText();
}

void PlanWindow::showBoxes()
{
    const DetailTexts &texts = m_rules.texts();
    for (const BoxField &field : BoxFields) {
        QLineEdit *edit = box(QString::fromLatin1(field.name));
        if (edit->text() != texts.*field.text)
            edit->setText(texts.*field.text);
    }
    m_text5->setEditText(texts.machineCode);
    m_text12->setEditText(texts.destinationCode);
    QListWidget *materials = list(QStringLiteral("ZList"));
    QStringList shown;
    for (int i = 0; i < materials->count(); ++i)
        shown << materials->item(i)->text();
    if (shown != texts.materialLines) {
        materials->clear();
        materials->addItems(texts.materialLines);
    }
}

bool PlanWindow::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *control = qobject_cast<QWidget *>(watched);
    if (control && control->parentWidget() != this && qobject_cast<QComboBox *>(control->parentWidget()))
        control = control->parentWidget(); // the text part of Text5 and Text12
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enterPressed(control);
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            edit->selectAll();
        if (watched == list(QStringLiteral("KList")))
            chooseComposition();
        break;
    case QEvent::MouseButtonRelease:
        if (auto *edit = qobject_cast<QLineEdit *>(watched); edit && !edit->hasSelectedText())
            edit->selectAll();
        break;
    case QEvent::FocusOut:
        if (watched == box(QStringLiteral("Text10")) && !m_closing)
            leaveItemCode();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void PlanWindow::enterPressed(QWidget *control)
{
    const auto rule = m_entryRules.constFind(control);
    if (rule != m_entryRules.constEnd()) {
        runRule(rule.value(), control);
        return;
    }
    focusNextFrom(control);
}

void PlanWindow::runRule(EntryOutcome (PlanDetail::*rule)(), QWidget *control)
{
    readBoxes();
    const EntryOutcome outcome = (m_rules.*rule)();
    showBoxes();
    if (outcome == EntryOutcome::Stay) {
        control->setFocus();
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            edit->selectAll();
    } else if (outcome == EntryOutcome::ToDestination) {
        m_text12->setFocus();
    } else {
        focusNextFrom(control);
    }
}

void PlanWindow::focusNextFrom(QWidget *control)
{
    const auto at = std::find(m_tabOrder.begin(), m_tabOrder.end(), control);
    int next = at == m_tabOrder.end() ? 0 : int(at - m_tabOrder.begin()) + 1;
    for (int tries = 0; tries <= LastEnterIndex + 1; ++tries, ++next) {
        if (next > LastEnterIndex)
            next = 0;
        QWidget *candidate = m_tabOrder[size_t(next)];
        if (candidate->isEnabled() && candidate->focusPolicy() & Qt::TabFocus) {
            candidate->setFocus();
            return;
        }
    }
}

void PlanWindow::leaveItemCode()
{
    readBoxes();
    try {
        m_actions.lookUpItemCode(m_rules);
    } catch (const DbError &error) {
        m_actions.prompter().inform(error.text);
    }
    showBoxes();
}

void PlanWindow::chooseComposition()
{
    const QListWidgetItem *current = list(QStringLiteral("KList"))->currentItem();
    readBoxes();
    m_rules.chooseComposition(current ? current->text() : QString());
    showBoxes();
}

void PlanWindow::addProcesses()
{
    const std::unique_ptr<ProcessAdd> add = m_actions.processAdd(m_lot);
    try {
        if (!add->open(m_rules.texts().innerMembers, m_rules.texts().outerMembers))
            return;
    } catch (const DbError &error) {
        m_actions.prompter().inform(error.text);
        return;
    }
    AddPlan window(*add, m_rules.workingCopy(), m_actions.prompter(), this);
    if (window.exec() != QDialog::Accepted || !window.addition() || !m_rules.addProcesses(*window.addition()))
        return;
    const auto show = [](QListWidget *members, const QStringList &lines) {
        members->clear();
        members->addItems(lines);
    };
    show(list(QStringLiteral("NList")), m_rules.texts().innerMembers);
    show(list(QStringLiteral("GList")), m_rules.texts().outerMembers);
}

void PlanWindow::showProcesses()
{
    const DetailTexts &texts = m_rules.texts();
    const QStringList &members = texts.innerMembers.isEmpty() ? texts.outerMembers : texts.innerMembers;
    const QString first = members.isEmpty() ? QString() : members.first();
    QStringList lines;
    try {
        lines = m_actions.processShowLines(memberLineArrangement(first));
    } catch (const DbError &error) {
        m_actions.prompter().inform(error.text);
        return;
    }
    ShowPlan window(first.section(QLatin1Char(' '), 0, 0), lines, this);
    window.exec();
}

void PlanWindow::splitLot()
{
    button(QStringLiteral("Command8"))->setEnabled(false);
    readBoxes();
    m_actions.writeProcessAdditions(m_rules, m_lot);
    BunWindow split(m_actions, m_lot, this);
    split.exec();
    if (split.newLot() != 0)
        followSplit(true);
}

void PlanWindow::splitProcesses()
{
    readBoxes();
    ProcessChoice choice{m_rules.texts().innerMembers, m_rules.texts().outerMembers, {}, {}};
    for (const auto &[name, rows] : {std::pair{"NList", &choice.chosenInner}, std::pair{"GList", &choice.chosenOuter}}) {
        const QListWidget *widget = list(QString::fromLatin1(name));
        for (int row = 0; row < widget->count(); ++row)
            if (widget->item(row)->isSelected())
                rows->push_back(row);
    }
    // The split cuts the lot as the window shows it, processes added here included.
    m_actions.writeProcessAdditions(m_rules, m_lot);
    if (m_actions.splitProcesses(m_lot, choice, m_rules.texts().itemCode) != 0)
        followSplit(false);
}

void PlanWindow::followSplit(bool retimed)
{
    m_rules.followSplit(m_actions.store()[m_lot], retimed);
    const DetailTexts &texts = m_rules.texts();
    for (const auto &[name, lines] : {std::pair{"NList", &texts.innerMembers}, std::pair{"GList", &texts.outerMembers}}) {
        QListWidget *widget = list(QString::fromLatin1(name));
        widget->clear();
        widget->addItems(*lines);
    }
    showBoxes();
}

void PlanWindow::done(int result)
{
    if (m_closing)
        return;
    m_closing = true;
    readBoxes();
    const WriteBack back = m_actions.writeBackDetail(m_rules, m_lot);
    m_writeBack = back.result;
    if (back.result != WriteBackResult::Written && back.result != WriteBackResult::NothingWritten) {
        m_closing = false;
        if (QLineEdit *edit = box(back.box)) {
            edit->setFocus();
            edit->selectAll();
        }
        return;
    }
    QDialog::done(result);
}
