#include "server/core/CursoreRighe.h"

#include "platform/ado/CAdoRecordset.h"

bool CursoreRighe::Avanza(CAdoRecordset& rs, bool chiudiAllaFine)
{
    if (!rs.IsOpen())
        return false;
    rs.MoveNext();
    if (!rs.IsEOF())
        return true;
    if (chiudiAllaFine)
        rs.Close();
    return false;
}
