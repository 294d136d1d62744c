#include "app/ui/KBunSelect.h"

#include "plan/Prompter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
bool isEnter(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QLineEdit *dateBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(110);
    return box;
}
} // namespace

KBunSelect::KBunSelect(ClassSelection &selection, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_selection(selection), m_prompter(prompter)
{
    setObjectName(QStringLiteral("KBunSelect"));
    setWindowTitle(QStringLiteral("工程分類指定"));

    m_comboKBun = new QComboBox(this);
    m_comboKBun->setObjectName(QStringLiteral("ComboKBun"));
    m_comboKBun->setMinimumWidth(260);
    for (const ClassSelection::Entry &entry : selection.entries())
        m_comboKBun->addItem(entry.text, entry.code);
    m_comboKBun->setCurrentIndex(selection.selected());
    connect(m_comboKBun, &QComboBox::currentIndexChanged, this, [this](int index) { m_selection.select(index); });

    m_strYYMMDD = dateBox(QStringLiteral("strYYMMDD"), this);
    m_endYYMMDD = dateBox(QStringLiteral("endYYMMDD"), this);
    syncDates();

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(20, 18, 20, 18);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(12);
    grid->addWidget(new QLabel(QStringLiteral("工程分類"), this), 0, 0);
    grid->addWidget(m_comboKBun, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("期間"), this), 1, 0);
    grid->addWidget(m_strYYMMDD, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("～"), this), 1, 2, Qt::AlignCenter);
    grid->addWidget(m_endYYMMDD, 1, 3);

    // 表示 takes the choice as Enter in the class list does; 終了 leaves as the close box does.
    auto *buttons = new QDialogButtonBox(this);
    auto *show = buttons->addButton(QStringLiteral("表示"), QDialogButtonBox::AcceptRole);
    show->setObjectName(QStringLiteral("CmdDisp"));
    show->setDefault(true);
    auto *leave = buttons->addButton(QStringLiteral("終了"), QDialogButtonBox::RejectRole);
    leave->setObjectName(QStringLiteral("CmdEnd"));
    connect(buttons, &QDialogButtonBox::accepted, this, &KBunSelect::confirmChoice);
    connect(buttons, &QDialogButtonBox::rejected, this, &KBunSelect::reject);
    grid->addWidget(buttons, 2, 0, 1, 4);

    m_comboKBun->installEventFilter(this);
    m_strYYMMDD->installEventFilter(this);
    m_endYYMMDD->installEventFilter(this);
}

void KBunSelect::syncDates()
{
    m_strYYMMDD->setText(m_selection.startText());
    m_endYYMMDD->setText(m_selection.endText());
}

void KBunSelect::readDates()
{
    m_selection.setStartText(m_strYYMMDD->text());
    m_selection.setEndText(m_endYYMMDD->text());
}

void KBunSelect::moveFocus(ClassSelection::Focus focus)
{
    switch (focus) {
    case ClassSelection::Focus::ClassList:
        m_comboKBun->setFocus();
        break;
    case ClassSelection::Focus::StartDate:
        m_strYYMMDD->setFocus();
        m_strYYMMDD->selectAll();
        break;
    case ClassSelection::Focus::EndDate:
        m_endYYMMDD->setFocus();
        m_endYYMMDD->selectAll();
        break;
    }
}

void KBunSelect::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    // A class named on the command line by an operator who may skip this window: take it.
    if (m_selection.closesOnActivation())
        QTimer::singleShot(0, this, &KBunSelect::takeChoice);
    else if (!m_selection.entries().empty())
        m_comboKBun->setFocus();
    if (!m_selection.closesOnActivation())
        QTimer::singleShot(0, this, [this] { m_selection.reportUnknownClass(); });
}

bool KBunSelect::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_comboKBun) {
        if (isEnter(event) || event->type() == QEvent::MouseButtonDblClick) {
            confirmChoice();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    auto *box = static_cast<QLineEdit *>(watched);
    if (event->type() == QEvent::FocusIn) {
        // Entering a date box selects its text, also when the click that entered it would
        // otherwise place the caret.
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    } else if (isEnter(event)) {
        readDates();
        const auto focus = box == m_strYYMMDD ? m_selection.enterStart() : m_selection.enterEnd();
        syncDates();
        moveFocus(focus);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void KBunSelect::confirmChoice()
{
    readDates();
    ClassSelection::Focus focus = ClassSelection::Focus::ClassList;
    if (m_selection.confirm(focus)) {
        takeChoice();
        return;
    }
    syncDates();
    moveFocus(focus);
}

void KBunSelect::takeChoice()
{
    m_selection.accept();
    done(Accepted);
}

bool KBunSelect::askToLeave()
{
    if (m_prompter.ask(QStringLiteral("終了しますか？"), QStringLiteral("終了確認"), true))
        return true;
    m_comboKBun->setFocus();
    return false;
}

void KBunSelect::reject()
{
    if (askToLeave())
        done(Rejected);
}
