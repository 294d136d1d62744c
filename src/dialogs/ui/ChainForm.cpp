#include "dialogs/ui/ChainForm.h"

#include "dialogs/ui/ChainList.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ChainForm::ChainForm(QDialog *window, const QString &arrangement, const QStringList &lines,
                     const std::vector<std::pair<QString, QString>> &buttons)
{
    text1 = new QLineEdit(arrangement, window);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setReadOnly(true);
    list = new ChainList(window);
    list->setLines(lines);

    auto *number = new QHBoxLayout;
    number->addWidget(new QLabel(QStringLiteral("手配番号"), window));
    number->addWidget(text1);
    number->addStretch();
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (const auto &[name, caption] : buttons) {
        auto *button = new QPushButton(caption, window);
        button->setObjectName(name);
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    auto *all = new QVBoxLayout(window);
    all->addLayout(number);
    all->addWidget(list);
    all->addLayout(row);
    // Wide enough for a show line ("mm/dd", numbers, codes and a process name) uncut.
    window->resize(list->fontMetrics().horizontalAdvance(QString(64, QLatin1Char('0'))) + 40, 320);
}
