#include "app/CommandLine.h"

#include "app/StartupChecks.h"
#include "app/StartupError.h"

#include <QCommandLineParser>

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

    // Each argument is one token as given: a token holding a blank is refused below, never
    // split again.
    const QStringList tokens = parser.positionalArguments();
    if (tokens.size() < 3)
        throw StartupError(QStringLiteral("コマンドラインの指定が足りません（%1個）。"
                                          "開始日(yyyymmdd または 1)、工程分類コード、担当者コードの3つを指定してください。")
                               .arg(tokens.size())
                           + expected);
    if (tokens.size() > 3)
        throw StartupError(startup::extraArgumentsText(tokens.mid(3)) + expected);
    for (const auto &[label, token] : {std::pair{QStringLiteral("開始日"), tokens[0]},
                                       std::pair{QStringLiteral("工程分類コード"), tokens[1]},
                                       std::pair{QStringLiteral("担当者コード"), tokens[2]}})
        if (const std::optional<QString> problem = startup::codeProblem(label, token))
            throw StartupError(*problem + expected);

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
