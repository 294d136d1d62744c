#include "app/SettingsFile.h"

#include "app/StartupChecks.h"
#include "app/StartupError.h"
#include "common/PlantValues.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Reads one field after the other the way sequential file input does: blanks before a field
// are skipped, a field in double quotes runs to the closing quote, any other field runs to
// the next comma or line end (trailing blanks dropped); the delimiter after a field is eaten.
class FieldReader
{
public:
    explicit FieldReader(const QString &text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    QString next()
    {
        skipBlanks();
        QString field;
        if (!atEnd() && m_text[m_pos] == u'"') {
            const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
            const qsizetype end = close < 0 ? m_text.size() : close;
            field = m_text.mid(m_pos + 1, end - m_pos - 1);
            m_pos = close < 0 ? end : close + 1;
            // Anything between the closing quote and the delimiter is not part of the field.
            while (!atEnd() && !isDelimiter(m_text[m_pos]))
                ++m_pos;
        } else {
            const qsizetype start = m_pos;
            while (!atEnd() && !isDelimiter(m_text[m_pos]))
                ++m_pos;
            field = m_text.mid(start, m_pos - start).trimmed();
        }
        eatDelimiter();
        return field;
    }

private:
    static bool isDelimiter(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }

    void skipBlanks()
    {
        while (!atEnd() && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t'))
            ++m_pos;
    }

    void eatDelimiter()
    {
        skipBlanks();
        if (atEnd())
            return;
        if (m_text[m_pos] == u'\r') {
            ++m_pos;
            if (!atEnd() && m_text[m_pos] == u'\n')
                ++m_pos;
        } else {
            ++m_pos; // a comma or a line feed
        }
    }

    QString m_text;
    qsizetype m_pos = 0;
};

struct FieldName
{
    int number;
    const char16_t *meaning;
};

constexpr FieldName kFields[] = {
    {1, u"未使用"},          {2, u"工場コード"},     {3, u"未割付ロットの機械保持"},
    {4, u"未使用"},          {5, u"仮手配の色分け"}, {6, u"バーの金型名表示"},
    {7, u"稼働日の開始時刻"}, {8, u"画面の幅"},       {9, u"画面の高さ"},
    {10, u"ユーザーID"},     {11, u"パスワード"},    {12, u"データソース"},
};

QString fieldLabel(int number)
{
    return QStringLiteral("項目%1（%2）").arg(number).arg(QString::fromUtf16(kFields[number - 1].meaning));
}

[[noreturn]] void badField(const QString &path, int number, const QString &what, const QString &value)
{
    throw StartupError(QStringLiteral("設定ファイル「%1」の%2%3: 「%4」")
                           .arg(QDir::toNativeSeparators(path), fieldLabel(number), what, value));
}

// A numeric field: empty reads as 0; otherwise a whole number (a fraction is rounded halves
// to even, as integer input does). Anything else, or a number beyond 32 bits, is refused.
qint64 numberField(const QString &value, const QString &path, int number)
{
    if (value.isEmpty())
        return 0;
    bool ok = false;
    const double parsed = value.toDouble(&ok);
    if (!ok)
        badField(path, number, QStringLiteral("が数値ではありません"), value);
    const qint64 whole = plant::roundHalfEven(parsed);
    if (whole < INT32_MIN || whole > INT32_MAX)
        badField(path, number, QStringLiteral("の数値が大きすぎます"), value);
    return whole;
}

// The plant code: empty reads as 0; otherwise a whole number, never rounded (a "1.5" would
// plan plant 2).
int plantCodeField(const QString &value, const QString &path)
{
    if (value.isEmpty())
        return 0;
    if (const std::optional<int> code = startup::plantCodeOf(value))
        return *code;
    throw StartupError(QStringLiteral("設定ファイル「%1」の%2: %3")
                           .arg(QDir::toNativeSeparators(path), fieldLabel(2), startup::plantCodeProblemText(value)));
}

QTime dayStartField(const QString &value, const QString &path)
{
    if (value.isEmpty())
        return QTime(0, 0);
    for (const char *format : {"H:mm", "H:mm:ss"}) {
        const QTime time = QTime::fromString(value, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    badField(path, 7, QStringLiteral("が時刻（例 08:00）ではありません"), value);
}

} // namespace

namespace settings {

QString defaultPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("planner.ini"));
}

qint64 widthToTwips(qint64 pixels)
{
    return pixels * 15;
}

qint64 heightToTwips(qint64 pixels)
{
    return plant::roundHalfEven(double(pixels) * 14.8);
}

void read(const QString &path, RunContext &context)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw StartupError(QStringLiteral("設定ファイル「%1」が見つかりません。").arg(shown));
    // A device or a pipe would be read without end (or wait for a writer forever): only a
    // plain file of settings size is read.
    if (!info.isFile())
        throw StartupError(QStringLiteral("設定ファイル「%1」は通常のファイルではありません。").arg(shown));
    const auto tooLarge = [&shown] {
        return StartupError(QStringLiteral("設定ファイル「%1」が大きすぎます（%2 バイトまで）。")
                                .arg(shown, plant::thousands(MaxFileBytes)));
    };
    if (info.size() > MaxFileBytes)
        throw tooLarge();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StartupError(QStringLiteral("設定ファイル「%1」を読み込めません。\n%2").arg(shown, file.errorString()));
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes) // grew since it was looked at
        throw tooLarge();
    if (file.error() != QFileDevice::NoError)
        throw StartupError(QStringLiteral("設定ファイル「%1」を読み込めません。\n%2").arg(shown, file.errorString()));
    parse(QString::fromUtf8(bytes), path, context);
}

void parse(const QString &text, const QString &path, RunContext &context)
{
    FieldReader reader(text);
    reader.next(); // field 1 is not used
    if (reader.atEnd())
        throw StartupError(QStringLiteral("設定ファイル「%1」に%2がありません。")
                               .arg(QDir::toNativeSeparators(path), fieldLabel(2)));
    context.PlantCode = plantCodeField(reader.next(), path);

    // Fields 3 to 12: each only while the file still holds something.
    auto nextField = [&reader]() { return reader.atEnd() ? QString() : reader.next(); };
    context.KeepMachineOfUnplaced = int(numberField(nextField(), path, 3));
    numberField(nextField(), path, 4); // read and not used, but must still be a number
    context.MarkTentativeBars = int(numberField(nextField(), path, 5));
    context.ShowMoldOnBars = int(numberField(nextField(), path, 6));
    context.DayStartText = nextField();
    context.DayStartTime = dayStartField(context.DayStartText, path);
    context.WindowWidth = widthToTwips(numberField(nextField(), path, 8));
    context.WindowHeight = heightToTwips(numberField(nextField(), path, 9));
    context.DbUser = nextField();
    context.DbPassword = nextField();
    context.DbDataSource = nextField();
}

} // namespace settings
