// The floors of src/ hold: no folder includes one above it, no core file includes a window
// file or QtGui/QtWidgets, no file above the database floor runs statements with Qt SQL. The checker itself is shown to catch each kind of breach on a small
// tree written for the purpose.

#include "IncludeLayers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

const QString sourceRoot = QStringLiteral(KALVUNER_SOURCE_DIR "/src");

IncludeLayers realLayers()
{
    return IncludeLayers::fromTable(readAll(sourceRoot + QStringLiteral("/LAYERS.md")));
}

void write(const QTemporaryDir &dir, const QString &path, const QByteArray &text)
{
    const QString full = dir.filePath(path);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QString describe(const QList<IncludeBreach> &breaches)
{
    QString text;
    for (const IncludeBreach &b : breaches)
        text += QStringLiteral("%1:%2: %3 (%4)\n").arg(b.file).arg(b.line).arg(b.header, b.reason);
    return text;
}

} // namespace

TEST(IncludeLayers, TheSourceTreeKeepsItsFloors)
{
    const IncludeLayers layers = realLayers();
    ASSERT_FALSE(layers.isEmpty());
    EXPECT_LT(layers.floorOf(QStringLiteral("db")), layers.floorOf(QStringLiteral("plan")));
    EXPECT_LT(layers.floorOf(QStringLiteral("editing")), layers.floorOf(QStringLiteral("session")));
    const QList<IncludeBreach> breaches = layers.check(sourceRoot, qtGuiHeaderNames());
    EXPECT_TRUE(breaches.isEmpty()) << describe(breaches).toStdString();
}

TEST(IncludeLayers, EveryFolderOfTheTreeIsInTheTable)
{
    const IncludeLayers layers = realLayers();
    for (const QString &folder : QDir(sourceRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        EXPECT_GE(layers.floorOf(folder), 0) << folder.toStdString();
}

TEST(IncludeLayers, PlantedBreachesAreNamedWithFileAndLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const IncludeLayers layers = realLayers();
    write(dir, QStringLiteral("calendar/Good.h"), "#pragma once\n#include \"plan/PlanRecord.h\"\n#include <QDate>\n");
    write(dir, QStringLiteral("calendar/Upward.cpp"), "#include \"calendar/Good.h\"\n\n#include \"gantt/TimeScale.h\"\n");
    write(dir, QStringLiteral("persist/Sibling.cpp"), "#include \"dialogs/PlanDetail.h\"\n");
    write(dir, QStringLiteral("editing/CoreUsesUi.cpp"), "#include \"gantt/ui/ChartPainter.h\"\n");
    write(dir, QStringLiteral("gantt/CoreUsesWidgets.cpp"), "#include <QDate>\n#include <QWidget>\n#include <QtGui/QColor>\n");
    write(dir, QStringLiteral("app/ui/Window.cpp"), "#include \"editing/ui/Thing.h\"\n#include <QWidget>\n");
    write(dir, QStringLiteral("stray/File.cpp"), "#include \"common/PlantValues.h\"\n");
    write(dir, QStringLiteral("plan/RunsSql.cpp"),
          "#include \"db/Database.h\"\n#include <QSqlQuery>\n\nvoid f(Database &db)\n{\n    QSqlQuery q = db.run(x);\n}\n");
    write(dir, QStringLiteral("dialogs/ui/Lookup.cpp"), "#include <QtSql/QSqlRecord>\n");
    write(dir, QStringLiteral("db/Reader.cpp"), "#include <QSqlQuery>\n#include <QSqlRecord>\nQSqlQuery q;\n");

    QList<IncludeBreach> breaches = layers.check(dir.path(), {QStringLiteral("QWidget"), QStringLiteral("QColor")});
    std::sort(breaches.begin(), breaches.end(), [](const IncludeBreach &a, const IncludeBreach &b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    const QStringList found = [&] {
        QStringList list;
        for (const IncludeBreach &b : breaches)
            list.append(QStringLiteral("%1:%2 %3").arg(b.file).arg(b.line).arg(b.header));
        return list;
    }();
    EXPECT_EQ(found, QStringList({QStringLiteral("calendar/Upward.cpp:3 gantt/TimeScale.h"),
                                  QStringLiteral("dialogs/ui/Lookup.cpp:1 QtSql"),
                                  QStringLiteral("editing/CoreUsesUi.cpp:1 gantt/ui/ChartPainter.h"),
                                  QStringLiteral("gantt/CoreUsesWidgets.cpp:2 QWidget"),
                                  QStringLiteral("gantt/CoreUsesWidgets.cpp:3 QtGui/QColor"),
                                  QStringLiteral("persist/Sibling.cpp:1 dialogs/PlanDetail.h"),
                                  QStringLiteral("plan/RunsSql.cpp:2 QSqlQuery"),
                                  QStringLiteral("plan/RunsSql.cpp:6 QSqlQuery"),
                                  QStringLiteral("stray/File.cpp:1 common/PlantValues.h")}))
        << describe(breaches).toStdString();
}
