#include "server/members/AreaRiservata.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspSession.h"
#include "platform/password/CPasswordHash.h"
#include "server/core/QtrTentativiAccesso.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/orders/OrdineControlli.h"

QTR_ASP_REGISTER(AreaRiservata)

namespace {

const int kAgente = 3;
const int kMailing = 2;

QString Testo(const CAdoRecordset& rs, const char* colonna)
{
    return rs.Field(QLatin1String(colonna)).toString();
}

} // namespace

AreaRiservata::AreaRiservata(QObject* parent) : CQtrServerObject(parent) {}

AreaRiservata::~AreaRiservata() = default;

void AreaRiservata::Start()
{
    CQtrServerObject::Start();
    if (!SessionFlag(QStringLiteral("ShareConn")))
        CaricaDatiUtente();
}

void AreaRiservata::SetConn(QObject* Connect)
{
    Guard([&] {
        UseConnection(Connect);
        CaricaDatiUtente();
    });
}

bool AreaRiservata::ControlloUtenteCollegato()
{
    return Guard([&] {
        return QtrVisitatore::Cliente(*Session()) != 0 || QtrVisitatore::MembroMailing(*Session()) != 0;
    });
}

bool AreaRiservata::ControlloAgenteCollegato()
{
    return Guard([&] { return QtrVisitatore::Agente(*Session()) != 0; });
}

void AreaRiservata::CaricaRiga(const CAdoRecordset& cliente)
{
    IDUtente = cliente.Field(QStringLiteral("ID")).toInt();
    IDAgente = cliente.Field(QStringLiteral("IDAgente")).toInt();
    IDGruppo = cliente.Field(QStringLiteral("IDGruppo")).toInt();
    TipoUtente = cliente.Field(QStringLiteral("TipoUtente")).toInt();
    RagioneSociale = Testo(cliente, "RagioneSociale");
    Cognome = Testo(cliente, "Cognome");
    Nome = Testo(cliente, "Nome");
    Email = Testo(cliente, "Email");
    IDListino = QtrVisitatore::ListinoCliente(cliente, Connection());
}

void AreaRiservata::CaricaDatiUtente()
{
    qint32 id = QtrVisitatore::Cliente(*Session());
    if (id == 0)
        id = QtrVisitatore::MembroMailing(*Session());
    if (id == 0)
        return;
    CAdoRecordset cliente;
    cliente.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=?"), Connection(), {id});
    if (cliente.IsEOF())
        return;
    CaricaRiga(cliente);
    UserID = Testo(cliente, "UserID");
    if (TipoUtente == kMailing || QtrVisitatore::Cliente(*Session()) == 0)
        return;
    QtrVisitatore::Collega(*Session(), IDUtente, IDGruppo, IDListino,
                           TipoUtente == kAgente ? IDUtente : QtrVisitatore::Agente(*Session()));
}

void AreaRiservata::Rifiuta()
{
    UserID.clear();
    RagioneSociale.clear();
    Cognome.clear();
    Nome.clear();
    Email.clear();
    IDUtente = IDAgente = IDGruppo = IDListino = 0;
    TipoUtente = 0;
}

// The members' shop and the typed user ID, lower case: what the pause
// after failed logins counts.
QString AreaRiservata::ChiaveTentativi(const QString& userID) const
{
    return SessionText(QStringLiteral("DbPath")) + QLatin1Char('\n') + userID;
}

// Every value is bound; the user ID matches whatever its case, the
// password is checked against its stored hash, and an unknown user ID
// costs the same check. While failed logins from this address or for this
// user ID keep them paused, a login is refused unchecked.
bool AreaRiservata::ValidazioneUtente()
{
    return Guard([&] {
        const qint32 agente = QtrVisitatore::Agente(*Session());
        CAdoRecordset cliente;
        const QString indirizzo = Request()->ServerVariable(QStringLiteral("REMOTE_ADDR"));
        QString chiave;
        if (agente == 0) {
            UserID = RequestValue(QStringLiteral("UserID"));
            if (UserID.isEmpty())
                return false;
            chiave = ChiaveTentativi(UserID);
            if (QtrTentativiAccesso::Membri().Sospeso(indirizzo, chiave)) {
                Rifiuta();
                return false;
            }
            cliente.Open(QStringLiteral("SELECT * FROM Clienti WHERE LOWER(UserID)=LOWER(?) AND UserID<>'' ORDER BY ID"),
                         Connection(), {UserID});
            const bool valido = CPasswordHash::Verify(cliente.IsEOF() ? QString() : Testo(cliente, "Password"),
                                                      RequestValue(QStringLiteral("Password")));
            if (!valido) {
                QtrTentativiAccesso::Membri().Fallito(indirizzo, chiave);
                Rifiuta();
                return false;
            }
            QtrTentativiAccesso::Membri().Riuscito(chiave);
        } else {
            const QString richiesta = RequestValue(QStringLiteral("IDUtente"));
            if (richiesta.isEmpty())
                return false;
            const qint32 id = CatalogoValori::Numero(richiesta).value_or(0);
            cliente.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=? AND IDAgente=?"), Connection(),
                         {id, agente});
            if (cliente.IsEOF()) {
                Rifiuta();
                return false;
            }
        }
        const QString userID = UserID;
        CaricaRiga(cliente);
        UserID = userID;
        if (TipoUtente == kMailing)
            QtrVisitatore::CollegaMembroMailing(*Session(), IDUtente);
        else
            QtrVisitatore::Collega(*Session(), IDUtente, IDGruppo, IDListino,
                                   TipoUtente == kAgente ? IDUtente : agente);
        // An identifier someone learnt before the login names nothing after it.
        Session()->RenewID();
        return true;
    });
}

// The member's state goes with him: the visitor is again the anonymous
// one a new Session starts as (his rights, prices and list), and the
// checkout's data and order marks are dropped.
void AreaRiservata::ScollegaUtente()
{
    Guard([&] {
        QtrVisitatore::Azzera(*Session(), Connection());
        for (const OrdineCampo& campo : OrdineControlli::Campi())
            SetSession(QLatin1String(campo.chiave), QString());
        for (const char* chiave : {"Errore", "NumOrd", "IDClienteOrdine", "BodyMail"})
            SetSession(QLatin1String(chiave), QVariant());
        Session()->RenewID();
    });
}
