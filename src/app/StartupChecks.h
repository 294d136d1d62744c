#pragma once
// The checks of what a run is started with, the same for the window and kalvuner-cli, so that
// both refuse the same start with the same words: a plant code must be a whole number (a
// "1.5" is not rounded to plant 2), a class or operator code may hold only characters the
// plant's codes can hold, and nothing may follow what the command line expects.

#include <QString>
#include <QStringList>
#include <optional>

namespace startup {

// The plant code a text names, or none when it is no whole number within 32 bits. Blanks
// around it are ignored; "1.0" is plant 1.
std::optional<int> plantCodeOf(const QString &text);
// "生産工場コード「1.5」は整数ではありません。"
QString plantCodeProblemText(const QString &text);

// Why `code` cannot be one of the plant's codes, `label` naming which (工程分類コード,
// 担当者コード): it is empty, or it holds a blank, a control character or a character the
// plant database's Shift_JIS (code page 932) cannot hold. None when it can be.
std::optional<QString> codeProblem(const QString &label, const QString &code);

// "余分な引数があります: 「a」「b」" for arguments beyond those expected.
QString extraArgumentsText(const QStringList &extra);

} // namespace startup
