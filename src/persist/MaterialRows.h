#pragma once
// The material requirement rows (DB0252) of one arrangement, rebuilt from the lot's
// requirement entries and the item's bill of material (DB0383).

#include <QString>
#include <QVariant>

class SaveSession;
struct PlanRecord;

struct MaterialTarget
{
    qint64 ArrangementNo = 0; // the slot's arrangement (its new number for a split one)
    qint64 Quantity = 0;      // the slot's quantity; 0 deletes the materials
    QVariant PlantCode;       // the arrangement's 生産工場コード
    QString ItemCode;         // the arrangement's 品名コード as stored
    qint64 Sequence = 0;      // its 順序
    qint64 PlanNo = 0;        // its 生産計画番号
};

// Rewrites the materials when the lot's list was edited (SaveMark, no receipts yet: the old
// rows are marked deleted first) or when the lot has received quantities. Otherwise the
// arrangement's rows follow its pieces: with no pieces left (merged away) they are marked
// deleted, and when the save writes `writtenQuantity` pieces where the row held
// `storedQuantity` (a merge or a split moved pieces), their 必要数 are scaled with them. The
// plant's material demand thus stays what it was, only placed with the pieces.
void rewriteMaterials(SaveSession &session, const PlanRecord &lot, const MaterialTarget &target,
                      double storedQuantity, double writtenQuantity);

// Copies every requirement row of the stored arrangement `source` to the new arrangement
// `number`. A row the database keeps refusing ends the copy of this arrangement with the
// plant's message; the rest of the save goes on.
void copyRequirements(SaveSession &session, qint64 source, qint64 number);
