#pragma once
// The encodings an exported file can be written in: UTF-8 with a byte-order mark (so that a
// spreadsheet opens the Japanese right) and the Shift_JIS of Windows (code page 932), which
// plant offices still use. A character the encoding cannot hold is named, never dropped.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringConverter>
#include <optional>

enum class TextEncoding { Utf8, ShiftJis };

// "utf-8" or "shift_jis" (letter case, "utf8", "sjis" and "cp932" accepted too).
std::optional<TextEncoding> textEncodingNamed(const QString &name);
// "UTF-8" or "Shift_JIS", for messages.
QString textEncodingLabel(TextEncoding encoding);

class TextEncoder
{
public:
    explicit TextEncoder(TextEncoding encoding);
    TextEncoder(const TextEncoder &) = delete;
    TextEncoder &operator=(const TextEncoder &) = delete;

    TextEncoding encoding() const { return m_encoding; }
    // False when this build's Qt cannot write the encoding (Shift_JIS needs Qt with ICU).
    bool isValid() const { return m_encoder->isValid(); }
    // The bytes a file in this encoding starts with: the UTF-8 byte-order mark, or none.
    QByteArray byteOrderMark() const;

    // Appends `text` in the encoding to `out`. Each character the encoding cannot hold is
    // written as "?" and appended to `unmappable`.
    void append(QByteArray &out, QStringView text, QList<char32_t> &unmappable);

private:
    void restart();
    void appendByCharacter(QByteArray &out, QStringView text, QList<char32_t> &unmappable);

    TextEncoding m_encoding;
    std::optional<QStringEncoder> m_encoder;
};
