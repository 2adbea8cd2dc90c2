#include "server/members/tests/MembriProva.h"
#include "server/members/RecuperoCredenziali.h"

#include "platform/mail/CMailQueue.h"
#include "platform/testing/TempFolder.h"

#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>

namespace {

class Recupero : public MembriProva
{
protected:
    void SetUp() override
    {
        MembriProva::SetUp();
        // Three accounts share one address; the reseller's row has none.
        m_shop->Db().Execute("UPDATE Clienti SET Email='casa@esempio.test', Modificato=0 WHERE ID IN (20, 21, 30)");
        m_shop->Db().Execute("UPDATE Clienti SET UserID='' WHERE ID=21");
    }

    bool Recupera(const QString& email, const QString& metodo = "POST")
    {
        m_area = Pagina({{"Email", email}}, metodo);
        return m_area->RecuperoPassword();
    }

    AreaRiservata* m_area = nullptr;
};

// One mail to the address lists each of its accounts with a new password,
// which then logs in; the rows are marked for the desktop.
TEST_P(Recupero, EveryAccountOfTheAddressGetsANewPasswordByMail)
{
    const QStringList vecchie = {Colonna(20, "Password").toString(), Colonna(30, "Password").toString()};
    ASSERT_TRUE(Recupera("Casa@Esempio.test")) << m_area->Errore.toStdString();
    EXPECT_EQ(m_area->Errore, "");
    const QList<QJsonObject> posta = s_smtp->WaitForMessages(1);
    ASSERT_EQ(posta.size(), 1);
    EXPECT_EQ(Intestazione(posta[0], "Subject"), "T:MSGOGGRECPSWD");
    EXPECT_EQ(posta[0].value("mail_from").toString(), "info@bottega.test");
    const QString corpo = posta[0].value("body").toString();
    const QRegularExpression coppia("T:PMTNOMEUTENTE: ([a-z]*)\\r?\\nT:PMTPASSWORD: ([a-z]{3}[0-9]{3})\\r?\\n");
    QStringList utenti, password;
    for (auto it = coppia.globalMatch(corpo); it.hasNext();) {
        const auto m = it.next();
        utenti << m.captured(1);
        password << m.captured(2);
    }
    EXPECT_EQ(utenti, (QStringList{"bruno", "", "marco"})) << corpo.toStdString();
    EXPECT_TRUE(corpo.startsWith("T:PMTINTRORECPSWD"));
    EXPECT_TRUE(corpo.trimmed().endsWith("T:PMTFIRMARECPSWD"));
    for (qint32 id : {20, 21, 30})
        EXPECT_EQ(Colonna(id, "Modificato").toInt(), 1) << id;
    EXPECT_EQ(Colonna(10, "Password").toString().isEmpty(), false);
    EXPECT_FALSE(Accedi("bruno", "altra"));
    ASSERT_EQ(password.size(), 3);
    EXPECT_TRUE(Accedi("bruno", password[0]));
    EXPECT_TRUE(CPasswordHash::Verify(Colonna(30, "Password").toString(), password[2]));
    EXPECT_FALSE(vecchie.contains(Colonna(30, "Password").toString()));
}

TEST_P(Recupero, NoAddressOrAnUnknownOneChangesNothing)
{
    const QStringList prima = Clienti();
    struct Caso
    {
        QString email, errore;
    };
    for (const Caso& caso : {Caso{"", "T:ERREMAIL"}, Caso{"nessuno@esempio.test", "T:ERRRECPSWD"},
                             Caso{"casa@esempio", "T:ERRRECPSWD"}, Caso{"%@esempio.test", "T:ERRRECPSWD"},
                             Caso{"' OR '1'='1", "T:ERRRECPSWD"}, Caso{QString(5000, 'a'), "T:ERRRECPSWD"}}) {
        EXPECT_FALSE(Recupera(caso.email)) << caso.email.left(20).toStdString();
        EXPECT_EQ(m_area->Errore, caso.errore);
    }
    EXPECT_EQ(Clienti(), prima);
    EXPECT_TRUE(s_smtp->Messages().isEmpty());
    // The query string is read too.
    EXPECT_TRUE(Recupera("lia@esempio.test", "GET"));
}

// A mail that cannot be handed over, to the relay or to the queue, leaves
// every password and mark as it was.
TEST_P(Recupero, NothingChangesWhenTheMailCannotBeHandedOver)
{
    const QStringList prima = Clienti();
    std::vector<QString> registro;
    Funzioni::ImpostaRegistroErrori([&](const QString& riga) { registro.push_back(riga); });

    QTcpServer chiuso;
    ASSERT_TRUE(chiuso.listen(QHostAddress::LocalHost));
    const quint16 porta = chiuso.serverPort();
    chiuso.close();
    Funzioni::ImpostaServerPosta("127.0.0.1", porta);
    const bool inviata = Recupera("casa@esempio.test");
    Funzioni::ImpostaServerPosta("127.0.0.1", s_smtp->Port());
    EXPECT_FALSE(inviata);
    EXPECT_EQ(m_area->Errore, "T:ERRINVIO");
    EXPECT_EQ(Clienti(), prima);

    // A queue that cannot store the message.
    TempFolder cartella;
    const QString file = cartella.FilePath("non-una-cartella");
    QFile(file).open(QIODevice::WriteOnly);
    CMailQueue::Settings impostazioni;
    impostazioni.folder = file + "/coda";
    CMailQueue coda(impostazioni);
    Funzioni::ImpostaCodaPosta(&coda);
    const bool accodata = Recupera("casa@esempio.test");
    Funzioni::ImpostaCodaPosta(nullptr);
    Funzioni::ImpostaRegistroErrori(nullptr);
    EXPECT_FALSE(accodata);
    EXPECT_EQ(Clienti(), prima);
    EXPECT_EQ(registro.size(), 2u);
    EXPECT_TRUE(s_smtp->Messages().isEmpty());
}

// Each request replaces the passwords and sends a mail: three an hour for
// one address go through, a fourth waits a minute, unanswered and with
// nothing changed; other addresses are not held up.
TEST_P(Recupero, AFewRequestsPerAddressThenAPause)
{
    qint64 adesso = 5000000;
    QtrTentativiAccesso::ImpostaOrologio([&] { return adesso; });
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Recupera("lia@esempio.test")) << i;
    const QString password = Colonna(40, "Password").toString();
    EXPECT_FALSE(Recupera("LIA@esempio.test"));
    EXPECT_EQ(m_area->Errore, "T:ERRINVIO");
    EXPECT_EQ(Colonna(40, "Password").toString(), password);
    EXPECT_TRUE(Recupera("casa@esempio.test"));
    adesso += 61 * 1000;
    EXPECT_TRUE(Recupera("lia@esempio.test"));
    EXPECT_FALSE(Recupera("lia@esempio.test"));   // the next pause is longer
    QtrTentativiAccesso::ImpostaOrologio(nullptr);
    EXPECT_EQ(s_smtp->WaitForMessages(5).size(), 5);
}

INSTANTIATE_TEST_SUITE_P(Engines, Recupero, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         Nome);

TEST(NuovaPassword, LettersThenDigitsOfTheAskedLength)
{
    struct Caso
    {
        int lunghezza;
        bool numerica;
        const char* forma;
    };
    for (const Caso& caso : {Caso{7, false, "^[a-z]{4}[0-9]{3}$"}, Caso{6, false, "^[a-z]{3}[0-9]{3}$"},
                             Caso{0, false, "^[a-z]{3}[0-9]{3}$"}, Caso{5, true, "^[0-9]{5}$"},
                             Caso{0, true, "^[0-9]{6}$"}}) {
        const QString password = RecuperoCredenziali::NuovaPassword(caso.lunghezza, caso.numerica);
        EXPECT_TRUE(QRegularExpression(caso.forma).match(password).hasMatch()) << password.toStdString();
    }
    QSet<QString> diverse;
    for (int i = 0; i < 50; ++i)
        diverse.insert(RecuperoCredenziali::NuovaPassword(8, false));
    EXPECT_GT(diverse.size(), 45);
}

} // namespace
