#pragma once
// The menu entries that save the plan list as a CSV file: 一覧をCSVで保存… (UTF-8 with a
// byte-order mark, what a spreadsheet opens right) and 一覧をCSVで保存 (Shift_JIS)… for offices
// whose programs still read only that. The file holds the list as it stands, with the search
// it was last shown with.

#include "export/TextEncoding.h"

#include <QObject>
#include <functional>

class PlanGridModel;
class Prompter;
class QAction;
class QMenu;
class QWidget;

class PlanListCsvActions : public QObject
{
    Q_OBJECT
public:
    // Asks for the file to write: the dialog's caption and a suggested file name; an empty
    // answer cancels. The window's save dialog unless a test puts another in.
    using FileChooser = std::function<QString(const QString &caption, const QString &suggested)>;

    PlanListCsvActions(QMenu &menu, const PlanGridModel &list, Prompter &prompter, QWidget &window);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    QAction *utf8Action() const { return m_utf8; }
    QAction *shiftJisAction() const { return m_shiftJis; }

    // Asks for the file and saves the list in `encoding`; the status bar says where it went.
    void save(TextEncoding encoding);

private:
    const PlanGridModel &m_list;
    Prompter &m_prompter;
    QWidget &m_window;
    FileChooser m_chooseFile;
    QAction *m_utf8 = nullptr;
    QAction *m_shiftJis = nullptr;
};
