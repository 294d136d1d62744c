// Kalvuner, the production-planning Gantt editor of the molding plant.

#include "app/ui/PlannerApplication.h"
#include "app/ui/QtTranslations.h"
#include "common/PlannerLocale.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvuner"));
    // Every date picker and Qt's own texts in Japanese: the program writes its own numbers
    // and dates with fixed formats, not with the locale.
    QLocale::setDefault(plant::plannerLocale());
    installQtTranslations(app);
    PlannerApplication planner;
    return planner.run(QApplication::arguments());
}
