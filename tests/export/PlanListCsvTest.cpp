// The plan list as a CSV file: read back with a separate CSV reader it gives exactly the cells
// the list shows, in UTF-8 and in Shift_JIS, also for remarks a planner typed with commas,
// quotes and line ends; it follows the list's search; characters Shift_JIS cannot hold are
// named with their lot and nothing is written unless the planner says so.

#include "ExportPlant.h"
#include "FileBytes.h"
#include "editing/PlanGridEdit.h"
#include "export/PlanListCsv.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class PlanListCsvFile : public ExportPlant
{
protected:
    // Types `text` into the 備考 cell of lot `index`, as the planner does.
    void typeRemarks(qint64 index, const QString &text)
    {
        PlanGridEdit edit(session->editPath(), session->insertion(), session->rows(), session->workingTime(), run,
                          prompter);
        edit.FunUpdatePlanInfoFromGrid(index, plangrid::Remarks, text);
    }

    QTemporaryDir folder;
};

TEST_P(PlanListCsvFile, ReadsBackAsTheListShowsItInBothEncodings)
{
    const QStringList remarks{QStringLiteral("納期厳守, 午前着"), QStringLiteral("型 \"A\" を使用"),
                              QStringLiteral("1行目\r\n2行目\n3行目"), QStringLiteral("①～㈱ 髙")};
    for (int i = 0; i < remarks.size(); ++i)
        typeRemarks(lot(i * 7), remarks[i]);
    PlanGridModel list(session->store());
    list.rebuild();
    ASSERT_GT(list.lotCount(), 100);

    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::ShiftJis}) {
        SCOPED_TRACE(textEncodingLabel(encoding).toStdString());
        TextEncoder encoder(encoding);
        ASSERT_TRUE(encoder.isValid());
        const PlanListCsv csv = planListCsv(list, encoder);
        EXPECT_TRUE(csv.unmappable.isEmpty());
        const QList<QStringList> read = readBack(csv.bytes, encoding == TextEncoding::Utf8);
        EXPECT_EQ(read, shown(list));
        for (const QString &typed : remarks) {
            const bool found = std::any_of(read.begin(), read.end(), [&](const QStringList &r) {
                return r.value(plangrid::Remarks - 1) == typed.trimmed();
            });
            EXPECT_TRUE(found) << typed.toStdString();
        }
        EXPECT_TRUE(csv.bytes.endsWith("\r\n"));
    }
}

TEST_P(PlanListCsvFile, HoldsTheListsSearchAndOrder)
{
    PlanGridModel list(session->store());
    const QString code = session->store()[lot(3)].ItemCode;
    list.setSearch({code.left(code.size() - 1)});
    list.rebuild();
    ASSERT_GT(list.lotCount(), 0);
    ASSERT_LT(list.lotCount(), session->store().lastIndex() - 1);
    TextEncoder encoder(TextEncoding::Utf8);
    const QList<QStringList> read = readBack(planListCsv(list, encoder).bytes, true);
    ASSERT_EQ(read.size(), list.lotCount() + 1);
    for (qsizetype row = 2; row < read.size(); ++row) {
        EXPECT_TRUE(read[row][plangrid::ItemCode - 1].startsWith(code.left(code.size() - 1)));
        EXPECT_LE(read[row - 1][plangrid::Key - 1], read[row][plangrid::Key - 1]) << "sorted by KEY";
    }
}

TEST_P(PlanListCsvFile, UnmappableCharactersAreNamedAndNothingIsWrittenUnlessThePlannerAgrees)
{
    const qint64 first = arrangement(2);
    const qint64 second = arrangement(11);
    nameItem(first, QStringLiteral("成形品𠮷"));
    nameItem(second, QStringLiteral("トレイ🙂"));
    load();
    PlanGridModel list(session->store());
    list.rebuild();

    TextEncoder shiftJis(TextEncoding::ShiftJis);
    const PlanListCsv csv = planListCsv(list, shiftJis);
    ASSERT_EQ(csv.unmappable.size(), 2);
    QSet<qint64> named;
    for (const UnmappableCharacter &u : csv.unmappable) {
        named.insert(u.arrangement.toLongLong());
        EXPECT_EQ(u.column, QStringLiteral("品名"));
        EXPECT_EQ(list.data(list.index(u.listRow - 1, plangrid::Arrangement)).toString(), u.arrangement);
        EXPECT_EQ(u.character, u.arrangement.toLongLong() == first ? U'𠮷' : U'🙂');
    }
    EXPECT_EQ(named, (QSet<qint64>{first, second}));

    // No: the file that was there stays as it was.
    const QString path = folder.filePath(QStringLiteral("一覧.csv"));
    writeFile(path, "before");
    prompter.expectAnswer(false);
    EXPECT_FALSE(savePlanListCsv(list, path, TextEncoding::ShiftJis, prompter));
    ASSERT_EQ(prompter.said().size(), 1u);
    const ScriptedPrompter::Said &question = prompter.said().front();
    EXPECT_TRUE(question.question);
    EXPECT_FALSE(question.defaultYes);
    EXPECT_TRUE(question.text.contains(QStringLiteral("手配番号 %1 品名: 「𠮷」(U+20BB7)").arg(first)))
        << question.text.toStdString();
    EXPECT_TRUE(question.text.contains(QStringLiteral("「?」に置き換えて保存しますか")));
    EXPECT_EQ(fileBytes(path), QByteArray("before"));

    // Yes: written with "?" in their places.
    prompter.clear();
    prompter.expectAnswer(true);
    EXPECT_TRUE(savePlanListCsv(list, path, TextEncoding::ShiftJis, prompter));
    const QList<QStringList> read = readBack(fileBytes(path), false);
    const auto hasName = [&](const QString &name) {
        return std::any_of(read.begin(), read.end(),
                           [&](const QStringList &r) { return r.value(plangrid::ItemName - 1) == name; });
    };
    EXPECT_TRUE(hasName(QStringLiteral("成形品?")));
    EXPECT_TRUE(hasName(QStringLiteral("トレイ?")));

    // UTF-8 holds them: no question.
    prompter.clear();
    EXPECT_TRUE(savePlanListCsv(list, path, TextEncoding::Utf8, prompter));
    EXPECT_TRUE(prompter.said().empty());
    EXPECT_EQ(readBack(fileBytes(path), true), shown(list));
}

TEST_P(PlanListCsvFile, AFileThatCannotBeWrittenIsToldAndLeavesNothing)
{
    PlanGridModel list(session->store());
    list.rebuild();
    const QString path = folder.filePath(QStringLiteral("ない/一覧.csv"));
    EXPECT_FALSE(savePlanListCsv(list, path, TextEncoding::Utf8, prompter));
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_FALSE(prompter.said().front().question);
    EXPECT_TRUE(prompter.said().front().text.startsWith(QStringLiteral("ファイル「%1」に書き込めませんでした。").arg(path)));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Backends, PlanListCsvFile, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
