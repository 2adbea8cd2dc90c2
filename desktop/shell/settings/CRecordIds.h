#pragma once

#include <QtGlobal>

class CDaoRecordset;

// New row IDs on the desktop: the highest ID of the recordset's table + 1,
// 1 in an empty table. The recordset stays on the row it was on.
class CRecordIds
{
public:
    static qint32 NextID(CDaoRecordset& recordset);
};
