#include "CdShop.h"

CdShop::CdShop()
{
    Row("Gruppi", {{"ID", 1}, {"Nome", "Rivenditori"}});
    Row("Gruppi", {{"ID", 2}, {"Nome", "Privati"}});
    Row("Gruppi", {{"ID", 3}, {"Nome", "Vuoto"}});
    Row("Clienti", {{"ID", 0}, {"TipoUtente", 1}, {"IDGruppo", 0}});
    Row("Clienti", {{"ID", 10}, {"TipoUtente", 0}, {"IDGruppo", 1}, {"UserID", "rossi"}, {"Cognome", "Rossi"},
                    {"RagioneSociale", "Rossi srl"}, {"Password", "segreta"}});
    Row("Clienti", {{"ID", 11}, {"TipoUtente", 4}, {"IDCliente", 10}, {"Cognome", "Magazzino Rossi"}});
    Row("Clienti", {{"ID", 20}, {"TipoUtente", 1}, {"IDGruppo", 2}, {"UserID", "bianchi"}, {"Cognome", "Bianchi"},
                    {"Nome", "Anna"}});
    Row("Clienti", {{"ID", 21}, {"TipoUtente", 4}, {"IDCliente", 20}, {"Cognome", "Casa Bianchi"}});
    for (int id : {1, 2, 3})
        Row("Categorie", {{"ID", id}});
    for (int id : {100, 101, 102, 103})
        Row("Prodotti", {{"ID", id}, {"IDProdottoBase", 0}, {"Codice", QStringLiteral("P%1").arg(id)}});
    Row("Prodotti", {{"ID", 104}, {"IDProdottoBase", 101}, {"Codice", "P104"}});
    int link = 1;
    for (auto [category, product] : {std::pair{1, 100}, {1, 101}, {2, 102}, {1, 103}, {3, 103}})
        Row("CategorieProdotti", {{"ID", link++}, {"IDCategoria", category}, {"IDProdotto", product}});
    for (int id : {1, 2})
        Row("Sezioni", {{"ID", id}});
    for (int id : {500, 501, 502})
        Row("Articoli", {{"ID", id}});
    for (auto [section, article] : {std::pair{1, 500}, {2, 501}, {1, 502}})
        Row("SezioniArticoli", {{"ID", link++}, {"IDSezione", section}, {"IDArticolo", article}});
    // Rights: Tipo 0 category, 1 product, 2 section, 3 article.
    const QVariant none;
    int right = 1;
    auto hideFromGroup = [&](int kind, int record, int group) {
        Row("Permessi", {{"ID", right++}, {"Tipo", kind}, {"IDRecord", record}, {"IDGruppo", group}, {"IDUtente", none}});
    };
    auto hideFromCustomer = [&](int kind, int record, int customer) {
        Row("Permessi", {{"ID", right++}, {"Tipo", kind}, {"IDRecord", record}, {"IDGruppo", none}, {"IDUtente", customer}});
    };
    hideFromGroup(1, 101, 1);
    hideFromGroup(0, 2, 2);
    hideFromCustomer(0, 3, 10);
    hideFromGroup(2, 2, 2);
    hideFromCustomer(3, 502, 10);
    Row("Ordini", {{"ID", 900}, {"IDCliente", 10}, {"NumOrdine", "2024010900"}, {"Data", "2024-01-15 10:00:00"}});
    Row("Ordini", {{"ID", 901}, {"IDCliente", 20}, {"NumOrdine", "2024020901"}, {"Data", "2024-02-03 10:00:00"}});
    Row("OrdiniDettaglio", {{"ID", 1}, {"IDOrdine", 900}, {"IDProdotto", 100}});
    Row("OrdiniDettaglio", {{"ID", 2}, {"IDOrdine", 901}, {"IDProdotto", 101}});
    Row("Configurazione", {{"ID", 1}, {"RagioneSociale", "Bottega"}, {"CodiceUtente", "bottega"},
                           {"Password", "x"}, {"CodiceEsercente", "M1"}, {"TID", "T1"},
                           {"UserIDProxy", "proxy"}, {"PasswordProxy", "p"}});
    Row("StatoOrdini", {{"ID", 1}});
    Row("RecordsEliminati", {{"NomeTabella", "Prodotti"}, {"IDRecord", 7}});
}

QList<qint32> CdShop::Ids(const QString& table)
{
    QList<qint32> ids;
    for (const QVariant& id : Column(QStringLiteral("SELECT ID FROM %1 ORDER BY ID").arg(table)))
        ids.append(id.toInt());
    return ids;
}
