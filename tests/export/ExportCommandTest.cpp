// "kalvuner-cli export" run as the plant's IT staff run it: the file it writes is the list's
// file byte for byte (UTF-8 with its mark, or Shift_JIS), a character Shift_JIS cannot hold
// stops it with status 2 and no file unless --replace-unmappable, a cell a spreadsheet would run
// is written as text unless --raw, and wrong command lines, unwritable files and paths that are
// no regular file have their statuses.

#include "ExportPlant.h"
#include "export/PlanListCsv.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

class ExportCommand : public ExportPlant
{
protected:
    // The molding class for a month.
    ToolRun tool(const QStringList &options) const
    {
        return exportTool(demo::MoldingClass, options + QStringList{QStringLiteral("--end"),
                                                                    Start.addMonths(1).toString(QStringLiteral("yyyyMMdd"))});
    }

    QByteArray expected(TextEncoding encoding) const
    {
        PlanGridModel list(session->store());
        list.rebuild();
        TextEncoder encoder(encoding);
        return planListCsv(list, encoder).bytes;
    }

    static QByteArray fileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

TEST_P(ExportCommand, WritesTheListInEitherEncoding)
{
    const QString utf8 = folder.filePath(QStringLiteral("一覧.csv"));
    const ToolRun plain = tool({QStringLiteral("--csv"), utf8});
    EXPECT_EQ(plain.status, 0) << plain.err.toStdString();
    const QByteArray written = fileBytes(utf8);
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(written, expected(TextEncoding::Utf8));
    EXPECT_TRUE(plain.out.contains(QStringLiteral("計画一覧")));

    const QString sjis = folder.filePath(QStringLiteral("sjis.csv"));
    const ToolRun shiftJis = tool({QStringLiteral("--csv"), sjis, QStringLiteral("--encoding"), QStringLiteral("shift_jis")});
    EXPECT_EQ(shiftJis.status, 0) << shiftJis.err.toStdString();
    EXPECT_EQ(fileBytes(sjis), expected(TextEncoding::ShiftJis));
    EXPECT_EQ(readBack(fileBytes(sjis), false), readBack(written, true));
}

TEST_P(ExportCommand, AnUnmappableCharacterStopsItUnlessReplacementIsAskedFor)
{
    const qint64 named = arrangement(4);
    nameItem(named, QStringLiteral("ケース🙂"));
    load();
    const QString path = folder.filePath(QStringLiteral("sjis.csv"));
    const QStringList options{QStringLiteral("--csv"), path, QStringLiteral("--encoding"), QStringLiteral("shift_jis")};

    const ToolRun refused = tool(options);
    EXPECT_EQ(refused.status, 2);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(refused.err.contains(QStringLiteral("手配番号 %1 品名: 「🙂」(U+1F642)").arg(named)))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--replace-unmappable")));

    const ToolRun replaced = tool(options + QStringList{QStringLiteral("--replace-unmappable")});
    EXPECT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_EQ(fileBytes(path), expected(TextEncoding::ShiftJis));
    const QList<QStringList> read = readBack(fileBytes(path), false);
    EXPECT_TRUE(std::any_of(read.begin(), read.end(), [](const QStringList &r) {
        return r.value(plangrid::ItemName - 1) == QStringLiteral("ケース?");
    }));

    // UTF-8 holds it.
    const QString utf8 = folder.filePath(QStringLiteral("utf8.csv"));
    EXPECT_EQ(tool({QStringLiteral("--csv"), utf8}).status, 0);
    EXPECT_TRUE(QString::fromUtf8(fileBytes(utf8)).contains(QStringLiteral("ケース🙂")));
}

TEST_P(ExportCommand, ACellASpreadsheetWouldRunIsWrittenAsTextUnlessRawIsAskedFor)
{
    const QString formula = QStringLiteral("=HYPERLINK(\"http://example.invalid\",\"押す\")");
    nameItem(arrangement(4), formula);
    load();
    const QString path = folder.filePath(QStringLiteral("一覧.csv"));
    const auto itemNames = [&] {
        QStringList names;
        for (const QStringList &row : readBack(fileBytes(path), true))
            names << row.value(plangrid::ItemName - 1);
        return names;
    };

    ASSERT_EQ(tool({QStringLiteral("--csv"), path}).status, 0);
    EXPECT_EQ(fileBytes(path), expected(TextEncoding::Utf8));
    EXPECT_TRUE(itemNames().contains(u'\'' + formula));
    EXPECT_FALSE(itemNames().contains(formula));

    ASSERT_EQ(tool({QStringLiteral("--csv"), path, QStringLiteral("--raw")}).status, 0);
    EXPECT_TRUE(itemNames().contains(formula));
}

TEST_P(ExportCommand, WrongCommandLinesAndUnwritableFiles)
{
    const QString path = folder.filePath(QStringLiteral("x.csv"));
    expectRefusals(demo::MoldingClass, {
        {{}, 2, QStringLiteral("書き出すファイルがありません")},
        {{QStringLiteral("--csv"), path, QStringLiteral("--encoding"), QStringLiteral("euc-jp")}, 2,
         QStringLiteral("--encoding は utf-8 か shift_jis です")},
        {{QStringLiteral("--csv"), folder.filePath(QStringLiteral("ない/x.csv"))}, 1,
         QStringLiteral("に書き込めませんでした")},
    }, folder.path());
}

#ifdef Q_OS_UNIX
TEST_P(ExportCommand, ANamedPipeIsLeftAsItIs)
{
    const QString pipe = folder.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const ToolRun run = tool({QStringLiteral("--csv"), pipe});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("通常のファイルではない"))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo(pipe).isFile());
}
#endif

INSTANTIATE_TEST_SUITE_P(Backends, ExportCommand, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
