#pragma once
// Reads the floors of the source folders from the table in src/LAYERS.md and checks every
// quoted include of a source tree against them.

#include <QHash>
#include <QString>
#include <QStringList>

struct IncludeBreach
{
    QString file;   // relative to the source root
    int line = 0;
    QString header; // as written in the include
    QString reason;
};

class IncludeLayers
{
public:
    // The floors from a table whose lines read "| floor | folder, folder | …|". Empty when the
    // text holds no such line.
    static IncludeLayers fromTable(const QString &markdown);

    bool isEmpty() const { return m_floor.isEmpty(); }
    // -1 for a folder the table does not name.
    int floorOf(const QString &folder) const { return m_floor.value(folder, -1); }

    // Every include under `sourceRoot` that breaks the rules. `guiHeaders` are the header names
    // of QtGui and QtWidgets, which only ui/ files may include. Only files of the database
    // floor (db/) name Qt SQL's classes or headers: every other floor reads rows through it.
    QList<IncludeBreach> check(const QString &sourceRoot, const QSet<QString> &guiHeaders) const;

private:
    QHash<QString, int> m_floor;
};

// The header names that QtGui and QtWidgets install, read from Qt's own header folder.
QSet<QString> qtGuiHeaderNames();
