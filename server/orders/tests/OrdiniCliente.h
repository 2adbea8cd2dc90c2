#pragma once

#include "server/core/testing/CQtrTestShop.h"
#include "server/orders/Ordine.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <QSqlQuery>

#include <memory>
#include <tuple>

// A shop with two customers (10 and 20), an agent (30) whose customer is
// 20, and the orders each test adds; the visitor logs in as one of them.
// Orders, lines and consignees go in as rows, bound, as the checkout and
// the desk write them.
// A suite over both engines takes the engine as its parameter; a table of
// cases over both takes (engine, case).
template <class Parametro = CAdoConnection::Engine>
class OrdiniClienteDi : public ::testing::TestWithParam<Parametro>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }

    static CAdoConnection::Engine Motore(CAdoConnection::Engine motore) { return motore; }
    template <class Caso>
    static CAdoConnection::Engine Motore(const std::tuple<CAdoConnection::Engine, Caso>& p)
    {
        return std::get<0>(p);
    }

    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(Motore(this->GetParam()));
        m_shop->AddBasics();
        Cliente(10, "Bianchi", 1, 0);
        Cliente(20, "Verdi", 0, 30);
        Cliente(30, "Neri", 3, 0);
        auto& s = m_shop->Host().Session();
        s.SetValue("DbPath", m_shop->DbFolder());
        s.SetValue("ShareConn", false);
        s.SetValue("FCListino2Euro", 1.0);
        s.SetValue("OrderPageSize", 10);
        s.SetValue("ReorderPageSize", 10);
        s.SetValue("IDGruppo", 0);
        s.SetValue("IDAgente", 0);
        s.SetValue("ArrotondamentoListino", 0.01);
    }

    void Cliente(int id, const QString& cognome, int tipo, int agente, int idCliente = 0)
    {
        m_shop->Insert("Clienti", {{"ID", id}, {"Cognome", cognome}, {"Nome", "N" + cognome}, {"TipoUtente", tipo},
                                   {"IDAgente", agente}, {"IDCliente", idCliente}, {"IDGruppo", 0},
                                   {"RagioneSociale", "RS " + cognome}, {"Provincia", "PR" + cognome}});
    }

    void Ordine_(int id, int cliente, const QString& data, const QString& ora = "10:00:00", QVariantMap altro = {})
    {
        altro.insert("ID", id);
        altro.insert("IDCliente", cliente);
        altro.insert("NumOrdine", QString("202405%1").arg(id));
        altro.insert("Data", QDateTime::fromString(data + " 00:00:00", "yyyy-MM-dd HH:mm:ss"));
        altro.insert("Ora", QDateTime::fromString("1899-12-30 " + ora, "yyyy-MM-dd HH:mm:ss"));
        if (!altro.contains("CodiceLingua"))
            altro.insert("CodiceLingua", "it");
        if (!altro.contains("Cambio"))
            altro.insert("Cambio", 1.0);
        for (const char* zero : {"SpeseSpedizione", "SpeseContrassegno", "IVASpedizioni", "NumeroFattura"})
            if (!altro.contains(zero))
                altro.insert(zero, 0);
        for (const char* no : {"Pagato", "EsenzioneIVA", "Modificato"})
            if (!altro.contains(no))
                altro.insert(no, 0);
        if (!altro.contains("TipoPagamento"))
            altro.insert("TipoPagamento", "Bonifico");
        m_shop->Insert("Ordini", altro);
    }

    void Riga(int id, int ordine, int prodotto, double prezzo, double quantita, double evasa = 0, double iva = 0)
    {
        m_shop->Insert("OrdiniDettaglio", {{"ID", id}, {"IDOrdine", ordine}, {"IDProdotto", prodotto},
                                           {"CodiceProdotto", QString("P%1").arg(prodotto)},
                                           {"Nome", QString("Prodotto %1").arg(prodotto)}, {"Prezzo", prezzo},
                                           {"Quantita", quantita}, {"QuantitaEvasa", evasa}, {"Iva", iva},
                                           {"Peso", 0}, {"IDColore", 0}, {"Modificato", 0}});
    }

    void Collega(int cliente, int agente = 0)
    {
        auto& s = m_shop->Host().Session();
        s.SetValue("IDUtente", cliente);
        s.SetValue("IDAgente", agente);
        s.SetValue("UtenteCollegato", true);
    }

    ::Ordine* Pagina(const QList<QPair<QString, QString>>& query = {})
    {
        m_page = m_shop->NewPage();
        m_page->TestRequest().SetMethod("GET");
        for (const auto& [chiave, valore] : query)
            m_page->TestRequest().AddQueryString(chiave, valore);
        return m_page->Create<::Ordine>("QTR50.Ordine");
    }

    QVariant Session(const char* chiave) { return m_shop->Host().Session().Value(chiave); }

    int Conta(const QString& tabella)
    {
        QSqlQuery q = m_shop->Db().Run("SELECT COUNT(*) FROM " + tabella);
        q.next();
        return q.value(0).toInt();
    }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
};

using OrdiniCliente = OrdiniClienteDi<>;
