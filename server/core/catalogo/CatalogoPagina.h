#pragma once

#include "platform/ado/CAdoRecordset.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class CAdoConnection;

// What a page of the catalogue shows of each of its products beside the
// product row, read for the whole page instead of with queries of every
// product: its rows in the visitor's language and in the shop's default
// language (one query for both), and its number of active colours (kept
// with the shop's data, as many visitors see the same page). Answers
// only for the page's products and the languages it was read for; for
// anything else the caller reads the product alone.
class CatalogoPagina
{
public:
    void Leggi(CAdoConnection* connessione, const QList<qint32>& idProdotti, const QString& lingua,
               const QString& predefinita);
    void Chiudi();

    // The row the visitor's language, else the default one, gives the
    // product (nullptr: it has none); nothing when the page cannot say.
    std::optional<const CAdoRecordset*> RigaLingua(qint32 idProdotto, const QString& lingua,
                                                   const QString& predefinita);
    std::optional<int> NumeroColori(qint32 idProdotto) const;

private:
    void LeggiLingue(CAdoConnection* connessione);

    QList<qint32> m_prodotti;
    QString m_lingua;
    QString m_predefinita;
    CAdoRecordset m_righe;                       // both languages' rows
    QHash<qint32, int> m_posizioniLingua;        // product -> its first row, 1-based
    QHash<qint32, int> m_posizioniPredefinite;
    QHash<qint32, int> m_colori;
};
