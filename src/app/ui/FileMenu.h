#pragma once
// The main window's first menu, ファイル(&F), with its submenu エクスポート. Whatever writes the
// plan out (the plan list as CSV, printing, PDF and pictures of the chart) adds its entries to
// menu() or exportMenu().

#include <QObject>

class QMainWindow;
class QMenu;

class FileMenu : public QObject
{
    Q_OBJECT
public:
    // Puts the menu in front of the window's other menus.
    explicit FileMenu(QMainWindow &window);

    QMenu *menu() const { return m_menu; }
    QMenu *exportMenu() const { return m_export; }

private:
    QMenu *m_menu = nullptr;
    QMenu *m_export = nullptr;
};
