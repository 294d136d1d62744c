#include "export/WholeFile.h"

#include <QSaveFile>

std::optional<QString> writeWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return std::nullopt;
    const QString reason = file.errorString();
    file.cancelWriting();
    return QStringLiteral("ファイル「%1」に書き込めませんでした。\n%2").arg(path, reason);
}
