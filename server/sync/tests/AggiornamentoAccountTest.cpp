#include "platform/ado/CAdoConnection.h"
#include "platform/password/CPasswordHash.h"
#include "platform/testing/TempFolder.h"
#include "server/core/Funzioni.h"
#include "server/core/QtrTentativiAccesso.h"
#include "server/sync/AggiornamentoAccesso.h"
#include "server/sync/AggiornamentoAccount.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(HostAccounts, AShopAddedAndGivenAPasswordLogsInWithItOnly)
{
    TempFolder host;
    AggiornamentoAccount accounts(host.FilePath("db"));
    accounts.AggiungiNegozio("bottega", "bottega");
    EXPECT_THROW(accounts.AggiungiNegozio("bottega", "altra"), std::invalid_argument);
    for (const char* folder : {"..", "../x", "a/b", "", "/etc"})
        EXPECT_THROW(accounts.AggiungiNegozio("nuovo", folder), std::invalid_argument) << folder;
    EXPECT_THROW(accounts.ImpostaPassword("nessuno", "x"), std::invalid_argument);

    CAdoConnection db;
    db.Open(Funzioni::StringaConnessione(host.FilePath("db")));
    // An account without a password yet admits nobody.
    EXPECT_FALSE(AggiornamentoAccesso::Controlla(db, "bottega", "").riuscito);

    accounts.ImpostaPassword("bottega", "prima");
    EXPECT_TRUE(AggiornamentoAccesso::Controlla(db, "bottega", "prima").riuscito);
    accounts.ImpostaPassword("bottega", "seconda");
    // The remembered login of the old password is forgotten with it.
    EXPECT_FALSE(AggiornamentoAccesso::Controlla(db, "bottega", "prima").riuscito);
    const AggiornamentoAccesso::Esito esito = AggiornamentoAccesso::Controlla(db, "bottega", "seconda");
    EXPECT_TRUE(esito.riuscito);
    EXPECT_EQ(esito.cartella, "bottega");
    EXPECT_EQ(AggiornamentoAccesso::Controlla(db, "ignoto", "x").errore, "Utente sconosciuto!");

    // The password is stored as a hash, never as typed.
    QSqlQuery stored = db.Run("SELECT Password FROM Utenti WHERE CodiceUtente=?", {"bottega"});
    ASSERT_TRUE(stored.next());
    EXPECT_TRUE(CPasswordHash::IsHash(stored.value(0).toString()));
}

// Guessing an account's password pauses it after five failures: a login
// meanwhile is refused at once with the refusal's own words, the right
// password included, and the pause ends by itself. Nothing sleeps.
TEST(HostAccounts, FailedLoginsPauseTheAccountInsteadOfSleeping)
{
    qint64 adesso = 1000000;
    QtrTentativiAccesso::Sincronizzazione().Dimentica();
    QtrTentativiAccesso::ImpostaOrologio([&] { return adesso; });
    TempFolder host;
    AggiornamentoAccount accounts(host.FilePath("db"));
    accounts.AggiungiNegozio("bottega", "bottega");
    accounts.ImpostaPassword("bottega", "giusta");
    CAdoConnection db;
    db.Open(Funzioni::StringaConnessione(host.FilePath("db")));

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(AggiornamentoAccesso::Controlla(db, "bottega", "no", "192.0.2.1").errore, "Password errata!");
    const AggiornamentoAccesso::Esito sospeso = AggiornamentoAccesso::Controlla(db, "bottega", "giusta", "192.0.2.2");
    EXPECT_FALSE(sospeso.riuscito);
    EXPECT_EQ(sospeso.errore, "Password errata!");
    adesso += 1001;
    EXPECT_TRUE(AggiornamentoAccesso::Controlla(db, "bottega", "giusta", "192.0.2.2").riuscito);

    // Unknown accounts count for their address like wrong passwords.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(AggiornamentoAccesso::Controlla(db, "ignoto" + QString::number(i), "x", "203.0.113.5").errore,
                  "Utente sconosciuto!");
    EXPECT_FALSE(AggiornamentoAccesso::Controlla(db, "bottega", "giusta", "203.0.113.5").riuscito);
    EXPECT_TRUE(AggiornamentoAccesso::Controlla(db, "bottega", "giusta", "203.0.113.6").riuscito);
    QtrTentativiAccesso::ImpostaOrologio(nullptr);
    QtrTentativiAccesso::Sincronizzazione().Dimentica();
}

} // namespace
