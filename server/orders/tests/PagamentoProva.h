#pragma once

#include "server/orders/OrdinePagamentoCarta.h"
#include "server/orders/OrdineScrittura.h"
#include "server/orders/tests/PaginaOrdineProva.h"
#include "server/orders/tests/ProdottiProva.h"

#include "platform/ado/CAdoRecordset.h"

#include <QLocale>

// A shop whose visitor has just placed a card order of 168.60 (3 books of
// 50.00, VAT 10%, shipping 3.00 with VAT 20%), beside another customer's
// card order; request passwords P1 and P2 pair with answer passwords R1
// and R2 (the same ID, as the bank's files give them).
class PagamentoBase : public PaginaOrdineProva
{
protected:
    static constexpr qint32 kAltroOrdine = 1000000500;

    void Prepara(CAdoConnection::Engine engine)
    {
        QLocale::setDefault(QLocale::c());
        m_shop = std::make_unique<CQtrTestShop>(engine);
        m_shop->AddBasics();
        InserisciProdotto(*m_shop, 2, "Libro", 50, 10, 0.5, {{"Codice", "LIB"}});
        InserisciProdotto(*m_shop, 3, "Segnalibro", 4, 10, 0.1, {{"Codice", "SEG"}});
        m_shop->Insert("SpeseSpedizione", {{"ID", 5}, {"Descrizione", "Affrancata"}, {"Limite1", 0.0}, {"Prezzo1", 3.0},
                                           {"EsenzioneIVA", 0}});
        m_shop->Insert("Clienti", {{"ID", 8}, {"Cognome", "Neri"}, {"TipoUtente", 1}});
        m_shop->Insert("Ordini", {{"ID", kAltroOrdine}, {"NumOrdine", "2026011000000500"}, {"IDCliente", 8},
                                  {"TipoPagamento", "CartaCredito"}});
        for (int i = 1; i <= 2; ++i) {
            m_shop->Insert("OTPRichieste", {{"ID", i}, {"Password", QStringLiteral("P%1").arg(i)}});
            m_shop->Insert("OTPRisposte", {{"ID", i}, {"Password", QStringLiteral("R%1").arg(i)}});
        }
        ImpostaNegozio();
        const QVariantMap visitatore = {
            {"Basket", "#2|3|0||0|"}, {"DimBasket", 1}, {"IDSpese", 5}, {"CognomeUtente", "Bianchi"},
            {"EmailUtente", ""}, {"EmailOrdini", ""}, {"TipoPagamento", "CartaCredito"}};
        for (auto it = visitatore.begin(); it != visitatore.end(); ++it)
            Set(it.key(), it.value());
        OrdinePagamentoCarta::ImpostaIndirizzoBanca("https://banca.test/");
        m_numOrd = Ordina();
        m_idOrdine = OrdineScrittura::IDDaNumeroOrdine(m_numOrd);
    }

    // The shop's settings, as every new Session gets them.
    void ImpostaNegozio()
    {
        const QVariantMap negozio = {
            {"DbPath", m_shop->DbFolder()}, {"ShareConn", false}, {"CodiceLingua", "it"},
            {"CodiceLinguaPredefinita", "it"}, {"IDListino", 0}, {"IDGruppo", 0}, {"FCListino2Euro", 1.0},
            {"FCEuro2Web", 1.0}, {"Arrotondamento", 0.01}, {"ArrotondamentoListino", 0.01}, {"SimboloValuta", "€"},
            {"IvaSpedizioni", 20.0}, {"PesoImballo", 0.0}, {"TipoPesoImballo", 0},
            {"CodiceEsercente", "BOTTEGA01"}, {"TID", "100"}, {"ValutaBancaSella", 242}, {"AttivaCartaCredito", true}};
        for (auto it = negozio.begin(); it != negozio.end(); ++it)
            Set(it.key(), it.value());
    }

    // The Session's basket sent as an order, without mails.
    QString Ordina()
    {
        m_shop->Host().SetLocalMode(true);
        Pagina()->NotificaEsercente();
        m_shop->Host().SetLocalMode(false);
        return Session("NumOrd").toString();
    }

    // The Session ends while the shopper is at the bank; the return comes
    // in a new one.
    void SessioneScaduta()
    {
        m_shop->Host().NewSession();
        ImpostaNegozio();
    }

    QString Autorizzazione(qint32 idOrdine)
    {
        CAdoRecordset rs;
        rs.Open("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=?", &m_shop->Db(), {idOrdine});
        return rs.IsEOF() ? QString("<none>") : rs.Field("AutorizzazioneCartaCredito").toString();
    }
    QStringList Password(const QString& tabella)
    {
        QStringList p;
        CAdoRecordset rs;
        for (rs.Open("SELECT Password FROM " + tabella + " ORDER BY ID", &m_shop->Db()); !rs.IsEOF(); rs.MoveNext())
            p << rs.Field("Password").toString();
        return p;
    }
    // What the bank was asked, request by request: order ID, request ID, amount.
    QStringList Richieste()
    {
        QStringList r;
        CAdoRecordset rs;
        for (rs.Open("SELECT IDOrdine, IDRichiesta, Importo FROM PagamentiCarta ORDER BY ID", &m_shop->Db());
             !rs.IsEOF(); rs.MoveNext())
            r << QStringLiteral("%1/%2/%3")
                     .arg(rs.Field("IDOrdine").toInt())
                     .arg(rs.Field("IDRichiesta").toInt())
                     .arg(rs.Field("Importo").toString());
        return r;
    }

    QString m_numOrd;
    qint32 m_idOrdine = 0;
};
