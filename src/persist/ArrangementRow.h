#pragma once
// One arrangement row (DB0253) while the save works on it: the row as read (or, for an
// arrangement that a split created, the row copied from the arrangement it was cut from)
// and the columns the save assigns. An existing row is written as an UPDATE of the assigned
// columns by its number, a new one as an INSERT of the whole row.

#include <QVariantMap>
#include <optional>

class SaveSession;

class ArrangementRow
{
public:
    // The stored arrangement `number` that the save is about to write, locked until the lot's
    // transaction ends and compared with what the plan read of it (see ElsewhereCheck).
    // Throws LotChangedElsewhere, or DbError when the plan never had the row.
    static ArrangementRow readForWriting(SaveSession &session, qint64 number);
    // The stored arrangement `number` as it stands, only to be looked at; nothing when it is
    // no longer in the table.
    static std::optional<ArrangementRow> readToCompare(SaveSession &session, qint64 number);
    // A new row copied column by column from the stored arrangement `source`, with the
    // columns of a fresh arrangement reset (no instruction sheet, no actuals, not completed).
    static ArrangementRow copyOf(SaveSession &session, qint64 source);

    bool isNew() const { return m_new; }

    QVariant value(const QString &column) const;
    // The value of a column named in lower case (no folding on the way).
    QVariant valueOfLowerCase(const QString &column) const { return m_values.value(column); }
    QString text(const QString &column) const;
    double number(const QString &column) const;
    qint64 integer(const QString &column) const;

    void set(const QString &column, const QVariant &value);
    // A text column taken from the lot. Memory keeps no difference between an empty text and
    // none, the plant's other programs do: a text that is empty or blank where the row holds
    // no text either (NULL, '' or blanks) leaves the row's own form; any other text is written
    // as it is, an empty one as '' and never as NULL.
    void setText(const QString &column, const QString &text);

    // Writes the row: the assigned columns of a stored row, or the whole new row.
    void write(SaveSession &session);

private:
    static std::optional<QVariantMap> readRowIfThere(SaveSession &session, qint64 number, const QString &statement);
    static QVariantMap readRow(SaveSession &session, qint64 number, const QString &statement);

    QVariantMap m_values;   // column names in lower case (PostgreSQL's folding)
    QVariantMap m_assigned;
    bool m_new = false;
};
