#pragma once

#include "server/core/catalogo/CatalogoRigaSconto.h"
#include "server/core/catalogo/ICatalogoFonteSconti.h"

#include <QHash>
#include <QList>
#include <QVariantList>

#include <functional>

class CAdoConnection;
class CAdoRecordset;

// The discount rows of the shop database. The customer's and the group's
// records are read once per catalogue object, as a page asks for them with
// every product it prices; the product's rows of the customer and of his
// group, by product and by category, come in one query per product, or,
// for the products of the page being listed, in one query for them all
// when the first of them is priced; where the shop's data are kept, from
// the whole table kept with them.
class CatalogoFonteScontiAdo : public ICatalogoFonteSconti
{
public:
    explicit CatalogoFonteScontiAdo(CAdoConnection* connessione);

    std::optional<CatalogoCliente> Cliente(qint32 idUtente) override;
    std::optional<CatalogoScontoRiga> Gruppo(qint32 idGruppo) override;
    std::optional<CatalogoScontoRiga> RigaProdotto(Titolare titolare, qint32 id, qint32 idProdotto) override;
    QVector<CatalogoScontoRiga> RigheCategorie(Titolare titolare, qint32 id, qint32 idProdotto) override;

    // The products of the page about to be listed (those after them are
    // read one by one).
    void ProdottiDellaPagina(const QList<qint32>& idProdotti);

private:
    const QVector<CatalogoRigaSconto>& RigheDelProdotto(qint32 idProdotto);
    void LeggiRighe(const QString& sql, const QVariantList& parametri,
                    const std::function<void(const CatalogoRigaSconto&)>& riga);
    void LeggiPagina(qint32 utente, qint32 gruppo);
    static bool DelTitolare(const CatalogoRigaSconto& riga, Titolare titolare, qint32 id);

    CAdoConnection* m_connessione;
    std::optional<qint32> m_utente;   // the last customer asked for
    qint32 m_prodotto = 0;
    QVector<CatalogoRigaSconto> m_righe;      // m_prodotto's rows of m_utente and his group
    QHash<qint32, std::optional<CatalogoCliente>> m_clienti;
    QHash<qint32, std::optional<CatalogoScontoRiga>> m_gruppi;
    QList<qint32> m_pagina;                           // the page's products, each once
    std::optional<qint32> m_utentePagina;             // whose rows m_righePagina holds
    QHash<qint32, QVector<CatalogoRigaSconto>> m_righePagina;
};
