#include "server/core/ricerca/RicercaDiritti.h"

QString RicercaDiritti::Clausola(const QString& tipo, const QString& id, const QVariant& idGruppo,
                                 const QVariant& idUtente, QVariantList& parametri)
{
    parametri << idGruppo << idUtente;
    return QStringLiteral(
               " AND NOT EXISTS (SELECT * FROM Permessi WHERE (Permessi.IDGruppo=? OR Permessi.IDUtente=?) AND ("
               "(%1 IN (0, 1, 2, 3) AND Permessi.Tipo=%1 AND Permessi.IDRecord=%2)"
               " OR (%1=1 AND Permessi.Tipo=0 AND Permessi.IDRecord IN "
               "(SELECT IDCategoria FROM CategorieProdotti WHERE CategorieProdotti.IDProdotto=%2))"
               " OR (%1=3 AND Permessi.Tipo=2 AND Permessi.IDRecord IN "
               "(SELECT IDSezione FROM SezioniArticoli WHERE SezioniArticoli.IDArticolo=%2))))")
        .arg(tipo, id);
}
