#pragma once
// Where a lot's arrangements are sent: a machine's instruction destination, or the first
// section of a department when the lot names only the department (one character). Changes
// the lot's SupplierCode and MachineCode in place, as the arrangement rows will carry them.

#include <QString>

class SaveSession;

struct LotDestination
{
    QString MachineCode;
    QString SupplierCode;
};

void resolveDestination(SaveSession &session, LotDestination &lot);

// A section's destination code: department "00", section "00" and eight blanks.
QString sectionDestinationCode(qint64 department, qint64 section);
