#include "ScriptFile.h"

#include "common/PlantValues.h"

#include <QFile>
#include <QFileInfo>

namespace {

ScriptFileRefusal refusal(const QString &path, const QString &problem)
{
    return {QStringLiteral("スクリプト「%1」%2").arg(path, problem)};
}

ScriptFileRefusal tooLarge(const QString &path)
{
    return refusal(path, QStringLiteral("が大きすぎます（%1 バイトまで）。").arg(plant::thousands(MaxScriptBytes)));
}

} // namespace

std::variant<QString, ScriptFileRefusal> readScriptFile(const QString &path)
{
    QFile file;
    if (path == QStringLiteral("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly))
            return refusal(path, QStringLiteral("を読めません。"));
    } else {
        const QFileInfo info(path);
        if (!info.exists())
            return refusal(path, QStringLiteral("が見つかりません。"));
        if (!info.isFile())
            return refusal(path, QStringLiteral("は通常のファイルではありません。"));
        if (info.size() > MaxScriptBytes)
            return tooLarge(path);
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            return refusal(path, QStringLiteral("を読めません。\n%1").arg(file.errorString()));
    }
    const QByteArray bytes = file.read(MaxScriptBytes + 1);
    if (bytes.size() > MaxScriptBytes)
        return tooLarge(path);
    if (file.error() != QFileDevice::NoError)
        return refusal(path, QStringLiteral("を読めません。\n%1").arg(file.errorString()));
    return QString::fromUtf8(bytes);
}
