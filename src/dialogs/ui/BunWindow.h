#pragma once
// BunWindow "手配分割": the lot split. The inner and outer member lists NList and GList show
// per line the count chosen to move and the quantity available; a click on a line and a
// count typed into Text14 with Enter choose the pieces of that production plan, Command3
// "分割実施" carries the split out and closes the window, Command1 "分割キャンセル" closes it
// without change. The rules are those of LotSplit.

#include "dialogs/LotSplit.h"

#include <QDialog>
#include <QHash>

class DetailActions;
class QLineEdit;
class QListWidget;
class QPushButton;

class BunWindow : public QDialog
{
    Q_OBJECT
public:
    BunWindow(DetailActions &actions, qint64 lot, QWidget *parent = nullptr);

    QListWidget *list(const QString &name) const { return m_lists.value(name); }
    QLineEdit *box(const QString &name) const { return m_boxes.value(name); }
    QPushButton *button(const QString &name) const { return m_buttons.value(name); }
    // The lot the split made; 0 while none was made.
    qint64 newLot() const { return m_newLot; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QListWidget *addList(const QString &name, SplitRing ring);
    QLineEdit *addBox(const QString &name);
    QPushButton *addButton(const QString &name, const QString &caption);
    void buildLayout();
    void showTexts();
    void lineClicked(SplitRing ring, int row);
    void carryOut();

    DetailActions &m_actions;
    qint64 m_lot;
    LotSplit m_rules;
    qint64 m_newLot = 0;
    QHash<QString, QListWidget *> m_lists;
    QHash<QString, QLineEdit *> m_boxes;
    QHash<QString, QPushButton *> m_buttons;
};
