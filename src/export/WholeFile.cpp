#include "export/WholeFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

QString notWritten(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル「%1」に書き込めませんでした。\n%2").arg(path, reason);
}

// The reason the system gave, a full disk in the planner's words.
QString failureReason(const QFileDevice &file)
{
    if (file.error() == QFileDevice::ResourceError)
        return QStringLiteral("ディスクの空きがありません。(%1)").arg(file.errorString());
    return file.errorString();
}

// Writes unbuffered, so that the first write the system refuses stops it with the system's
// reason (a buffered write keeps only "Unknown error", and a short write may pass unseen).
bool writeAll(QSaveFile &file, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

std::optional<QString> writeWholeFile(const QString &path, const QByteArray &bytes)
{
    // QFileInfo follows a symbolic link to what it names.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return notWritten(path, QStringLiteral("通常のファイルではないため書き出しません。"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return notWritten(path, failureReason(file));
    if (writeAll(file, bytes) && file.commit())
        return std::nullopt;
    const QString reason = failureReason(file);
    file.cancelWriting();
    return notWritten(path, reason);
}
