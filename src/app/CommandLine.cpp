#include "app/CommandLine.h"

#include "app/StartupError.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace commandline {

QString usage()
{
    return QStringLiteral("kalvuner 開始日(yyyymmdd または 1) 工程分類コード 担当者コード "
                          "[--settings 設定ファイル] [--screenshot PNGファイル] [--mode 1-4]");
}

LaunchOptions parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("読み込み後の画面をPNGに保存して終了する"),
                                        QStringLiteral("FILE"));
    const QCommandLineOption mode(QStringLiteral("mode"), QStringLiteral("画面保存時の表示モード 1-4"),
                                  QStringLiteral("N"));
    const QCommandLineOption settingsFile(QStringLiteral("settings"),
                                          QStringLiteral("プログラムと同じフォルダの planner.ini の代わりに使う設定ファイル"),
                                          QStringLiteral("FILE"));
    parser.addOptions({screenshot, mode, settingsFile});

    const QString expected = QStringLiteral("\n指定形式: ") + usage();
    if (!parser.parse(arguments))
        throw StartupError(QStringLiteral("コマンドラインが正しくありません。\n") + parser.errorText() + expected);

    QStringList tokens;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString &argument : parser.positionalArguments())
        tokens += argument.split(blanks, Qt::SkipEmptyParts);
    if (tokens.size() < 3)
        throw StartupError(QStringLiteral("コマンドラインの指定が足りません（%1個）。"
                                          "開始日(yyyymmdd または 1)、工程分類コード、担当者コードの3つを指定してください。")
                               .arg(tokens.size())
                           + expected);

    LaunchOptions options;
    options.launchArgs = tokens.join(u' ');
    options.operatorCode = tokens[2];
    options.screenshotPath = parser.value(screenshot);
    options.settingsPath = parser.value(settingsFile);
    if (parser.isSet(mode)) {
        bool ok = false;
        options.displayMode = parser.value(mode).toInt(&ok);
        if (!ok || options.displayMode < 1 || options.displayMode > 4)
            throw StartupError(QStringLiteral("--mode には 1 から 4 を指定してください: 「%1」").arg(parser.value(mode))
                               + expected);
    }
    return options;
}

} // namespace commandline
