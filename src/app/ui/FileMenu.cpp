#include "app/ui/FileMenu.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

FileMenu::FileMenu(QMainWindow &window) : QObject(&window)
{
    QMenuBar *bar = window.menuBar();
    m_menu = new QMenu(QStringLiteral("ファイル(&F)"), &window);
    m_menu->setObjectName(QStringLiteral("MenuFile"));
    const QList<QAction *> existing = bar->actions();
    bar->insertMenu(existing.isEmpty() ? nullptr : existing.first(), m_menu);
    m_export = m_menu->addMenu(QStringLiteral("エクスポート(&E)"));
    m_export->setObjectName(QStringLiteral("MenuExport"));
}
