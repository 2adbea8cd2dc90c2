#include "server/core/catalogo/CatalogoFonteScontiAdo.h"

#include "server/core/CacheNegozio.h"
#include "server/core/catalogo/CatalogoScontiNegozio.h"
#include "server/core/catalogo/CatalogoSql.h"

#include "platform/ado/CAdoRecordset.h"

#include <stdexcept>

CatalogoFonteScontiAdo::CatalogoFonteScontiAdo(CAdoConnection* connessione) : m_connessione(connessione) {}

std::optional<CatalogoCliente> CatalogoFonteScontiAdo::Cliente(qint32 idUtente)
{
    if (m_utente != idUtente)
        m_prodotto = 0;   // the rows read belong to another customer (m_righePagina says whose it holds)
    m_utente = idUtente;
    if (const auto it = m_clienti.constFind(idUtente); it != m_clienti.constEnd())
        return *it;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT IDGruppo, ScontoPredefinito, ScontoPeriodo, ValiditaDal, ValiditaAl "
                           "FROM Clienti WHERE ID=?"),
            m_connessione, {idUtente});
    std::optional<CatalogoCliente> cliente;
    if (!rs.IsEOF()) {
        cliente = CatalogoCliente();
        cliente->gruppo = rs.Field(QStringLiteral("IDGruppo")).toInt();
        cliente->sconti = CatalogoRigaSconto::Sconti(rs);
    }
    m_clienti.insert(idUtente, cliente);
    return cliente;
}

std::optional<CatalogoScontoRiga> CatalogoFonteScontiAdo::Gruppo(qint32 idGruppo)
{
    if (const auto it = m_gruppi.constFind(idGruppo); it != m_gruppi.constEnd())
        return *it;
    CAdoRecordset rs;
    CacheNegozio::Apri(rs,
                       QStringLiteral("SELECT ScontoPredefinito, ScontoPeriodo, ValiditaDal, ValiditaAl FROM Gruppi WHERE ID=?"),
                       m_connessione, {idGruppo});
    std::optional<CatalogoScontoRiga> gruppo;
    if (!rs.IsEOF())
        gruppo = CatalogoRigaSconto::Sconti(rs);
    m_gruppi.insert(idGruppo, gruppo);
    return gruppo;
}

// A row belongs to a group or to a customer, never both: the editor writes
// -1 in the other column, and a row that holds 0 there (a column left to
// its default) is read the same way, so a group's row never becomes the
// anonymous visitor's, who is customer 0.
bool CatalogoFonteScontiAdo::DelTitolare(const CatalogoRigaSconto& riga, Titolare titolare, qint32 id)
{
    if (titolare == DelUtente)
        return riga.idUtente == id && riga.idGruppo <= 0;
    return id > 0 && riga.idGruppo == id;
}

const QVector<CatalogoRigaSconto>& CatalogoFonteScontiAdo::RigheDelProdotto(qint32 idProdotto)
{
    if (m_prodotto == idProdotto && m_utente)
        return m_righe;
    if (!m_utente)
        throw std::logic_error("Sconti del prodotto chiesti prima del cliente");
    const qint32 gruppo = m_clienti.value(*m_utente)->gruppo;
    m_righe.clear();
    if (m_pagina.contains(idProdotto)) {
        if (m_utentePagina != m_utente)
            LeggiPagina(*m_utente, gruppo);
        m_righe = m_righePagina.value(idProdotto);
    } else {
        // A customer or a group may have many rows, a product few: the "+"
        // keeps the engine on the product's and the categories' indexes.
        LeggiRighe(QStringLiteral("SELECT * FROM ScontiProdotto WHERE (+IDUtente=? OR +IDGruppo=?) AND (IDProdotto=? OR "
                                  "IDCategoria IN (SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=?)) "
                                  "ORDER BY ID"),
                   {*m_utente, gruppo, idProdotto, idProdotto},
                   [&](const CatalogoRigaSconto& riga) { m_righe.append(riga); });
    }
    m_prodotto = idProdotto;
    return m_righe;
}

void CatalogoFonteScontiAdo::LeggiRighe(const QString& sql, const QVariantList& parametri,
                                        const std::function<void(const CatalogoRigaSconto&)>& riga)
{
    CAdoRecordset rs;
    for (rs.Open(sql, m_connessione, parametri); !rs.IsEOF(); rs.MoveNext())
        riga(CatalogoRigaSconto::Leggi(rs));
}

