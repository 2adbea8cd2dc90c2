#include "server/members/tests/MembriProva.h"

#include "platform/mail/CMailQueue.h"
#include "platform/testing/TempFolder.h"
#include "recordset/schema/QtrIdAllocator.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpServer>

#include <functional>

namespace {

using Campi = QList<QPair<QString, QString>>;

// A private customer's form that passes the default rules.
Campi Modulo(const Campi& altro = {})
{
    Campi campi = {{"RagioneSociale", "Casa Nuova"}, {"Cognome", "Verdi"},   {"Nome", "Giulia"},
                   {"Indirizzo", "Via Roma 2"},      {"Cap", "20100"},       {"Localita", "Milano"},
                   {"Provincia", "MI"},              {"Stato", "Italia"},    {"Email", "giulia@esempio.test"},
                   {"TipoUtente", "1"},              {"Submit", "Registrati"}};
    for (const auto& [k, v] : altro) {
        bool sostituito = false;
        for (auto& campo : campi)
            if (campo.first == k) {
                campo.second = v;
                sostituito = true;
            }
        if (!sostituito)
            campi.append({k, v});
    }
    return campi;
}

class Registrazione : public MembriProva
{
protected:
    int Registra(const Campi& campi, bool flagUserID = true, bool permessi = false)
    {
        m_area = Pagina(campi);
        return m_area->RegistraUtente(QString(), flagUserID, permessi);
    }

    qint32 Nuovo() { return Valore("SELECT MAX(ID) AS M FROM Clienti", {}, "M").toInt(); }

    // The mail to an address, or an empty object.
    QJsonObject PostaPer(const QList<QJsonObject>& posta, const QString& indirizzo)
    {
        for (const QJsonObject& m : posta)
            if (m.value("rcpt_tos").toVariant().toStringList().join(",").contains(indirizzo))
                return m;
        return {};
    }

