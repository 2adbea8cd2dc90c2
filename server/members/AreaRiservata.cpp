#include "server/members/AreaRiservata.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspSession.h"
#include "platform/password/CPasswordHash.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoValori.h"

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
        return QtrVisitatore::Cliente(*Session()) != 0
            || (CatalogoValori::Numero(SessionValue(QStringLiteral("IDUtenteML"))).value_or(0) != 0
                && SessionFlag(QStringLiteral("UtenteCollegato")));
    });
}

bool AreaRiservata::ControlloAgenteCollegato()
{
    return Guard([&] { return QtrVisitatore::Agente(*Session()) != 0; });
}

// The customer's own price list is stored one above its index; 0 there
// takes the group's.
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
    IDListino = 0;
    if (!cliente.IsNull(QStringLiteral("IDListino")))
        IDListino = cliente.Field(QStringLiteral("IDListino")).toInt() - 1;
    if (IDListino == -1) {
        CAdoRecordset gruppo;
        gruppo.Open(QStringLiteral("SELECT IDListino FROM Gruppi WHERE ID=?"), Connection(), {IDGruppo});
        IDListino = !gruppo.IsEOF() && !gruppo.IsNull(QStringLiteral("IDListino"))
            ? gruppo.Field(QStringLiteral("IDListino")).toInt()
            : 0;
    }
}

void AreaRiservata::CaricaDatiUtente()
{
    qint32 id = QtrVisitatore::Cliente(*Session());
    if (id == 0 && SessionFlag(QStringLiteral("UtenteCollegato")))
        id = CatalogoValori::Numero(SessionValue(QStringLiteral("IDUtenteML"))).value_or(0);
    if (id == 0)
        return;
    CAdoRecordset cliente;
    cliente.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=?"), Connection(), {id});
    if (cliente.IsEOF())
        return;
    CaricaRiga(cliente);
    UserID = Testo(cliente, "UserID");
    if (TipoUtente == kAgente)
        SetSession(QStringLiteral("IDAgente"), IDUtente);
    if (TipoUtente != kMailing) {
        SetSession(QStringLiteral("IDGruppo"), IDGruppo);
        SetSession(QStringLiteral("IDListino"), IDListino);
    }
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

// Every value is bound; the password is checked against its stored hash.
bool AreaRiservata::ValidazioneUtente()
{
    return Guard([&] {
        const qint32 agente = QtrVisitatore::Agente(*Session());
        CAdoRecordset cliente;
        QString password;
        if (agente == 0) {
            UserID = RequestValue(QStringLiteral("UserID"));
            if (UserID.isEmpty())
                return false;
            password = RequestValue(QStringLiteral("Password"));
            cliente.Open(QStringLiteral("SELECT * FROM Clienti WHERE UserID=? ORDER BY ID"), Connection(), {UserID});
        } else {
            const QString richiesta = RequestValue(QStringLiteral("IDUtente"));
            if (richiesta.isEmpty())
                return false;
            const qint32 id = CatalogoValori::Numero(richiesta).value_or(0);
            cliente.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=? AND IDAgente=?"), Connection(),
                         {id, agente});
        }
        const bool valido = !cliente.IsEOF()
            && (agente != 0 || CPasswordHash::Verify(Testo(cliente, "Password"), password));
        if (!valido) {
            Rifiuta();
            return false;
        }
        const QString userID = UserID;
        CaricaRiga(cliente);
        UserID = userID;
        if (TipoUtente == kMailing) {
            SetSession(QStringLiteral("IDUtenteML"), IDUtente);
        } else {
            SetSession(QStringLiteral("IDUtente"), IDUtente);
            if (TipoUtente == kAgente)
                SetSession(QStringLiteral("IDAgente"), IDUtente);
            else if (agente == 0)
                SetSession(QStringLiteral("IDAgente"), 0);
            SetSession(QStringLiteral("IDGruppo"), IDGruppo);
            SetSession(QStringLiteral("IDListino"), IDListino);
        }
        QtrVisitatore::Collega(*Session());
        return true;
    });
}

void AreaRiservata::ScollegaUtente()
{
    Guard([&] {
        for (const char* chiave : {"IDUtente", "IDAgente", "IDUtenteML", "IDDestinatario", "IDGruppo"})
            SetSession(QLatin1String(chiave), 0);
        QtrVisitatore::Scollega(*Session());
    });
}
