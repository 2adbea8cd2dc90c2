#include "desktop/orders/testing/OrdersFixture.h"

#include "recordset/CConfigurazioneSet.h"

OrdersFixture::OrdersFixture()
{
    Row(QStringLiteral("Valute"), {{"ID", 1}, {"Valuta", "Euro"}, {"Simbolo", "EUR"}, {"Cambio", 1}, {"Arrotondamento", 0.01}});
    // Through the table class: the company row has enciphered columns.
    CConfigurazioneSet config(&Db());
    config.m_bTracking = false;
    config.Open();
    config.AddNew();
    config.m_ID = 1;
    config.m_ValutaListino = 1;
    config.m_IDStatoRicevuto = 1;
    config.m_IDStatoEvaso = 2;
    config.m_RagioneSociale = QStringLiteral("Bottega Srl");
    config.Update();
    config.Close();
    Row(QStringLiteral("Lingue"), {{"ID", 1}, {"Codice", "it"}, {"Descrizione", "Italiano"}, {"Attivo", 1}});
    AddState(1, QStringLiteral("Ricevuto"), QStringLiteral("Received"));
    AddState(2, QStringLiteral("Spedito"), QStringLiteral("Shipped"));
    Row(QStringLiteral("Clienti"), {{"ID", 10}, {"Nome", "Mario"}, {"Cognome", "Rossi"}, {"RagioneSociale", ""},
                                    {"Indirizzo", "Via Roma 1"}, {"Cap", "20100"}, {"Localita", "Milano"},
                                    {"Provincia", "MI"}, {"Stato", "Italia"}, {"Telefono", "02 123"},
                                    {"Email", "mario@example.org"}, {"CFPI", "RSSMRA80A01F205X"},
                                    {"Cellulare", "3331234567"}, {"TipoUtente", 1}});
    Row(QStringLiteral("Clienti"), {{"ID", 11}, {"Nome", "Anna"}, {"Cognome", "Verdi"}, {"RagioneSociale", "Verdi Snc"},
                                    {"Indirizzo", "Via Po 2"}, {"Cap", "10100"}, {"Localita", "Torino"},
                                    {"Provincia", "TO"}, {"Stato", "Italia"}, {"IDCliente", 10}, {"TipoUtente", 4}});
    Row(QStringLiteral("ProdottiColori"), {{"ID", 7}, {"IDProdotto", 5}, {"Codice", "RS"}, {"Descrizione", "Rosso"}});

    AddOrder(kFirst, {{"NumOrdine", "2024031000000001"}, {"RagioneSociale", "Rossi Ditta"}, {"Nome", "Mario"},
                      {"Cognome", "Rossi"}, {"Indirizzo", "Via Roma 1"}, {"Localita", "Milano"},
                      {"DNome", "Luigi"}, {"DCognome", "Bianchi"}, {"DIndirizzo", "Via Verdi 3"},
                      {"TipoPagamento", "CartaCredito"}, {"AutorizzazioneCartaCredito", "A123"},
                      {"SpeseSpedizione", 7.5}, {"IVASpedizioni", 22}, {"NColli", 2},
                      {"Stati", "10/03/2024#10:15#Ricevuto|11/03/2024#09:00#In lavorazione|"}, {"Note", "Citofono 4"}});
    AddLine(1, kFirst, 10.0, 2, 0, 22, QStringLiteral("P1"), 7);
    AddLine(2, kFirst, 5.5, 1, 0, 10, QStringLiteral("P2"));
    AddOrder(kSecond, {{"NumOrdine", "2024031000000002"}, {"IDDestinatario", 11}, {"TipoPagamento", "Contrassegno"},
                       {"SpeseSpedizione", 5}, {"SpeseContrassegno", 4}, {"IVASpedizioni", 22}});
    AddLine(3, kSecond, 100.0, 1, 0, 22);
    AddOrder(kThird, {{"NumOrdine", "2024031000000003"}, {"Nome", "Carla"}, {"NumeroFattura", 3},
                      {"DataFattura", "2024-03-12 00:00:00"}, {"EsenzioneIVA", 1}, {"TipoPagamento", "Bonifico"}});
    AddLine(4, kThird, 20.0, 1, 1, 22);
    ClearModified();
}

void OrdersFixture::AddOrder(qint32 id, const Values& extra)
{
    Values values{{"ID", id}, {"IDCliente", 10}, {"Data", "2024-03-10 00:00:00"}, {"Ora", "1899-12-30 10:15:00"},
                  {"CodiceLingua", "en"}};
    values.append(extra);
    Row(QStringLiteral("Ordini"), values);
}

void OrdersFixture::AddLine(qint32 id, qint32 order, double price, float quantity, float shipped, float vat,
                            const QString& code, qint32 colour)
{
    Row(QStringLiteral("OrdiniDettaglio"),
        {{"ID", id}, {"IDOrdine", order}, {"CodiceProdotto", code}, {"Descrizione", code + QStringLiteral(" descr")},
         {"Prezzo", price}, {"Quantita", quantity}, {"QuantitaEvasa", shipped}, {"Iva", vat}, {"IDColore", colour},
         {"IDProdotto", 5}});
}

void OrdersFixture::AddState(qint32 id, const QString& it, const QString& en)
{
    Row(QStringLiteral("StatoOrdini"), {{"ID", id}});
    Row(QStringLiteral("StatoOrdiniLingue"), {{"ID", id * 10}, {"IDCodice", id}, {"CodiceLingua", "it"}, {"Testo", it}});
    Row(QStringLiteral("StatoOrdiniLingue"),
        {{"ID", id * 10 + 1}, {"IDCodice", id}, {"CodiceLingua", "en"}, {"Testo", en}});
}

void OrdersFixture::ClearModified()
{
    for (const char* table : {"Ordini", "OrdiniDettaglio", "Configurazione", "StatoOrdini", "StatoOrdiniLingue"})
        Db().Execute(QStringLiteral("UPDATE %1 SET Modificato=0").arg(QLatin1String(table)));
}
