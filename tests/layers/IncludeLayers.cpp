#include "IncludeLayers.h"

#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTextStream>

IncludeLayers IncludeLayers::fromTable(const QString &markdown)
{
    IncludeLayers layers;
    static const QRegularExpression row(QStringLiteral(R"re(^\|\s*(\d+)\s*\|\s*([a-z_, ]+?)\s*\|)re"));
    for (const QString &line : markdown.split(u'\n')) {
        const QRegularExpressionMatch m = row.match(line);
        if (!m.hasMatch())
            continue;
        for (const QString &folder : m.captured(2).split(u',', Qt::SkipEmptyParts))
            layers.m_floor.insert(folder.trimmed(), m.captured(1).toInt());
    }
    return layers;
}

namespace {
bool isUiPath(const QString &path)
{
    return path.contains(QStringLiteral("/ui/"));
}

QString firstFolder(const QString &path)
{
    return path.section(u'/', 0, 0);
}
} // namespace

QList<IncludeBreach> IncludeLayers::check(const QString &sourceRoot, const QSet<QString> &guiHeaders) const
{
    static const QRegularExpression quoted(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"));
    static const QRegularExpression angled(QStringLiteral(R"re(^\s*#\s*include\s*<([^>]+)>)re"));
    // The driver's classes: a file above the database floor that names one runs statements
    // of its own.
    static const QRegularExpression driverClass(QStringLiteral(R"re(\b(QSql[A-Z]\w*|QtSql)\b)re"));
    QList<IncludeBreach> breaches;
    const QDir root(sourceRoot);
    QDirIterator it(sourceRoot, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = root.relativeFilePath(it.next());
        const QString folder = firstFolder(relative);
        const int floor = floorOf(folder);
        if (!relative.contains(u'/'))
            continue; // the program's entry point stands above every floor
        QFile file(it.filePath());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QTextStream in(&file);
        const bool uiFile = isUiPath(relative);
        const bool databaseFloor = folder == QStringLiteral("db");
        for (int lineNo = 1; !in.atEnd(); ++lineNo) {
            const QString line = in.readLine();
            auto breach = [&](const QString &header, const QString &reason) {
                breaches.append({relative, lineNo, header, reason});
            };
            if (const QRegularExpressionMatch m = driverClass.match(line); m.hasMatch() && !databaseFloor)
                breach(m.captured(1), QStringLiteral("only the database floor runs statements (Database::select, Rows)"));
            else if (const QRegularExpressionMatch m = quoted.match(line); m.hasMatch()) {
                const QString header = m.captured(1);
                if (!header.contains(u'/'))
                    continue;
                const QString target = firstFolder(header);
                const int targetFloor = floorOf(target);
                if (floor < 0)
                    breach(header, QStringLiteral("folder %1 is not in the table").arg(folder));
                else if (targetFloor < 0)
                    breach(header, QStringLiteral("folder %1 is not in the table").arg(target));
                else if (target != folder && targetFloor >= floor)
                    breach(header, QStringLiteral("%1 (floor %2) includes %3 (floor %4)")
                                       .arg(folder).arg(floor).arg(target).arg(targetFloor));
                else if (!uiFile && isUiPath(header))
                    breach(header, QStringLiteral("a core file includes a window file"));
            } else if (const QRegularExpressionMatch m = angled.match(line); m.hasMatch() && !uiFile) {
                const QString header = m.captured(1);
                if (guiHeaders.contains(header) || header.startsWith(QStringLiteral("QtGui/"))
                    || header.startsWith(QStringLiteral("QtWidgets/")))
                    breach(header, QStringLiteral("a core file includes QtGui or QtWidgets"));
            }
        }
    }
    return breaches;
}

QSet<QString> qtGuiHeaderNames()
{
    QSet<QString> names;
    const QString headers = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    for (const QString &module : {QStringLiteral("QtGui"), QStringLiteral("QtWidgets")}) {
        const QDir dir(headers + u'/' + module);
        for (const QString &name : dir.entryList(QDir::Files))
            names.insert(name);
    }
    return names;
}