    AreaRiservata* m_area = nullptr;
};

// A new customer: his own row in the shop's range of IDs, his kind from
// the form but no group and no agent of the request's, a generated user ID
// and password kept as a hash, his interests, and the two mails: the
// password in the member's own only.
TEST_P(Registrazione, ANewCustomerIsStoredWithHisCredentialsMailedToHimAlone)
{
    ASSERT_EQ(Registra(Modulo({{"IDGruppo", "7"}, {"IDAgente", "30"}, {"INT1", "on"}, {"INT3", "on"},
                               {"ImpostaInteressi", "1"}, {"Note", "Consegna al mattino"}})),
              0)
        << m_area->Errore.toStdString();
    const qint32 id = Nuovo();
    EXPECT_GT(id, QtrIdAllocator::kDesktopLimit);
    EXPECT_EQ(Colonna(id, "TipoUtente").toInt(), 1);
    EXPECT_EQ(Colonna(id, "IDGruppo").toInt(), 0);
    EXPECT_EQ(Colonna(id, "IDAgente").toInt(), 0);
    EXPECT_EQ(Colonna(id, "Cognome").toString(), "Verdi");
    EXPECT_EQ(Colonna(id, "CodiceLingua").toString(), "it");
    EXPECT_EQ(Colonna(id, "Modificato").toInt(), 1);
    const QString userID = Colonna(id, "UserID").toString();
    EXPECT_EQ(userID, "gverdi");
    EXPECT_TRUE(m_area->FlagUserID);
    EXPECT_EQ(m_area->UserID, userID);
    EXPECT_EQ(m_area->PasswordGenerata, "");
    EXPECT_EQ(Conta("InteressiUtenti", QString("IDUtente=%1").arg(id)), 2);
    EXPECT_EQ(Conta("InteressiUtenti", QString("IDUtente=%1 AND ID>1000000000 AND Modificato=1").arg(id)), 2);
    EXPECT_EQ(Session("CognomeUR").toString(), "");   // cleared after the save
    EXPECT_EQ(Session("INT1").toString(), "OK");

    const QList<QJsonObject> posta = s_smtp->WaitForMessages(2);
    ASSERT_EQ(posta.size(), 2);
    const QJsonObject esercente = PostaPer(posta, "info@bottega.test");
    const QJsonObject cliente = PostaPer(posta, "giulia@esempio.test");
    ASSERT_FALSE(esercente.isEmpty());
    ASSERT_FALSE(cliente.isEmpty());
    const QString corpoEsercente = esercente.value("body").toString();
    const QString corpoCliente = cliente.value("body").toString();
    EXPECT_EQ(Intestazione(esercente, "Subject"), "Registrazione utente");
    EXPECT_TRUE(corpoEsercente.contains("T:PMTCOGNOME: Verdi")) << corpoEsercente.toStdString();
    EXPECT_TRUE(corpoEsercente.contains("T:PMTNOMEUTENTE: gverdi"));
    EXPECT_TRUE(corpoEsercente.contains("Consegna al mattino"));
    EXPECT_FALSE(corpoEsercente.contains("T:PMTPASSWORD"));
    EXPECT_EQ(Intestazione(cliente, "Subject"), "T:MSGOGGETTOCONFREG");
    const qsizetype at = corpoCliente.indexOf("T:PMTPASSWORD: ");
    ASSERT_GE(at, 0) << corpoCliente.toStdString();
    const QString password = corpoCliente.mid(at + 15, 6);
    EXPECT_TRUE(corpoCliente.startsWith("T:MSGCONFERMAREG"));
    EXPECT_TRUE(CPasswordHash::IsHash(Colonna(id, "Password").toString()));
    EXPECT_FALSE(corpoEsercente.contains(password));
    EXPECT_TRUE(Accedi(userID, password));
    EXPECT_EQ(QtrVisitatore::Cliente(Sessione()), id);
}

// A form with a fault stores nothing and keeps what was typed; a
// cancelled one keeps the typed values and stores nothing either.
TEST_P(Registrazione, ARefusedOrCancelledFormStoresNothing)
{
    const QStringList prima = Clienti();
    ASSERT_EQ(Registra(Modulo({{"Cap", ""}, {"RagioneSociale", ""}})), 2);
    EXPECT_EQ(m_area->Errore, "T:ERRRAGIONESOCIALE");
    EXPECT_EQ(m_area->Cognome, "Verdi");
    EXPECT_EQ(Session("CognomeUR").toString(), "Verdi");
    EXPECT_EQ(Pagina({}, "GET")->Cognome, "Verdi");   // the next page shows it again
    EXPECT_EQ(Registra(Modulo({{"Submit", "Annulla"}})), 1);
    EXPECT_EQ(Registra(Modulo({{"Annulla.x", "4"}, {"Annulla.y", "7"}})), 1);
    m_area = Pagina(Modulo({{"Annulla.x", "4"}, {"Cap", ""}}), "GET");
    EXPECT_EQ(m_area->RegistraUtente(QString(), true, false), 2);   // only a posted image button cancels
    EXPECT_EQ(m_area->Errore, "T:ERRCAP");
    Sessione().SetValue("LunghezzaMinimaPassword", 6);
    ASSERT_EQ(Registra(Modulo({{"Password", "abc"}, {"ConfermaPassword", "abc"}})), 2);
    EXPECT_EQ(m_area->Errore, "T:almeno 6");   // a new customer's password is checked too
    EXPECT_EQ(Clienti(), prima);
    EXPECT_TRUE(s_smtp->Messages().isEmpty());
}

// The request names no group and no kind but a visitor's: a forged kind
// is refused, a group in the request is ignored; the group is the one the
// shop set for registrations.
TEST_P(Registrazione, KindAndGroupNeverComeFromTheRequest)
{
    const QStringList prima = Clienti();
    for (const char* tipo : {"3", "4", "-1", "1 OR 1=1", "9999999999", "1.5"}) {
        EXPECT_EQ(Registra(Modulo({{"TipoUtente", tipo}})), 2) << tipo;
        EXPECT_EQ(m_area->Errore, "T:PMTRICHIESTANONVALIDA") << tipo;
    }
    EXPECT_EQ(Clienti(), prima);
    Sessione().SetValue("IDGruppoRegistrazione", 7);
    ASSERT_EQ(Registra(Modulo({{"TipoUtente", "0"}, {"IDGruppo", "99"}}), false), 0);
    const qint32 id = Nuovo();
    EXPECT_EQ(Colonna(id, "IDGruppo").toInt(), 7);
    EXPECT_EQ(Colonna(id, "TipoUtente").toInt(), 0);
    EXPECT_EQ(Colonna(id, "UserID").toString(), "");   // no credentials asked
}

// Only the signed-in member's own row changes (or, for an agent, one of
// his customers'); its group, kind, agent and user ID never do.
TEST_P(Registrazione, AnUpdateChangesOnlyTheMembersOwnRow)
{
    const QStringList prima = Clienti();
    EXPECT_EQ(Registra(Modulo({{"IDUtente", "10"}})), 2);   // nobody signed in
    ASSERT_TRUE(Accedi("bruno", "altra"));
    for (const char* altro : {"10", "21", "30", "11", "10 OR 1=1", "abc", "-20"}) {
        EXPECT_EQ(Registra(Modulo({{"IDUtente", altro}})), 2) << altro;
        EXPECT_EQ(m_area->Errore, "T:PMTRICHIESTANONVALIDA");
    }
    EXPECT_EQ(Clienti(), prima);

    ASSERT_TRUE(Accedi("anna", "Lago-2024"));
    ASSERT_EQ(Registra(Modulo({{"IDUtente", "10"}, {"TipoUtente", "3"}, {"IDGruppo", "1"}, {"Cognome", "Rossi"},
                               {"Password", "Nuova-1"}, {"ConfermaPassword", "Nuova-1"}}),
                       true),
              0)
        << m_area->Errore.toStdString();
    EXPECT_FALSE(m_area->FlagUserID);
    EXPECT_EQ(Colonna(10, "Cognome").toString(), "Rossi");
    EXPECT_EQ(Colonna(10, "TipoUtente").toInt(), 1);
    EXPECT_EQ(Colonna(10, "IDGruppo").toInt(), 7);
    EXPECT_EQ(Colonna(10, "UserID").toString(), "anna");
    EXPECT_EQ(Colonna(10, "Modificato").toInt(), 1);
    EXPECT_EQ(Conta("InteressiUtenti", "IDUtente=10"), 1);   // no ImpostaInteressi: untouched
    EXPECT_TRUE(CPasswordHash::Verify(Colonna(10, "Password").toString(), "Nuova-1"));
    Pagina({})->ScollegaUtente();

    // The agent changes his customer's data, not another agent's customer's.
    ASSERT_TRUE(Accedi("marco", "Agente!"));
    EXPECT_EQ(Registra(Modulo({{"IDUtente", "21"}})), 2);
    ASSERT_EQ(Registra(Modulo({{"IDUtente", "20"}, {"Localita", "Bergamo"}})), 0);
    EXPECT_EQ(Colonna(20, "Localita").toString(), "Bergamo");
    EXPECT_EQ(Colonna(21, "Localita").toString(), "");
    // ...and signs up new customers of his.
    ASSERT_EQ(Registra(Modulo({{"Email", "nuovo@esempio.test"}})), 0);
    EXPECT_EQ(Colonna(Nuovo(), "IDAgente").toInt(), 30);
}

// A mailing-only member needs only an e-mail address that no other row
// has; his own row's address is his, not a duplicate.
TEST_P(Registrazione, AMailingOnlyMemberSignsUpAndUpdatesHisInterests)
{
    EXPECT_EQ(Registra({{"TipoUtente", "2"}, {"Email", "lia@esempio.test"}}), 2);
    EXPECT_EQ(m_area->Errore, "T:ERREMAILDUP");
    EXPECT_EQ(Registra({{"TipoUtente", "2"}, {"Email", ""}}), 2);
    EXPECT_EQ(m_area->Errore, "T:ERREMAIL");
    ASSERT_TRUE(Accedi("lia", "Posta"));
    ASSERT_EQ(Registra({{"IDUtente", "40"}, {"Email", "LIA@esempio.test"}, {"ImpostaInteressi", "Tutti"}}), 0)
        << m_area->Errore.toStdString();
    EXPECT_EQ(Conta("InteressiUtenti", "IDUtente=40"), 3);
}

// Replacing the interests logs each removed row for the desktop.
TEST_P(Registrazione, ChosenInterestsReplaceTheOldOnes)
{
    ASSERT_TRUE(Accedi("anna", "Lago-2024"));
    EXPECT_EQ(Session("INT2").toString(), "OK");
    EXPECT_EQ(Session("INT1").toString(), "");
    ASSERT_EQ(Registra(Modulo({{"IDUtente", "10"}, {"ImpostaInteressi", "1"}, {"INT1", "x"}, {"INT3", "x"}})), 0)
        << m_area->Errore.toStdString();
    EXPECT_EQ(Conta("InteressiUtenti", "IDUtente=10 AND IDInteresse IN (1,3)"), 2);
    EXPECT_EQ(Conta("InteressiUtenti", "IDUtente=10"), 2);
    EXPECT_EQ(Conta("RecordsEliminati", "NomeTabella='InteressiUtenti' AND IDRecord=5"), 1);
    EXPECT_EQ(Session("INT1").toString(), "OK");
    EXPECT_EQ(Session("INT2").toString(), "");
}

// The anonymous visitor's rights come with a new customer, marked for
// the desktop, under IDs of the shop's range.
TEST_P(Registrazione, ANewCustomerMayTakeTheAnonymousVisitorsRights)
{
    m_shop->Insert("Permessi", {{"ID", 1}, {"IDUtente", 0}, {"IDGruppo", -1}, {"Tipo", 2}, {"IDRecord", 8}});
    m_shop->Insert("Permessi", {{"ID", 2}, {"IDUtente", 10}, {"IDGruppo", -1}, {"Tipo", 3}, {"IDRecord", 9}});
    ASSERT_EQ(Registra(Modulo(), true, true), 0);
    const qint32 id = Nuovo();
    EXPECT_EQ(Conta("Permessi", QString("IDUtente=%1 AND Tipo=2 AND IDRecord=8 AND IDGruppo=-1 AND Modificato=1 "
                                        "AND ID>1000000000").arg(id)),
              1);
    EXPECT_EQ(Conta("Permessi"), 3);
}

// Hostile values in every field: quotes and SQL stay text, markup is
// stored as typed (pages escape it), oversized values are refused and
// nothing is stored; the Session keeps no more of them than tells that
// they are too long.
TEST_P(Registrazione, HostileValuesInEveryField)
{
    const QStringList campi = {"RagioneSociale", "Cognome", "Nome", "Indirizzo", "Cap", "Localita", "Provincia",
                               "Stato", "Telefono", "Fax", "Cellulare", "Web", "CFPI"};
    for (const QString& campo : campi) {
        const QStringList prima = Clienti();
        ASSERT_EQ(Registra(Modulo({{campo, QString(5000, 'x')}}), false), 2) << campo.toStdString();
        EXPECT_LE(Session(campo + "UR").toString().size(), 81);
        EXPECT_EQ(Clienti(), prima) << campo.toStdString();
    }
    const QString marcatura = "<b>x'\"</b>";
    ASSERT_EQ(Registra(Modulo({{"Cognome", "O'Brien'); DELETE FROM Clienti;--"}, {"Nome", marcatura},
                               {"Email", "x@esempio.test"}}),
                       false),
              0);
    EXPECT_EQ(Colonna(Nuovo(), "Cognome").toString(), "O'Brien'); DELETE FROM Clienti;--");
    EXPECT_EQ(Colonna(Nuovo(), "Nome").toString(), marcatura);
    EXPECT_EQ(Conta("Clienti", "ID=10"), 1);
    const QStringList prima = Clienti();
    ASSERT_EQ(Registra(Modulo({{"Email", "x@esempio.test>\r\nBcc: tutti@esempio.test"}})), 2);
    EXPECT_EQ(m_area->Errore, "T:ERREMAIL");
    ASSERT_EQ(Registra(Modulo({{"Note", QString(3000, 'n')}})), 2);
    EXPECT_EQ(m_area->Errore, "T:ERRNOTE");
    ASSERT_EQ(Registra(Modulo({{"Password", QString(200, 'p')}, {"ConfermaPassword", QString(200, 'p')}})), 2);
    EXPECT_EQ(m_area->Errore, "T:ERRLUNGHPASSWORD");
    EXPECT_EQ(Registra(Modulo({{"INT1", QString(100000, 'i')}})), 0);
    EXPECT_EQ(Session("INT1").toString(), "OK");
    EXPECT_EQ(Clienti().size(), prima.size() + 1);
}

// A member's mail that cannot be handed over does not lose the saved
// registration: the generated password is then shown once, on the page.
TEST_P(Registrazione, WithoutMailThePasswordIsShownOnce)
{
    QTcpServer chiuso;
    ASSERT_TRUE(chiuso.listen(QHostAddress::LocalHost));
    const quint16 porta = chiuso.serverPort();
    chiuso.close();
    std::vector<QString> registro;
    Funzioni::ImpostaRegistroErrori([&](const QString& riga) { registro.push_back(riga); });
    Funzioni::ImpostaServerPosta("127.0.0.1", porta);
    const int esito = Registra(Modulo());
    Funzioni::ImpostaServerPosta("127.0.0.1", s_smtp->Port());
    Funzioni::ImpostaRegistroErrori(nullptr);
    ASSERT_EQ(esito, 0);
    EXPECT_EQ(m_area->PasswordGenerata.size(), 6);
    EXPECT_TRUE(CPasswordHash::Verify(Colonna(Nuovo(), "Password").toString(), m_area->PasswordGenerata));
    EXPECT_EQ(registro.size(), 2u);
    // No e-mail address: the merchant alone is mailed, from the shop's address.
    ASSERT_EQ(Registra(Modulo({{"Email", ""}, {"Cognome", "Neri"}})), 0);
    EXPECT_EQ(m_area->PasswordGenerata.size(), 6);
    const QList<QJsonObject> posta = s_smtp->WaitForMessages(1);
    ASSERT_EQ(posta.size(), 1);
    EXPECT_FALSE(posta[0].value("body").toString().contains(m_area->PasswordGenerata));
}

INSTANTIATE_TEST_SUITE_P(Engines, Registrazione,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL), Nome);

} // namespace
