#include "app/RememberedClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace remembered {

QString signedInUserName()
{
#ifdef Q_OS_WIN
    wchar_t name[257];
    DWORD size = 257;
    if (GetUserNameW(name, &size) && size > 0)
        return QString::fromWCharArray(name, int(size) - 1);
    return {};
#else
    const passwd *entry = getpwuid(geteuid());
    return entry && entry->pw_name ? QString::fromLocal8Bit(entry->pw_name) : QString::number(geteuid());
#endif
}

QString pathFor(const QString &userName)
{
    const QString fileName = userName + QStringLiteral(".txt");
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\") + fileName;
#else
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(fileName);
#endif
}

QString readCode(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString line = QString::fromUtf8(file.readLine()).trimmed();
    // The first field of the line: up to a comma, without surrounding quotes.
    line = line.section(u',', 0, 0).trimmed();
    if (line.size() >= 2 && line.startsWith(u'"') && line.endsWith(u'"'))
        line = line.mid(1, line.size() - 2);
    return line.trimmed();
}

bool writeCode(const QString &path, const QString &code)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(code.toUtf8() + "\n");
    return file.commit();
}

} // namespace remembered
