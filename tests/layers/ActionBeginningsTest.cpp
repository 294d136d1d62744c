// Planner actions begin only in the plan session and in the editing rules it calls: no window,
// dialog rule, command-line action or bench row opens an undo step of its own, so every way
// into an action goes through the session's one call.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(ActionBeginnings, OnlyTheSessionAndTheEditingRulesBeginAnAction)
{
    static const QRegularExpression call(QStringLiteral(R"(\bbeginAction\s*\()"));
    const QString root = QStringLiteral(KALVUNER_SOURCE_DIR);
    QStringList outside;
    for (const QString &tree : {QStringLiteral("src"), QStringLiteral("tools")}) {
        QDirIterator it(root + u'/' + tree, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next().mid(root.size() + 1);
            if (path.startsWith(QStringLiteral("src/session/")) || path.startsWith(QStringLiteral("src/editing/")))
                continue;
            QFile file(it.filePath());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            if (call.match(QString::fromUtf8(file.readAll())).hasMatch())
                outside << path;
        }
    }
    EXPECT_TRUE(outside.isEmpty()) << outside.join(u'\n').toStdString();
}

} // namespace
