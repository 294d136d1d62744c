#include "persist/ui/HozonForm.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
// QProgressBar counts in int; a plan with more records than that shows its bar in scale.
int barValue(qint64 value, qint64 lastIndex)
{
    constexpr qint64 Limit = 1'000'000'000;
    return lastIndex <= Limit ? int(value) : int(value * Limit / lastIndex);
}
} // namespace

HozonForm::HozonForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HozonForm"));
    setWindowTitle(QStringLiteral("保存フォーム"));
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("保存中"), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("HozonBar"));
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("HozonText"));
    layout->addWidget(m_text);
    setMinimumWidth(360);
}

void HozonForm::started(qint64 lastIndex)
{
    m_bar->setRange(0, barValue(lastIndex, lastIndex));
    m_bar->setValue(0);
    m_text->clear();
    show();
    raise();
    if (!m_waitCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_waitCursor = true;
    }
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void HozonForm::advanced(qint64 index, qint64 lastIndex, bool repaintNow)
{
    m_bar->setValue(barValue(index, lastIndex));
    m_text->setText(QStringLiteral("%1/%2").arg(index).arg(lastIndex));
    if (!repaintNow)
        return;
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void HozonForm::finished()
{
    if (m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
    close();
}
