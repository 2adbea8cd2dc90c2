#include "server/sms/SMS.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspResponse.h"
#include "platform/asp/IAspServer.h"
#include "recordset/sync/SyncProtocol.h"
#include "server/core/Funzioni.h"
#include "server/sms/SmsCredito.h"
#include "server/sms/SmsGateway.h"
#include "server/sync/AggiornamentoAccesso.h"

#include <stdexcept>

QTR_ASP_REGISTER(SMS)

namespace {

const QString kCreditoInsufficiente = QStringLiteral("Credito insufficiente per l'invio del messaggio!");

} // namespace

SMS::SMS(QObject* parent) : CQtrServerObject(parent) {}

void SMS::ImpostaPercorsoArchivi(const QVariant& percorso)
{
    Guard([&] { m_percorsoArchivi = percorso.toString(); });
}

QString SMS::Form(const char* campo) const { return Request()->Form(QString::fromLatin1(campo)); }

void SMS::ConAccount(const std::function<QString(CAdoConnection&, const QString&)>& lavoro)
{
    Guard([&] {
        const QString codice = Form("PF_UserCode");
        CAdoConnection host;
        host.Open(Funzioni::StringaConnessione(Server()->MapPath(QStringLiteral("/db"))));
        const AggiornamentoAccesso::Esito accesso = AggiornamentoAccesso::Controlla(
            host, codice, Form("PF_Password"), Request()->ServerVariable(QStringLiteral("REMOTE_ADDR")));
        const QString risposta = accesso.riuscito ? lavoro(host, codice) : accesso.errore;
        host.Close();
        Response()->Write(risposta);
    });
}

void SMS::ControlloCredito()
{
    ConAccount([](CAdoConnection& host, const QString& codice) {
        return QString(SyncProtocol::kOk) + QString::number(SmsCredito(host, codice).Disponibile());
    });
}

void SMS::InvioMessaggio()
{
    ConAccount([this](CAdoConnection& host, const QString& codice) { return Invia(host, codice); });
}

// The credit is taken before the gateway is asked and given back when the
// message did not go: two messages at once never spend the last credit
// twice.
QString SMS::Invia(CAdoConnection& host, const QString& codice)
{
    SmsCredito credito(host, codice);
    if (!credito.Preleva())
        return kCreditoInsufficiente;
    SmsDocumento::Esito esito;
    try {
        esito = SmsGateway::Invia({Form("originator"), Form("recipient"), Form("messagetext")});
    } catch (const std::runtime_error& guasto) {
        credito.Restituisci();
        Funzioni::RegistraErrore(QStringLiteral("SMS di %1: %2").arg(codice, QString::fromUtf8(guasto.what())));
        return QString::fromUtf8(guasto.what());
    }
    if (esito.stato != 0) {
        credito.Restituisci();
        // The desktop counts a reply of "OK" as sent: a refusal never reads so.
        const QString testo = esito.messaggio.trimmed();
        if (testo.isEmpty() || testo == SyncProtocol::kOk)
            return QStringLiteral("Messaggio rifiutato dal gateway SMS (stato %1).").arg(esito.stato);
        return esito.messaggio;
    }
    return QString(SyncProtocol::kOk);
}
