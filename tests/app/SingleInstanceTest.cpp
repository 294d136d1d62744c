#include "app/SingleInstance.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kalvuner.lock"));
    {
        SingleInstance first(path);
        ASSERT_TRUE(first.acquire());
        SingleInstance second(path);
        EXPECT_FALSE(second.acquire());
    }
    SingleInstance next(path);
    EXPECT_TRUE(next.acquire());
}

TEST(SingleInstance, LockOfAKilledCopyDoesNotBlock)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kalvuner.lock"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The other copy takes the lock and is killed without cleaning up.
        SingleInstance copy(path);
        if (copy.acquire())
            raise(SIGKILL);
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the other copy could not take the lock";
    ASSERT_TRUE(QFile::exists(path)) << "the killed copy leaves its lock file behind";

    SingleInstance again(path);
    EXPECT_TRUE(again.acquire());
}

} // namespace
