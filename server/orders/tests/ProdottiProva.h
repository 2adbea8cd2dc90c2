#pragma once

#include "server/core/testing/CQtrTestShop.h"

#include "platform/utilities/QtrCipher.h"

// A product on sale with its Italian name and list price, for the basket's
// tests; colonne adds or replaces columns of its Prodotti row.
inline void InserisciProdotto(CQtrTestShop& shop, int id, const QString& nome, double prezzo, double iva, double peso,
                              QVariantMap colonne = {})
{
    colonne.insert("ID", id);
    colonne.insert("IDProdottoBase", 0);
    colonne.insert("Ordine", id);
    colonne.insert("IVA", iva);
    colonne.insert("Peso", peso);
    if (!colonne.contains("Attivo"))
        colonne.insert("Attivo", 1);
    shop.Insert("Prodotti", colonne);
    shop.Insert("ProdottiLingue", {{"ID", id}, {"IDProdotto", id}, {"CodiceLingua", "it"}, {"Nome", Encrypt(nome)},
                                   {"Prezzo", prezzo}});
}
