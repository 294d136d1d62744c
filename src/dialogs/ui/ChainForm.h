#pragma once
// The shared face of the process add and process show windows: the arrangement number
// (Text1, label "手配番号") above the chain list (NList) and a row of buttons below.

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class ChainList;
class QDialog;
class QLineEdit;

struct ChainForm
{
    // Lays the controls out on `window`; buttons are (object name, caption) pairs.
    ChainForm(QDialog *window, const QString &arrangement, const QStringList &lines,
              const std::vector<std::pair<QString, QString>> &buttons);

    ChainList *list = nullptr;
    QLineEdit *text1 = nullptr;
};