void CatalogoFonteScontiAdo::ProdottiDellaPagina(const QList<qint32>& idProdotti)
{
    m_pagina.clear();
    for (const qint32 id : idProdotti)
        if (!m_pagina.contains(id))
            m_pagina.append(id);
    if (m_pagina.size() > CatalogoSql::kMassimoProdottiInsieme)
        m_pagina.clear();
    m_utentePagina.reset();
    m_righePagina.clear();
    m_prodotto = 0;
}

// The same rows, for each product in the same order, as the query of one
// product gives: a row on the product itself, or on one of its categories
// (a Null in the row matches nothing, as in SQL).
void CatalogoFonteScontiAdo::LeggiPagina(qint32 utente, qint32 gruppo)
{
    const QVariantList prodotti = CatalogoSql::Valori(m_pagina);
    const QString elenco = CatalogoSql::Segnaposti(m_pagina.size());
    QHash<qint32, QList<qint32>> categorie;
    QList<qint32> tutte;   // the page's categories, each once
    CAdoRecordset rs;
    // The same page is shown to many visitors: its products' categories are
    // kept with the shop's data.
    for (CacheNegozio::Apri(rs,
                            QStringLiteral("SELECT IDProdotto, IDCategoria FROM CategorieProdotti WHERE IDProdotto IN (%1)")
                                .arg(elenco),
                            m_connessione, prodotti);
         !rs.IsEOF(); rs.MoveNext()) {
        if (rs.IsNull(QStringLiteral("IDCategoria")))
            continue;
        const qint32 categoria = rs.Field(QStringLiteral("IDCategoria")).toInt();
        categorie[rs.Field(QStringLiteral("IDProdotto")).toInt()].append(categoria);
        if (!tutte.contains(categoria))
            tutte.append(categoria);
    }
    rs.Close();
    m_righePagina.clear();
    const auto assegna = [&](const CatalogoRigaSconto& riga) {
        for (const qint32 id : std::as_const(m_pagina))
            if ((!riga.prodottoNullo && riga.idProdotto == id)
                || (!riga.categoriaNulla && categorie.value(id).contains(riga.idCategoria)))
                m_righePagina[id].append(riga);
    };
    const auto negozio = CacheNegozio::Dato<CatalogoScontiNegozio>(
        QStringLiteral("ScontiProdotto"), m_connessione, [&] { return CatalogoScontiNegozio::Leggi(m_connessione); });
    if (negozio) {
        for (const CatalogoRigaSconto* riga : negozio->Righe(utente, gruppo, m_pagina, tutte))
            assegna(*riga);
    } else {
        // The categories just read are bound: the engine looks the rows up
        // by its indexes instead of scanning the table for a subquery.
        const QString suCategorie = tutte.isEmpty()
            ? QString()
            : QStringLiteral(" OR IDCategoria IN (%1)").arg(CatalogoSql::Segnaposti(tutte.size()));
        LeggiRighe(QStringLiteral("SELECT * FROM ScontiProdotto WHERE (+IDUtente=? OR +IDGruppo=?) AND (IDProdotto IN (%1)%2) "
                                  "ORDER BY ID")
                       .arg(elenco, suCategorie),
                   QVariantList{utente, gruppo} + prodotti + CatalogoSql::Valori(tutte), assegna);
    }
    m_utentePagina = utente;
}

std::optional<CatalogoScontoRiga> CatalogoFonteScontiAdo::RigaProdotto(Titolare titolare, qint32 id,
                                                                       qint32 idProdotto)
{
    for (const CatalogoRigaSconto& riga : RigheDelProdotto(idProdotto)) {
        if (DelTitolare(riga, titolare, id) && riga.idProdotto == idProdotto)
            return riga.sconti;
    }
    return std::nullopt;
}

QVector<CatalogoScontoRiga> CatalogoFonteScontiAdo::RigheCategorie(Titolare titolare, qint32 id, qint32 idProdotto)
{
    QVector<CatalogoScontoRiga> righe;
    for (const CatalogoRigaSconto& riga : RigheDelProdotto(idProdotto)) {
        // A row for the product itself may name no category; only rows on
        // one of the product's categories came back with a category.
        if (DelTitolare(riga, titolare, id) && riga.idCategoria != 0 && riga.idProdotto != idProdotto)
            righe.append(riga.sconti);
    }
    return righe;
}
