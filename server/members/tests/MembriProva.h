#pragma once

#include "server/core/Funzioni.h"
#include "server/core/Generale.h"
#include "server/core/QtrTentativiAccesso.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/members/AreaRiservata.h"
#include "server/members/RecuperoCredenziali.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/mail/tests/SmtpTestServer.h"
#include "platform/password/CPasswordHash.h"
#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>

#include <memory>

// A members' shop on one engine, with a test SMTP server for its mails:
// group 7 "Rivenditori" (third price list, default discount "10", a period
// discount "5" through 2026), customer 10 anna (private, group 7, password
// "Lago-2024", interest 2), customer 20 bruno of agent 30 marco, customer
// 21 carla of agent 31, mailing-only member 40 lia, consignees 11 and 12
// of anna; interests 1 to 3 (3 with an English text only). Every message
// code the members' area uses reads "T:" followed by the code.
class MembriProva : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    static void SetUpTestSuite()
    {
        QLocale::setDefault(QLocale::c());
        s_smtp = std::make_unique<SmtpTestServer>();
        ASSERT_EQ(s_smtp->Start(), "");
        Funzioni::ImpostaServerPosta("127.0.0.1", s_smtp->Port());
    }
    static void TearDownTestSuite()
    {
        Funzioni::ImpostaServerPosta("localhost", 25);
        s_smtp.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_smtp);
        s_smtp->Clear();
        QtrTentativiAccesso::Membri().Dimentica();
        RecuperoCredenziali::Richieste().Dimentica();
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
        m_shop->Insert("Gruppi", {{"ID", 7}, {"Nome", "Rivenditori"}, {"IDListino", 2}, {"ScontoPredefinito", "10"},
                                  {"ScontoPeriodo", "5"}, {"ValiditaDal", "2026-01-01 00:00:00"},
                                  {"ValiditaAl", "2026-12-31 00:00:00"}});
        Cliente(10, "anna", "Lago-2024", 1, 0, 7,
                {{"RagioneSociale", "Casa Anna"}, {"Nome", "Anna"}, {"Indirizzo", "Via Lago 1"}, {"Cap", "22100"},
                 {"Localita", "Como"}, {"Provincia", "CO"}, {"Stato", "Italia"}, {"Email", "anna@esempio.test"},
                 {"CFPI", "RSSNNA80A41C933X"}});
        Cliente(20, "bruno", "altra", 0, 30, 0, {{"RagioneSociale", "Bruno srl"}, {"Localita", "Lecco"}});
        Cliente(21, "carla", "altra", 0, 31);
        Cliente(30, "marco", "Agente!", 3, 0);
        Cliente(40, "lia", "Posta", 2, 0, 0, {{"Email", "lia@esempio.test"}});
        m_shop->Insert("Clienti", {{"ID", 11}, {"Cognome", "Bianchi"}, {"RagioneSociale", "Zeta"}, {"IDCliente", 10},
                                   {"TipoUtente", 4}, {"Indirizzo", "Via Porto 3"}});
        m_shop->Insert("Clienti", {{"ID", 12}, {"Cognome", "Rossi"}, {"RagioneSociale", "Alfa"}, {"IDCliente", 10},
                                   {"TipoUtente", 4}});
        Interesse(1, 2, {{"it", "Novità"}});
        Interesse(2, 1, {{"it", "Offerte"}, {"en", "Offers"}});
        Interesse(3, 3, {{"en", "Recipes"}});
        m_shop->Insert("InteressiUtenti", {{"ID", 5}, {"IDUtente", 10}, {"IDInteresse", 2}});
        int id = 1;
        for (const char* codice :
             {"ERRINTERESSI", "ERRNOTE", "ERRWEB", "ERREMAIL", "ERREMAILDUP", "ERRLUNGHPASSWORD", "ERRLUNGMINPSWD",
              "ERRPASSWORDNUMERICA", "ERRCONFERMAPASSWORD", "ERRCELLULARE", "ERRFAX", "ERRTELEFONO", "ERRCFPI",
              "ERRECFPIDUP", "ERRSTATO", "ERRPROVINCIA", "ERRLOCALITA", "ERRCAP", "ERRINDIRIZZO", "ERRCOGNOME",
              "ERRNOME", "ERRRAGIONESOCIALE", "ERRRECPSWD", "ERRINVIO", "PMTRICHIESTANONVALIDA", "PMTINTRORECPSWD",
              "PMTNOMEUTENTE", "PMTPASSWORD", "PMTFIRMARECPSWD", "MSGOGGRECPSWD", "MSGCONFERMAREG",
              "MSGCONFERMAMODREG", "MSGOGGETTOCONFREG", "MSGFIRMACONFERMAREG", "PMTRAGIONESOCIALE", "PMTCOGNOME",
              "PMTNOME", "PMTINDIRIZZO", "PMTCAP", "PMTLOCALITA", "PMTPROVINCIA", "PMTSTATO", "PMTCODICEFISCALE",
              "PMTTELEFONO", "PMTFAX", "PMTCELLULARE", "PMTEMAIL", "PMTWEB"}) {
            const QString testo = QString::fromLatin1(codice) == QLatin1String("ERRLUNGMINPSWD")
                ? QStringLiteral("T:almeno [LUNGHEZZA]")
                : QStringLiteral("T:") + QLatin1String(codice);
            m_shop->AddMessage(id++, QLatin1String(codice), {{"it", testo}});
        }
        auto& s = m_shop->Host().Session();
        s.SetValue("DbPath", m_shop->DbFolder());
        m_page = m_shop->NewPage();
        m_page->Create<Generale>("QTR50.Generale")->Inizializza();
        s.SetValue("EmailInfo", "info@bottega.test");
        s.SetValue("CodiceLingua", "it");
        s.SetValue("CodiceLinguaPredefinita", "it");
    }

    void Cliente(int id, const QString& user, const QString& password, int tipo, int agente, int gruppo = 0,
                 const QVariantMap& altro = {})
    {
        QVariantMap riga = {{"ID", id},         {"UserID", user},    {"Password", CPasswordHash::Hash(password)},
                            {"TipoUtente", tipo}, {"IDAgente", agente}, {"IDGruppo", gruppo},
                            {"Cognome", user},  {"IDListino", 0}};
        for (auto it = altro.begin(); it != altro.end(); ++it)
            riga.insert(it.key(), it.value());
        m_shop->Insert("Clienti", riga);
    }

    void Interesse(int id, int ordine, const QVariantMap& nomi)
    {
        m_shop->Insert("Interessi", {{"ID", id}, {"Ordine", ordine}});
        int riga = 0;
        for (auto it = nomi.begin(); it != nomi.end(); ++it)
            m_shop->Insert("InteressiLingue", {{"ID", id * 10 + ++riga}, {"IDInteresse", id},
                                               {"CodiceLingua", it.key()}, {"Nome", Encrypt(it.value().toString())},
                                               {"Descrizione", Encrypt("Su " + it.value().toString())}});
    }

    // A new page of the visitor with its request; the members' object on it.
    AreaRiservata* Pagina(const QList<QPair<QString, QString>>& campi = {}, const QString& metodo = "POST")
    {
        m_page = m_shop->NewPage();
        m_page->TestRequest().SetMethod(metodo);
        m_page->TestRequest().SetServerVariable("REMOTE_ADDR", "192.0.2.1");
        for (const auto& [k, v] : campi) {
            if (metodo == "GET")
                m_page->TestRequest().AddQueryString(k, v);
            else
                m_page->TestRequest().AddForm(k, v);
        }
        return m_page->Create<AreaRiservata>("QTR50.AreaRiservata");
    }

    bool Accedi(const QString& user, const QString& password)
    {
        return Pagina({{"UserID", user}, {"Password", password}})->ValidazioneUtente();
    }

    IAspSession& Sessione() { return m_shop->Host().Session(); }
    QVariant Session(const QString& chiave) { return Sessione().Value(chiave); }

    QVariant Valore(const QString& sql, const QVariantList& params, const QString& colonna)
    {
        CAdoRecordset rs;
        rs.Open(sql, &m_shop->Db(), params);
        return rs.IsEOF() ? QVariant() : rs.Field(colonna);
    }
    QVariant Colonna(qint32 id, const QString& colonna)
    {
        return Valore("SELECT * FROM Clienti WHERE ID=?", {id}, colonna);
    }
    int Conta(const QString& tabella, const QString& condizione = "1=1")
    {
        return Valore("SELECT COUNT(*) AS N FROM " + tabella + " WHERE " + condizione, {}, "N").toInt();
    }
    // Every customer row as text, to compare before and after a request.
    QStringList Clienti()
    {
        QStringList righe;
        CAdoRecordset rs;
        rs.Open("SELECT * FROM Clienti ORDER BY ID", &m_shop->Db());
        for (; !rs.IsEOF(); rs.MoveNext()) {
            QStringList valori;
            for (int i = 0; i < rs.FieldCount(); ++i)
                valori << rs.Field(rs.FieldName(i)).toString();
            righe << valori.join('|');
        }
        return righe;
    }

    static inline std::unique_ptr<SmtpTestServer> s_smtp;
    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
};

// A header of a mail the test server received.
inline QString Intestazione(const QJsonObject& mail, const QString& nome)
{
    for (const QJsonValue& riga : mail.value("headers").toArray()) {
        const QJsonArray coppia = riga.toArray();
        if (coppia.at(0).toString().compare(nome, Qt::CaseInsensitive) == 0)
            return coppia.at(1).toString();
    }
    return QString();
}

inline std::string Nome(const ::testing::TestParamInfo<CAdoConnection::Engine>& info)
{
    return CAdoTestDatabase::EngineName(info.param);
}
