#include "Screenshots.h"

#include <QDir>
#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QString folder()
{
    return qEnvironmentVariable("KALVUNER_SHOTS");
}

} // namespace

void keepScreenshot(QWidget &widget, const QString &name)
{
    if (!folder().isEmpty())
        keepScreenshot(widget.grab().toImage(), name);
}

void keepScreenshot(const QImage &picture, const QString &name)
{
    const QString directory = folder();
    if (directory.isEmpty())
        return;
    QDir().mkpath(directory);
    EXPECT_TRUE(picture.save(QDir(directory).filePath(name))) << name.toStdString();
}

void keepScreenshotFile(const QString &path, const QString &name)
{
    const QString directory = folder();
    if (directory.isEmpty())
        return;
    QDir().mkpath(directory);
    const QString copy = QDir(directory).filePath(name);
    QFile::remove(copy);
    EXPECT_TRUE(QFile::copy(path, copy)) << name.toStdString();
}
