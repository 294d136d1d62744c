// An exported file replaces only a regular file, whole or not at all: a named pipe (as any
// device) or a folder at the path (or behind a symbolic link) is refused and left as it was, a file
// behind a link is replaced through it, and a write the system refuses is told with the
// system's reason while the old file stays.

#include "FileBytes.h"
#include "export/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {

#ifdef Q_OS_UNIX

TEST(WholeFile, OnlyARegularFileIsReplaced)
{
    QTemporaryDir folder;
    const QString pipe = folder.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString toPipe = folder.filePath(QStringLiteral("pipe.csv"));
    ASSERT_TRUE(QFile::link(pipe, toPipe));
    const QString sub = folder.filePath(QStringLiteral("フォルダ"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("フォルダ")));

    for (const QString &path : {pipe, toPipe, sub}) {
        SCOPED_TRACE(path.toStdString());
        const auto failed = writeWholeFile(path, "a,b\r\n");
        ASSERT_TRUE(failed);
        EXPECT_TRUE(failed->contains(QStringLiteral("通常のファイルではない"))) << failed->toStdString();
    }
    EXPECT_FALSE(QFileInfo(pipe).isFile());
    EXPECT_TRUE(QFileInfo(toPipe).isSymLink());
    EXPECT_TRUE(QFileInfo(sub).isDir());

    // A link to a file of the plant's folder replaces that file and keeps the link.
    const QString real = folder.filePath(QStringLiteral("real.csv"));
    const QString link = folder.filePath(QStringLiteral("link.csv"));
    ASSERT_FALSE(writeWholeFile(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_FALSE(writeWholeFile(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(real), QByteArray("new"));
}

// Files larger than the process may write fail as a full disk does: part way through.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_signal)(int) = nullptr;
};

TEST(WholeFile, ARefusedWriteIsToldWithTheSystemsReasonAndKeepsTheOldFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("一覧.csv"));
    ASSERT_FALSE(writeWholeFile(path, "old"));
    std::optional<QString> failed;
    {
        FileSizeLimit limit(4096);
        failed = writeWholeFile(path, QByteArray(100000, 'x'));
    }
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->contains(QStringLiteral("Unknown error"))) << failed->toStdString();
    EXPECT_TRUE(failed->contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << failed->toStdString();
    EXPECT_EQ(fileBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("一覧.csv")});
}

#endif

} // namespace
