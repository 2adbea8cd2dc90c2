#include "server/core/catalogo/CatalogoDiritti.h"

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CacheNegozio.h"

CatalogoDiritti CatalogoDiritti::Leggi(CAdoConnection* connection, const QVariant& idGruppo, const QVariant& idUtente)
{
    CatalogoDiritti diritti{idGruppo, idUtente, {}, {}};
    CAdoRecordset rs;
    CacheNegozio::Apri(rs,
                       QStringLiteral("SELECT Tipo, IDRecord FROM Permessi WHERE Tipo IN (0, 1) AND IDRecord IS NOT NULL "
                                      "AND (IDGruppo=? OR IDUtente=?) ORDER BY Tipo, IDRecord"),
                       connection, {idGruppo, idUtente});
    for (; !rs.IsEOF(); rs.MoveNext()) {
        QList<qint32>& elenco = rs.Field(QStringLiteral("Tipo")).toInt() == 0 ? diritti.categorie : diritti.prodotti;
        const qint32 id = rs.Field(QStringLiteral("IDRecord")).toInt();
        if (elenco.isEmpty() || elenco.last() != id)
            elenco << id;
    }
    return diritti;
}
