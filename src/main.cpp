// Kalvuner, the production-planning Gantt editor of the molding plant.

#include "app/ui/PlannerApplication.h"
#include "app/ui/QtTranslations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvuner"));
    installQtTranslations(app);
    PlannerApplication planner;
    return planner.run(QApplication::arguments());
}
