#pragma once
// Pictures of the windows for a reviewer to look at. scripts/screenshots runs the window tests
// with KALVUNER_SHOTS naming the folder it fills; an ordinary test run (ctest) sets nothing and
// the tests leave no picture anywhere.

#include <QImage>
#include <QString>

class QWidget;

// Saves the widget as it is drawn now as NAME (with its ".png") in the pictures' folder, when
// one is given.
void keepScreenshot(QWidget &widget, const QString &name);
void keepScreenshot(const QImage &picture, const QString &name);
// A copy of an output file (a printed PDF) as NAME in the pictures' folder, when one is given.
void keepScreenshotFile(const QString &path, const QString &name);
