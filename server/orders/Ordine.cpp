#include "server/orders/Ordine.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspResponse.h"
#include "platform/asp/IAspSession.h"
#include "server/core/Funzioni.h"
#include "server/core/QtrVisitatore.h"
#include "server/orders/OrdineControlli.h"

#include <QDate>
#include <QHash>

QTR_ASP_REGISTER(Ordine)

Ordine::Ordine(QObject* parent) : OrdineConsultazione(parent) {}

Ordine::~Ordine() = default;

void Ordine::Start()
{
    CaricaDallaSessione();
    StatisticheDallaData = SessionText(QStringLiteral("StatisticheDallaData"));
    StatisticheAllaData = SessionText(QStringLiteral("StatisticheAllaData"));
    ProdottiDallaData = SessionText(QStringLiteral("ProdottiDallaData"));
    ProdottiAllaData = SessionText(QStringLiteral("ProdottiAllaData"));
    CQtrServerObject::Start();
}

void Ordine::SetConn(QObject* Connect)
{
    Guard([&] { UseConnection(Connect); });
}

QString* Ordine::Proprieta(const char* nome)
{
    static const QHash<QString, QString Ordine::*> proprieta = {
        {"RagioneSociale", &Ordine::RagioneSociale}, {"Cognome", &Ordine::Cognome},
        {"Nome", &Ordine::Nome},
        {"Indirizzo", &Ordine::Indirizzo},           {"Cap", &Ordine::Cap},
        {"Localita", &Ordine::Localita},             {"Provincia", &Ordine::Provincia},
        {"Stato", &Ordine::Stato},                   {"CFPI", &Ordine::CFPI},
        {"Telefono", &Ordine::Telefono},             {"Email", &Ordine::Email},
        {"D_RagioneSociale", &Ordine::D_RagioneSociale}, {"D_Cognome", &Ordine::D_Cognome},
        {"D_Nome", &Ordine::D_Nome},                 {"D_Indirizzo", &Ordine::D_Indirizzo},
        {"D_Cap", &Ordine::D_Cap},                   {"D_Localita", &Ordine::D_Localita},
        {"D_Provincia", &Ordine::D_Provincia},       {"D_Stato", &Ordine::D_Stato},
        {"Note", &Ordine::Note},                     {"TipoPagamento", &Ordine::TipoPagamento},
        {"Errore", &Ordine::Errore},
        {"StatisticheDallaData", &Ordine::StatisticheDallaData}, {"StatisticheAllaData", &Ordine::StatisticheAllaData},
        {"ProdottiDallaData", &Ordine::ProdottiDallaData}, {"ProdottiAllaData", &Ordine::ProdottiAllaData},
    };
    const auto it = proprieta.find(QLatin1String(nome));
    return it == proprieta.end() ? nullptr : &(this->*it.value());
}

void Ordine::CaricaDallaSessione()
{
    for (const OrdineCampo& c : OrdineControlli::Campi())
        if (QString* p = Proprieta(c.proprieta))
            *p = SessionText(QLatin1String(c.chiave));
    Errore = SessionText(QStringLiteral("Errore"));
}

void Ordine::Salva()
{
    for (const OrdineCampo& c : OrdineControlli::Campi())
        if (QString* p = Proprieta(c.proprieta))
            SetSession(QLatin1String(c.chiave), *p);
    SetSession(QStringLiteral("Errore"), Errore);
}

// Only a customer who has logged in is pre-filled: the customer cookie
// alone names a row, it proves nothing about who is at the keyboard; nor
// does the Session's IDUtente, which names the anonymous visitor's row too.
void Ordine::AzzeraDatiPersonali()
{
    Guard([&] {
        const qint32 id = QtrVisitatore::Cliente(*Session());
        CAdoRecordset rs;
        if (id >= 1)
            rs.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=?"), Connection(), {id});
        for (const OrdineCampo& c : OrdineControlli::Campi()) {
            QString* p = Proprieta(c.proprieta);
            if (!p)
                continue;
            const QString colonna = QLatin1String(c.colonna);
            *p = rs.IsOpen() && !rs.IsEOF() && !colonna.isEmpty() ? rs.Field(colonna).toString() : QString();
        }
        Errore.clear();
        Salva();
    });
}

bool Ordine::Annullato(bool get) const
{
    if (!get) {
        for (const auto& [nome, valore] : Request()->FormFields()) {
            Q_UNUSED(valore);
            if ((nome.endsWith(QLatin1String(".x")) || nome.endsWith(QLatin1String(".y")))
                && nome.left(7) == QLatin1String("Annulla"))
                return true;
        }
    }
    return RequestValue(QStringLiteral("Submit")) == QLatin1String("Annulla");
}

int Ordine::ControlloDatiPersonali()
{
    return Guard([&] {
        Response()->SetExpires(0);
        const bool get = Request()->ServerVariable(QStringLiteral("REQUEST_METHOD")) == QLatin1String("GET");
        QHash<QString, QString> valori;
        for (const OrdineCampo& c : OrdineControlli::Campi()) {
            if (*c.campo) {
                const QString campo = QLatin1String(c.campo);
                SetSession(QLatin1String(c.chiave), get ? Request()->QueryString(campo) : Request()->Form(campo));
            }
            valori.insert(QLatin1String(c.chiave), SessionText(QLatin1String(c.chiave)));
        }
        if (Annullato(get))
            return 1;
        const QString codice = OrdineControlli::UltimoErrore(valori);
        Errore = codice.isEmpty() ? QString() : Messaggio(codice);
        SetSession(QStringLiteral("Errore"), Errore);
        // The form shows what the visitor typed, accepted or not.
        CaricaDallaSessione();
        return Errore.isEmpty() ? 0 : 2;
    });
}

bool Ordine::CheckCFPI(const QVariant& CFPI)
{
    return OrdineControlli::CheckCFPI(CFPI.toString());
}

QString Ordine::LeggiCondizioniVendita()
{
    return Guard([&] {
        CAdoRecordset rs;
        const QString sql = QStringLiteral("SELECT * FROM CondizioniVendita WHERE CodiceLingua=?");
        rs.Open(sql, Connection(), {SessionText(QStringLiteral("CodiceLingua"))});
        if (rs.IsEOF())
            rs.Open(sql, Connection(), {SessionText(QStringLiteral("CodiceLinguaPredefinita"))});
        if (rs.IsEOF() || rs.IsNull(QStringLiteral("Testo")))
            return QString();
        return Funzioni::DecifraTesto(rs.Field(QStringLiteral("Testo")).toString());
    });
}

void Ordine::MemorizzaCookieCliente()
{
    Guard([&] {
        if (Funzioni::ModalitaLocale(Context()))
            return;
        CAspCookie cookie;
        cookie.value = SessionText(QStringLiteral("IDClienteOrdine"));
        cookie.expires = QDateTime(QDate::currentDate().addYears(10), QTime(0, 0));
        cookie.path = QStringLiteral("/");
        cookie.secure = false;
        Response()->SetCookie(QStringLiteral("QTRIDCliente"), cookie);
    });
}
